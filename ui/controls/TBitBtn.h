#pragma once

// A push button with a picture: the picture (16 x 16, its greyed twin while
// the button is disabled) and the caption centred together on the button,
// the picture left of the caption and 4 pixels apart.

#include <QPushButton>

class TBitBtn : public QPushButton {
    Q_OBJECT

public:
    static constexpr int Spacing = 4;  // between the picture and the caption

    // `glyph` is a two-state picture file (see TwoStateGlyph); `geometry`
    // is the button's place in `parent`.
    TBitBtn(QWidget* parent, const char* name, const QString& caption, const QString& glyph, const QRect& geometry);

protected:
    void paintEvent(QPaintEvent* event) override;
    // Enter and Return press the button that has the keyboard focus, as
    // Space does; no button is a default button that takes them elsewhere.
    void keyPressEvent(QKeyEvent* event) override;
};
