#include "content/quiz.h"
