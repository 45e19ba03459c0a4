#pragma once

// The program's two fixed message windows: the start-up failure report and the exit question.

#include <QString>

// The start-up failure report: a modal message with the fixed text, no icon,
// one "OK" button and the application title as caption; then the end of the
// program is requested.
void FailureReport(const QString& text);

// The exit question asked by both exits. True when the user answered Yes.
bool AskExitQuestion();

inline const QString ExitPrompt = QStringLiteral("Program használatásan befejezése ?");
inline const QString ExitQuestionCaption = QStringLiteral("Figyelem:");
inline const QString ExitQuestionText = QStringLiteral("Biztosan be kívánja fejezni a program használatát ?");
