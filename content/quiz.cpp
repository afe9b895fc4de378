#include "content/quiz.h"

#include <cstdint>

QuestionEntry* QuestionList::append(std::string_view answer1, std::string_view answer2,
                                    std::string_view label) {
    auto* entry = new QuestionEntry{};
    entry->answer1.assign(answer1);
    entry->answer2.assign(answer2);
    entry->label.assign(label);
    if (last)
        last->next = entry;
    else
        first = entry;
    last = entry;
    return entry;
}

QuestionEntry* QuestionList::entryAt(int32_t index) const {
    // Unsigned on purpose: a negative index walks as far as the list goes.
    const auto k = static_cast<uint32_t>(index);
    QuestionEntry* entry = first;
    for (uint32_t step = 0; entry && entry->next && step < k; ++step) entry = entry->next;
    return entry;
}

void QuestionList::clear() {
    QuestionEntry* entry = first;
    while (entry) {
        QuestionEntry* next = entry->next;
        delete entry;
        entry = next;
    }
    first = nullptr;
    last = nullptr;
}
