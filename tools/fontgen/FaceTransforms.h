#pragma once

// Changes to a TrueType face that make the program's Tahoma out of the one
// the system offers. They run at build time; the program embeds the result.

#include <QByteArray>
#include <QString>

// A copy of a TrueType face that lays out lines by the face's Windows
// ascent and descent, and that is named `family`:
// - the OS/2 flag "use typo metrics" is cleared, the typo metrics are set to
//   the Windows ones, and the embedded bitmaps of the small sizes, whose line
//   metrics are as low as the typo ones, are dropped. The typo ascent of the
//   Tahoma that the system offers is far lower than its Windows ascent, which
//   puts the baseline so high that a fixed box of one line cuts the accents
//   off capitals such as É, Ú and Ő;
// - the name table names the family `family` and the style after the face's
//   weight, so the copy never competes with the system's own registration
//   of the same face.
// Returns an empty array when `face` is no TrueType face it can read.
QByteArray WithWindowsLineMetrics(const QByteArray& face, const QString& family);

// A bold face made from a regular one: every outline and advance emboldened
// in the face's own units, by a 24th of its em, named `family` "Bold".
// The bold Tahoma that the system offers draws strokes hardly heavier than
// the regular face, and the font engine's own emboldening of the regular
// face works in the pixels of the unscaled text size, so that it fades at
// twice the size; this one is as bold at every scale. Empty when `regular`
// cannot be read.
QByteArray EmboldenedFace(const QByteArray& regular, const QString& family);
