#pragma once

#include <QAbstractTableModel>
#include <QHeaderView>
#include <QPointer>
#include <QTableView>

class TDataSource;
class TFDQuery;

// The grid's view of the poem cursor: one row per row of the cursor's
// result (its record count), the title and date as the two columns. Rows
// are read from the cursor as the view asks for them, which fetches the
// cursor's batches on demand: a first screen never loads the whole list.
class TPoemTableModel : public QAbstractTableModel {
    Q_OBJECT

public:
    struct TColumn {
        const char* field;
        QString title;
        int width;
    };

    explicit TPoemTableModel(QObject* parent = nullptr);

    void SetDataSource(TDataSource* dataSource);
    TFDQuery* DataSet() const;
    static const QVector<TColumn>& Columns();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

signals:
    // Reading a row failed; the message is shown once control is back in
    // the event loop, never from inside a paint.
    void ReadFailed(const QString& message) const;

private:
    void SyncRowCount();

    QPointer<TDataSource> v_dataSource;
    int v_rowCount = 0;
};

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

// The poem grid: read-only, its current row is the cursor's current row in
// both directions, and a left double click anywhere in it raises DblClick.
class TDBGrid : public QTableView {
    Q_OBJECT

public:
    explicit TDBGrid(QWidget* parent = nullptr);

    void SetDataSource(TDataSource* dataSource);
    TPoemTableModel* PoemModel() const { return v_model; }
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
    QPointer<TDataSource> v_dataSource;
    bool v_following = false;
};
