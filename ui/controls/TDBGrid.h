#pragma once

// The poem grid over the data source.

#include "store/TDataSource.h"
#include "ui/controls/TGridHeaders.h"
#include "ui/controls/TPoemTableModel.h"

#include <QTableView>

// The poem grid: read-only, its current row is the cursor's current row in
// both directions, and a left double click anywhere in it raises DblClick.
class TDBGrid : public QTableView {
    Q_OBJECT

public:
    explicit TDBGrid(QWidget* parent = nullptr);

    void SetDataSource(TDataSource* dataSource);
    TIndicatorHeader* Indicator() const { return v_indicator; }

    // Rows wholly inside the data area.
    int FullyVisibleRows() const;

    void keyboardSearch(const QString& search) override;

signals:
    // A left double click anywhere in the grid, or Enter while it has the focus.
    void DblClick();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;

private:
    void FollowCursor();
    void MoveCursorBy(int rows);
    void MoveToColumn(int visualColumn);
    int TopVisibleRow() const;
    int CurrentVisualColumn() const;
    void ShowReadFailure(const QString& message);

    TPoemTableModel* v_model;
    TIndicatorHeader* v_indicator;
    TTitleHeader* v_titles;
    TDataLink<TDataSource> v_link;
    bool v_following = false;
};
