#pragma once
// The identifier scheme of the question panel's controls and of the quiz's
// "IMG" resources. Controls are found by this arithmetic, never by stored handles.

constexpr int NumberLabelId = 153;        // shared by every number label
constexpr int CaptionLabelId = 156;       // shared by the answer-column captions
constexpr int QuestionLabelId = 3000;     // shared by the question labels of a text quiz
constexpr int AnswerBoxBaseId = 4000;     // + AnswerSlot
constexpr int VerdictLabelBaseId = 5000;  // + AnswerSlot: always the box identifier + 1000
constexpr int VerdictOffset = VerdictLabelBaseId - AnswerBoxBaseId;
constexpr int PlayButtonBaseId = 6000;    // + question
constexpr int StopButtonBaseId = 7000;    // + question
constexpr int HintLabelBaseId = 8000;     // + question
constexpr int PlayerHostId = 9900;        // the media player's host window
constexpr int PictureLabelBaseId = 9900;  // + question (never beside the player host)

constexpr int QuestionPictureBaseId = 400;  // "IMG" picture or clip of question q: 400 + q
constexpr int AnswerPictureBaseId = 10400;  // "IMG" answer picture of question q
