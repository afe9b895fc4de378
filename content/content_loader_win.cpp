#include "content/content_loader.h"

void loadQuizContent(Quiz&, QuizGdi&) {}
