#pragma once

// The table model the poem grid shows.

#include "store/TDataSource.h"

#include <QAbstractTableModel>
#include <QVector>

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

    TDataLink<TDataSource> v_link;
    int v_rowCount = 0;
};
