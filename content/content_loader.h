#pragma once
// Fills the quiz from the executable's "PATCH" 104 and 105 resources; tells
// the user in a message box when either cannot be decoded.

#include "app/quiz_gdi.h"
#include "content/quiz.h"

void loadQuizContent(Quiz& quiz, QuizGdi& gdi);
