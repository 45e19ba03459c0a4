// Drawing a picture button and pressing it with Enter.

#include "ui/controls/TBitBtn.h"

#include "ui/controls/Images.h"

#include <QKeyEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

TBitBtn::TBitBtn(QWidget* parent, const char* name, const QString& caption, const QString& glyph, const QRect& geometry)
    : QPushButton(TwoStateGlyph(glyph), caption, parent) {
    setObjectName(QString::fromLatin1(name));
    setIconSize(QSize(16, 16));
    setAutoDefault(false);
    setDefault(false);
    setGeometry(geometry);
}

void TBitBtn::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    QRect content = style()->subElementRect(QStyle::SE_PushButtonContents, &option, this);
    if (isDown() || isChecked())
        content.translate(style()->pixelMetric(QStyle::PM_ButtonShiftHorizontal, &option, this),
                          style()->pixelMetric(QStyle::PM_ButtonShiftVertical, &option, this));
    const QSize picture = iconSize();
    const int captionWidth = fontMetrics().horizontalAdvance(QString(text()).remove(QLatin1Char('&')));
    const int left = content.left() + (content.width() - picture.width() - Spacing - captionWidth) / 2;
    const QRect pictureRect(QPoint(left, content.top() + (content.height() - picture.height()) / 2), picture);
    const QIcon::Mode mode = isEnabled() ? QIcon::Normal : QIcon::Disabled;
    painter.drawPixmap(pictureRect, icon().pixmap(picture, devicePixelRatioF(), mode));
    const QRect captionRect(pictureRect.right() + 1 + Spacing, content.top(), captionWidth + 1, content.height());
    painter.drawItemText(captionRect, Qt::AlignLeft | Qt::AlignVCenter | Qt::TextShowMnemonic | Qt::TextDontClip,
                         palette(), isEnabled(), text(), QPalette::ButtonText);

    if (option.state & QStyle::State_HasFocus) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = style()->subElementRect(QStyle::SE_PushButtonFocusRect, &option, this);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}

void TBitBtn::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && !event->isAutoRepeat()) {
        animateClick();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}
