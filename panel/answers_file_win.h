#pragma once
// The saved answers file on disk: read while the panel builds its boxes,
// written by saveAnswers (declared in question_panel.h).

#include <windows.h>

#include <string>

#include "panel/answers_file.h"

// The answers file mapped read-only for the panel's initialisation. A
// missing, empty or unreadable file reads as no lines at all.
class AnswersFileReader {
public:
    AnswersFileReader();
    ~AnswersFileReader();
    AnswersFileReader(const AnswersFileReader&) = delete;
    AnswersFileReader& operator=(const AnswersFileReader&) = delete;

    std::string readAnswerLine() { return lines_.readAnswerLine(); }

private:
    HANDLE file_ = INVALID_HANDLE_VALUE;
    HANDLE mapping_ = nullptr;
    const void* view_ = nullptr;
    AnswerLineReader lines_;
};

// The bare file name of this executable's answers file.
std::string answersFileNameOfModule();
