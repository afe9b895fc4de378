#pragma once
// Warnings about expected answers that a player can hardly or never find.
// The build still succeeds.

#include "builder/diagnostics.h"
#include "builder/quiz_source.h"

void warnAboutAnswers(const QuizSource& source, Diagnostics& diagnostics);

// The code page 1252 capital of a lower-case accented letter, or 0 when the
// byte is not one (the player's upper-casing leaves these apart).
uint8_t accentedCapital(uint8_t byte);
