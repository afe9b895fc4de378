#pragma once
// Fills the quiz from the executable's "PATCH" 104 and 105 resources; tells
// the user in a message box when either cannot be decoded. False when the
// quiz content itself could not be loaded (the record then stays as constructed).

#include "app/quiz_gdi.h"
#include "content/quiz.h"

bool loadQuizContent(Quiz& quiz, QuizGdi& gdi);
