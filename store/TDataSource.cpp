// The data source between the poem cursor and its views.

#include "store/TDataSource.h"

TDataSource::TDataSource(QObject* parent) : QObject(parent) {}

void TDataSource::SetDataSet(TFDQuery* dataSet) {
    if (v_dataSet)
        disconnect(v_dataSet, nullptr, this, nullptr);
    v_dataSet = dataSet;
    if (v_dataSet) {
        connect(v_dataSet, &TFDQuery::ActiveChanged, this, &TDataSource::StateChange);
        connect(v_dataSet, &TFDQuery::RecordChanged, this, &TDataSource::DataChange);
    }
    emit StateChange();
}
