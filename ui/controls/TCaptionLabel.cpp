// Drawing a one-line caption with its overhanging glyphs whole.

#include "ui/controls/TCaptionLabel.h"

#include <QEvent>
#include <QPainter>
#include <QRegularExpression>
#include <QStyle>

TCaptionLabel::TCaptionLabel(const QString& text, QWidget* parent) : QLabel(text, parent) {
    setTextFormat(Qt::PlainText);
    setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    setWordWrap(false);
    setFocusPolicy(Qt::NoFocus);
    setAutoFillBackground(false);
}

void TCaptionLabel::SetBox(const QRect& box) {
    v_box = box;
    PlaceAroundBox();
}

// Room for a quarter of the font's height above and below the box: more
// than any accent or descender of the face reaches beyond its line.
void TCaptionLabel::PlaceAroundBox() {
    const int room = (fontMetrics().height() + 3) / 4;
    setContentsMargins(0, room, 0, room);
    setFixedSize(v_box.width(), v_box.height() + 2 * room);
    move(v_box.left(), v_box.top() - room);
}

QString TCaptionLabel::ShownCaption() const {
    const QString caption = text();
    const qsizetype lineBreak = caption.indexOf(QRegularExpression(QStringLiteral("[\r\n]")));
    return lineBreak < 0 ? caption : caption.left(lineBreak);
}

void TCaptionLabel::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    style()->drawItemText(&painter, contentsRect(), int(alignment()) | Qt::TextDontClip | Qt::TextSingleLine, palette(),
                          isEnabled(), ShownCaption(), foregroundRole());
}

void TCaptionLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange && v_box.isValid())
        PlaceAroundBox();
}
