#pragma once
// The content encoder written out the plain way: whole strings, a list of
// codes per string length, a linear scan with a byte comparison. The codec
// finds strings faster but must write exactly what this writes; the unit
// tests and the fuzz target compare the two.

#include <cstdint>
#include <cstddef>
#include <string>
#include <vector>

// In the fuzz target it is a checker, not code under test: its comparisons
// would only swamp the coverage feedback.
#if defined(__clang__)
#define LZW_PLAIN_UNTRACED __attribute__((no_sanitize("coverage")))
#else
#define LZW_PLAIN_UNTRACED
#endif

struct ReferenceEncoder {
    std::vector<std::string> entries = std::vector<std::string>(4096);
    std::vector<std::vector<uint32_t>> byLength = std::vector<std::vector<uint32_t>>(4096);
    uint32_t nextCode = 259;
    uint32_t width = 9;
    std::vector<uint8_t> out;
    uint8_t pending = 0;
    int pendingBits = 0;
    bool matchedOrphan = false;  // entry 259 with a prefix not in its generation was written

    LZW_PLAIN_UNTRACED void put(uint32_t value, uint32_t bits) {
        for (uint32_t bit = bits; bit-- > 0;) {
            pending = uint8_t(pending | (((value >> bit) & 1) << (7 - pendingBits)));
            if (++pendingBits == 8) {
                out.push_back(pending);
                pending = 0;
                pendingBits = 0;
            }
        }
    }
    LZW_PLAIN_UNTRACED bool find(const std::string& s, uint32_t& code) const {
        if (s.size() == 1) {
            code = uint8_t(s[0]);
            return true;
        }
        for (uint32_t c : byLength[s.size()]) {
            if (same(entries[c], s)) {
                code = c;
                return true;
            }
        }
        return false;
    }
    // Same length assumed. From the last byte: strings of one length often
    // share their start.
    LZW_PLAIN_UNTRACED static bool same(const std::string& a, const std::string& b) {
        for (std::size_t i = a.size(); i-- > 0;)
            if (a[i] != b[i]) return false;
        return true;
    }
    LZW_PLAIN_UNTRACED void add(const std::string& s) {
        entries[nextCode] = s;
        byLength[s.size()].push_back(nextCode);
        ++nextCode;
    }
    LZW_PLAIN_UNTRACED void write(uint32_t code) {
        while (code >> width) {
            put(257, width);
            ++width;
        }
        put(code, width);
    }
    // Encodes a non-empty input; the code stream is also left in `out`.
    LZW_PLAIN_UNTRACED std::vector<uint8_t> run(const std::vector<uint8_t>& input) {
        std::string current(1, char(input[0]));
        bool orphanInTable = false;
        for (std::size_t i = 1; i < input.size(); ++i) {
            std::string candidate = current + char(input[i]);
            uint32_t code = 0;
            if (find(candidate, code)) {
                current = candidate;
                continue;
            }
            add(candidate);
            find(current, code);
            if (code == 259 && orphanInTable) matchedOrphan = true;
            write(code);
            current = std::string(1, char(input[i]));
            if (nextCode == 4096) {
                put(258, width);
                nextCode = 259;
                for (auto& list : byLength) list.clear();
                add(candidate);
                uint32_t unused = 0;
                orphanInTable = !find(candidate.substr(0, candidate.size() - 1), unused);
                width = 9;
            }
        }
        uint32_t code = 0;
        find(current, code);
        if (code == 259 && orphanInTable) matchedOrphan = true;
        write(code);
        put(256, width);
        if (pendingBits) out.push_back(pending);
        return out;
    }
};

