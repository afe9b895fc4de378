#pragma once
// What the player would say to a typed answer: the same verdict rules, run
// on the quiz source, so an author can check near misses before building.

#include <string>
#include <vector>

#include "builder/quiz_source.h"

// One verdict word per answer box of question `number` (1-based), as UTF-8.
// Fails with a French reason for a question number out of range or a typed
// text the player could not hold.
bool tryAnswer(const QuizSource& source, int number, const std::string& typedUtf8, std::vector<std::string>& verdicts,
               std::string& reason);
