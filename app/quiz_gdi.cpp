#include "app/quiz_gdi.h"

Quiz* currentQuiz = nullptr;
QuizGdi* currentGdi = nullptr;

namespace {

constexpr COLORREF DefaultBackgroundColour = RGB(90, 95, 150);
constexpr COLORREF WrongColour = RGB(255, 0, 0);
constexpr COLORREF RightColour = RGB(0, 255, 0);
constexpr COLORREF AnagramColour = RGB(255, 100, 0);
constexpr COLORREF HintColour = RGB(255, 203, 38);
constexpr COLORREF QuestionColour = RGB(255, 255, 192);

struct FontSpec {
    LONG height;
    LONG weight;
    BYTE italic;
};

constexpr FontSpec ScoreFontSpec{25, FW_NORMAL, FALSE};
constexpr FontSpec TitleFontSpec{-15, FW_BOLD, TRUE};
constexpr FontSpec AnswerFontSpec{15, FW_THIN, FALSE};

// Every other LOGFONT field stays 0 and the face name empty: the system's
// default face for the ANSI character set.
HFONT createFont(const FontSpec& item) {
    LOGFONTA font{};
    font.lfHeight = item.height;
    font.lfWeight = item.weight;
    font.lfItalic = item.italic;
    return CreateFontIndirectA(&font);
}

template <typename Handle>
void release(Handle& handle) {
    if (handle) DeleteObject(handle);
    handle = nullptr;
}

}  // namespace

void createQuizGdi(QuizGdi& gdi) {
    gdi.scoreFont = createFont(ScoreFontSpec);
    gdi.titleFont = createFont(TitleFontSpec);
    gdi.backgroundBrush = CreateSolidBrush(DefaultBackgroundColour);
    gdi.wrongBrush = CreateSolidBrush(WrongColour);
    gdi.rightBrush = CreateSolidBrush(RightColour);
    gdi.anagramBrush = CreateSolidBrush(AnagramColour);
    gdi.hintBrush = CreateSolidBrush(HintColour);
    gdi.questionBrush = CreateSolidBrush(QuestionColour);
}

void destroyQuizGdi(QuizGdi& gdi) {
    release(gdi.backgroundBrush);
    release(gdi.wrongBrush);
    release(gdi.rightBrush);
    release(gdi.anagramBrush);
    release(gdi.hintBrush);
    release(gdi.questionBrush);
    release(gdi.titleFont);
    release(gdi.answerFont);
    release(gdi.scoreFont);
}

void createAnswerFont(QuizGdi& gdi) {
    HFONT font = createFont(AnswerFontSpec);
    release(gdi.answerFont);
    gdi.answerFont = font;
}

void setBackgroundBrush(QuizGdi& gdi, const Quiz& quiz) {
    HBRUSH brush = CreateSolidBrush(RGB(quiz.backgroundRed, quiz.backgroundGreen, quiz.backgroundBlue));
    release(gdi.backgroundBrush);
    gdi.backgroundBrush = brush;
}
