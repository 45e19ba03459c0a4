#pragma once

// The poem grid's two headers: the indicator column and the title row.

#include <QHeaderView>

// The indicator column: a header cell per row, the current row marked with
// a small black triangle pointing right.
class TIndicatorHeader : public QHeaderView {
    Q_OBJECT

public:
    explicit TIndicatorHeader(QWidget* parent = nullptr);
    void SetCurrentRow(int row);
    int CurrentRow() const { return v_currentRow; }

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
    QSize sizeHint() const override;

private:
    int v_currentRow = -1;
};

// The title row: each column's title in bold, drawn highlighted while the
// pointer is on it and pressed while the left button is held on it.
class TTitleHeader : public QHeaderView {
    Q_OBJECT

public:
    explicit TTitleHeader(QWidget* parent = nullptr);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};
