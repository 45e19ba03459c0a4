#pragma once

#include <QObject>
#include <QPointer>

#include "TFDQuery.h"

// Links the views to the poem cursor: every observer of the data source hears
// when the cursor opens or closes (StateChange), when its current row or its
// marks move (DataChange), and when its rows are reloaded (DataSetReloaded).
class TDataSource : public QObject {
    Q_OBJECT

public:
    explicit TDataSource(QObject* parent = nullptr);

    void SetDataSet(TFDQuery* dataSet);
    TFDQuery* DataSet() const { return v_dataSet; }

    // Whether the linked cursor is open.
    bool Active() const { return v_dataSet && v_dataSet->Active(); }

    // Tells the observers that the rows were reloaded in place.
    void NotifyReloaded() { emit DataSetReloaded(); }

signals:
    void StateChange();
    void DataChange();
    void DataSetReloaded();

private:
    QPointer<TFDQuery> v_dataSet;
};
