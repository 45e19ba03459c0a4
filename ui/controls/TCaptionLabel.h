#pragma once

// A caption of one line in a fixed box, drawn from the box's top edge and
// centred on its width, as the viewer's title and date are shown.

#include <QLabel>
#include <QRect>

// Only the caption's first line is seen, and a line wider than the box is
// cut off at both edges. Glyphs that reach above or below the box are drawn
// whole: the accents of capitals such as Ú and Ő rise above the ascent that
// places the baseline, and a box of the font's height has no row to spare
// for them. So the widget extends a little above and below its box, without
// a background of its own, and everything else (layout, alignment, the
// baseline) goes by the box.
class TCaptionLabel : public QLabel {
    Q_OBJECT

public:
    TCaptionLabel(const QString& text, QWidget* parent);

    // Places the caption's box, in the parent's coordinates.
    void SetBox(const QRect& box);
    QRect Box() const { return v_box; }

    // What the label shows of its text: the first line.
    QString ShownCaption() const;

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void PlaceAroundBox();

    QRect v_box;
};
