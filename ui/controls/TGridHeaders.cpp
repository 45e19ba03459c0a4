// Drawing the grid's indicator column and title row.

#include "ui/controls/TGridHeaders.h"

#include <qdrawutil.h>
#include <QPainter>
#include <QStyleOptionHeader>

TIndicatorHeader::TIndicatorHeader(QWidget* parent) : QHeaderView(Qt::Vertical, parent) {
    setSectionResizeMode(QHeaderView::Fixed);
    setSectionsClickable(false);
    setHighlightSections(false);
    setFixedWidth(11);
}

void TIndicatorHeader::SetCurrentRow(int row) {
    if (row == v_currentRow)
        return;
    const int previous = v_currentRow;
    v_currentRow = row;
    for (const int section : {previous, row}) {
        if (section >= 0)
            updateSection(section);
    }
}

// Only the width counts for a vertical header; working out a height would
// visit every row.
QSize TIndicatorHeader::sizeHint() const {
    return {11, 0};
}

void TIndicatorHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    QStyleOptionHeader option;
    initStyleOption(&option);
    option.rect = rect;
    option.section = logicalIndex;
    painter->save();
    style()->drawControl(QStyle::CE_Header, &option, painter, this);
    painter->restore();
    if (logicalIndex != v_currentRow)
        return;
    // A black triangle pointing right, 6 x 11 pixels, centred in the cell.
    const int left = rect.left() + (rect.width() - 6) / 2;
    const int top = rect.top() + (rect.height() - 11) / 2;
    const QPolygon triangle{QPoint(left, top), QPoint(left + 5, top + 5), QPoint(left, top + 10)};
    painter->save();
    painter->setRenderHint(QPainter::Antialiasing, false);
    painter->setPen(Qt::black);
    painter->setBrush(Qt::black);
    painter->drawPolygon(triangle);
    painter->restore();
}

TTitleHeader::TTitleHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent) {
    setAttribute(Qt::WA_Hover);
    viewport()->setAttribute(Qt::WA_Hover);
}

// The platform's section, then a lighter face under the pointer or a sunken
// one while pressed, the title moved down and right by a pixel as a pressed
// button's caption is.
void TTitleHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const {
    QStyleOptionHeader option;
    initStyleOptionForIndex(&option, logicalIndex);
    option.rect = rect;
    const bool pressed = option.state & QStyle::State_Sunken;
    const bool hovered = !pressed && (option.state & QStyle::State_MouseOver);
    painter->save();
    const QVariant font = model() ? model()->headerData(logicalIndex, orientation(), Qt::FontRole) : QVariant();
    if (font.canConvert<QFont>())
        painter->setFont(font.value<QFont>());
    style()->drawControl(QStyle::CE_HeaderSection, &option, painter, this);
    const QRect face = rect.adjusted(1, 1, -2, -2);
    if (hovered)
        painter->fillRect(face, QColor(255, 255, 255, 110));
    QStyleOptionHeader label = option;
    label.rect = style()->subElementRect(QStyle::SE_HeaderLabel, &option, this);
    if (pressed) {
        painter->fillRect(face, QColor(0, 0, 0, 28));
        qDrawShadePanel(painter, rect.adjusted(0, 0, -1, -1), palette(), true, 1);
        label.rect.translate(1, 1);
    }
    style()->drawControl(QStyle::CE_HeaderLabel, &label, painter, this);
    painter->restore();
}
