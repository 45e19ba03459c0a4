#pragma once

// The one place the windows take their fonts from: the program's Tahoma at a
// character height in pixels (at 96 dpi) and a style.

#include <QFont>

enum class TFontStyle { Regular, Bold, Italic, BoldItalic, Underlined };

QFont TahomaFont(int pixelSize, TFontStyle style = TFontStyle::Regular);
