#pragma once

// The data source that the views of the poem cursor observe.

#include <QObject>
#include <QPointer>

#include "store/TDataLink.h"
#include "store/TFDQuery.h"

// Links the views to the poem cursor: every observer of the data source hears
// when the cursor opens or closes (StateChange) and when its current row or
// its marks move (DataChange). Views follow it through a TDataLink.
class TDataSource : public QObject {
    Q_OBJECT

public:
    explicit TDataSource(QObject* parent = nullptr);

    void SetDataSet(TFDQuery* dataSet);
    TFDQuery* DataSet() const { return v_dataSet; }

    // Whether the linked cursor is open.
    bool Active() const { return v_dataSet && v_dataSet->Active(); }

signals:
    void StateChange();
    void DataChange();

private:
    QPointer<TFDQuery> v_dataSet;
};
