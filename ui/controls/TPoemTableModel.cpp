// The grid's rows read from the poem cursor on demand.

#include "ui/controls/TPoemTableModel.h"

#include "store/TDatabaseError.h"
#include "store/TFDQuery.h"

#include <QApplication>
#include <QColor>
#include <QFont>

TPoemTableModel::TPoemTableModel(QObject* parent) : QAbstractTableModel(parent) {}

const QVector<TPoemTableModel::TColumn>& TPoemTableModel::Columns() {
    static const QVector<TColumn> columns{
        {"CIM", QStringLiteral("Cím"), 450},
        {"DATUM", QStringLiteral("Készült"), 180},
    };
    return columns;
}

void TPoemTableModel::SetDataSource(TDataSource* dataSource) {
    v_link.Follow(dataSource, this, {&TDataSource::StateChange}, [this] { SyncRowCount(); });
}

TFDQuery* TPoemTableModel::DataSet() const {
    return v_link.Source() ? v_link.Source()->DataSet() : nullptr;
}

// Rows are removed and inserted rather than the model reset, so that the
// columns the user widened or moved keep their width and place.
void TPoemTableModel::SyncRowCount() {
    const TFDQuery* query = DataSet();
    const int count = query && query->Active() ? query->RecordCount() : 0;
    if (v_rowCount > 0) {
        beginRemoveRows({}, 0, v_rowCount - 1);
        v_rowCount = 0;
        endRemoveRows();
    }
    if (count > 0) {
        beginInsertRows({}, 0, count - 1);
        v_rowCount = count;
        endInsertRows();
    }
}

int TPoemTableModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : v_rowCount;
}

int TPoemTableModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(Columns().size());
}

QVariant TPoemTableModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    if (role == Qt::ForegroundRole)
        return QColor(0, 0, 255);
    if (role != Qt::DisplayRole)
        return {};
    TFDQuery* query = DataSet();
    if (!query || !query->Active())
        return {};
    try {
        if (!query->EnsureFetched(index.row()))
            return {};
    } catch (const EDatabaseError& error) {
        emit ReadFailed(error.Text());
        return {};
    }
    const QString text =
        query->Value(index.row(), query->FieldIndex(QString::fromLatin1(Columns().at(index.column()).field)))
            .toString();
    // A cell shows one line: what a multi-line title holds after its first
    // line break stays out of the grid.
    const qsizetype lineBreak = text.indexOf(QLatin1Char('\n'));
    return lineBreak < 0 ? text : text.left(lineBreak);
}

QVariant TPoemTableModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || section < 0 || section >= Columns().size())
        return {};
    if (role == Qt::DisplayRole)
        return Columns().at(section).title;
    if (role == Qt::FontRole) {
        QFont bold = QApplication::font();
        bold.setBold(true);
        return bold;
    }
    return {};
}

Qt::ItemFlags TPoemTableModel::flags(const QModelIndex& index) const {
    return index.isValid() ? Qt::ItemIsEnabled | Qt::ItemIsSelectable : Qt::NoItemFlags;
}
