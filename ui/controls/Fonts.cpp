// The program's Tahoma at a size and style.

#include "ui/controls/Fonts.h"

#include "app/TApplication.h"

QFont TahomaFont(int pixelSize, TFontStyle style) {
    QFont font(TApplication::Instance()->FontFamily());
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(pixelSize);
    font.setBold(style == TFontStyle::Bold || style == TFontStyle::BoldItalic);
    font.setItalic(style == TFontStyle::Italic || style == TFontStyle::BoldItalic);
    font.setUnderline(style == TFontStyle::Underlined);
    return font;
}
