#include "TDBGrid.h"

#include "app/TApplication.h"
#include "store/TDataSource.h"
#include "store/TDatabaseError.h"
#include "store/TFDQuery.h"

#include <QAbstractButton>
#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QStyleOptionHeader>
#include <QWheelEvent>
#include <qdrawutil.h>

// ---------------------------------------------------------------- model

TPoemTableModel::TPoemTableModel(QObject* parent) : QAbstractTableModel(parent) {}

const QVector<TPoemTableModel::TColumn>& TPoemTableModel::Columns() {
    static const QVector<TColumn> columns{
        {"CIM", QStringLiteral("Cím"), 450},
        {"DATUM", QStringLiteral("Készült"), 180},
    };
    return columns;
}

void TPoemTableModel::SetDataSource(TDataSource* dataSource) {
    if (v_dataSource)
        disconnect(v_dataSource, nullptr, this, nullptr);
    v_dataSource = dataSource;
    if (v_dataSource) {
        connect(v_dataSource, &TDataSource::StateChange, this, &TPoemTableModel::SyncRowCount);
        connect(v_dataSource, &TDataSource::DataSetReloaded, this, &TPoemTableModel::SyncRowCount);
    }
    SyncRowCount();
}

TFDQuery* TPoemTableModel::DataSet() const {
    return v_dataSource ? v_dataSource->DataSet() : nullptr;
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
    const QString text = query->Value(index.row(), query->FieldIndex(QString::fromLatin1(Columns().at(index.column()).field))).toString();
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

// ---------------------------------------------------------------- indicator

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

// ---------------------------------------------------------------- titles

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

// ---------------------------------------------------------------- grid

TDBGrid::TDBGrid(QWidget* parent)
    : QTableView(parent),
      v_model(new TPoemTableModel(this)),
      v_indicator(new TIndicatorHeader(this)),
      v_titles(new TTitleHeader(this)) {
    setVerticalHeader(v_indicator);
    setHorizontalHeader(v_titles);
    setModel(v_model);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setSelectionBehavior(QAbstractItemView::SelectItems);
    setTabKeyNavigation(true);
    setSortingEnabled(false);
    setShowGrid(true);
    setWordWrap(false);
    setTextElideMode(Qt::ElideNone);
    setCornerButtonEnabled(false);
    setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
    setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    setFocusPolicy(Qt::StrongFocus);

    QHeaderView* titles = horizontalHeader();
    titles->setSectionsMovable(true);
    titles->setSectionsClickable(true);
    titles->setHighlightSections(false);
    titles->setSectionResizeMode(QHeaderView::Interactive);
    titles->setStretchLastSection(false);
    titles->setSortIndicatorShown(false);
    titles->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    QFont titleFont = titles->font();
    titleFont.setBold(true);
    titles->setFont(titleFont);
    for (int column = 0; column < TPoemTableModel::Columns().size(); ++column)
        titles->resizeSection(column, TPoemTableModel::Columns().at(column).width);

    v_indicator->setDefaultSectionSize(fontMetrics().height() + 5);
    v_indicator->setMinimumSectionSize(fontMetrics().height() + 5);

    for (QWidget* part : {static_cast<QWidget*>(titles), titles->viewport(), static_cast<QWidget*>(v_indicator),
                          v_indicator->viewport()})
        part->installEventFilter(this);
    if (auto* corner = findChild<QAbstractButton*>())
        corner->installEventFilter(this);

    connect(v_model, &TPoemTableModel::ReadFailed, this, &TDBGrid::ShowReadFailure, Qt::QueuedConnection);
}

void TDBGrid::SetDataSource(TDataSource* dataSource) {
    if (v_dataSource)
        disconnect(v_dataSource, nullptr, this, nullptr);
    v_dataSource = dataSource;
    v_model->SetDataSource(dataSource);
    if (v_dataSource) {
        connect(v_dataSource, &TDataSource::StateChange, this, &TDBGrid::FollowCursor);
        connect(v_dataSource, &TDataSource::DataChange, this, &TDBGrid::FollowCursor);
        connect(v_dataSource, &TDataSource::DataSetReloaded, this, &TDBGrid::FollowCursor);
    }
    FollowCursor();
}

// Makes the cursor's current row the grid's current row and keeps it in view.
void TDBGrid::FollowCursor() {
    const TFDQuery* query = v_model->DataSet();
    const int row = query && query->Active() ? query->RecNo() : -1;
    v_indicator->SetCurrentRow(row);
    if (row < 0 || row >= v_model->rowCount())
        return;
    const int column = currentIndex().isValid() ? currentIndex().column()
                                                : horizontalHeader()->logicalIndex(0);
    v_following = true;
    setCurrentIndex(v_model->index(row, column));
    v_following = false;
    scrollTo(currentIndex());
}

void TDBGrid::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
    QTableView::currentChanged(current, previous);
    if (v_following || !current.isValid())
        return;
    TFDQuery* query = v_model->DataSet();
    if (!query || !query->Active() || current.row() == query->RecNo())
        return;
    MoveCursorBy(current.row() - query->RecNo());
}

void TDBGrid::MoveCursorBy(int rows) {
    TFDQuery* query = v_model->DataSet();
    if (!query || !query->Active())
        return;
    RunHandler([&] { query->MoveBy(rows); });
    FollowCursor();
}

int TDBGrid::TopVisibleRow() const {
    return qMax(0, rowAt(0));
}

int TDBGrid::FullyVisibleRows() const {
    const int height = qMax(1, v_indicator->defaultSectionSize());
    return qMax(1, viewport()->height() / height);
}

int TDBGrid::CurrentVisualColumn() const {
    const int logical = currentIndex().isValid() ? currentIndex().column() : horizontalHeader()->logicalIndex(0);
    return horizontalHeader()->visualIndex(logical);
}

void TDBGrid::MoveToColumn(int visualColumn) {
    const TFDQuery* query = v_model->DataSet();
    if (!query || query->RecNo() < 0)
        return;
    const int clamped = qBound(0, visualColumn, v_model->columnCount() - 1);
    v_following = true;
    setCurrentIndex(v_model->index(query->RecNo(), horizontalHeader()->logicalIndex(clamped)));
    v_following = false;
    scrollTo(currentIndex());
}

void TDBGrid::keyPressEvent(QKeyEvent* event) {
    TFDQuery* query = v_model->DataSet();
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    const int lastColumn = v_model->columnCount() - 1;
    const int recNo = query ? query->RecNo() : -1;
    const int topRow = TopVisibleRow();
    const int bottomRow = qMin(v_model->rowCount() - 1, topRow + FullyVisibleRows() - 1);
    event->accept();
    switch (event->key()) {
    case Qt::Key_Up:
        MoveCursorBy(ctrl ? topRow - recNo : -1);
        return;
    case Qt::Key_Down:
        MoveCursorBy(ctrl ? bottomRow - recNo : 1);
        return;
    case Qt::Key_PageUp:
        MoveCursorBy(ctrl ? topRow - recNo : -FullyVisibleRows());
        return;
    case Qt::Key_PageDown:
        MoveCursorBy(ctrl ? bottomRow - recNo : FullyVisibleRows());
        return;
    case Qt::Key_Home:
        if (ctrl) {
            if (query && query->Active())
                RunHandler([&] { query->First(); });
        } else {
            MoveToColumn(0);
        }
        return;
    case Qt::Key_End:
        if (ctrl) {
            if (query && query->Active())
                RunHandler([&] { query->Last(); });
        } else {
            MoveToColumn(lastColumn);
        }
        return;
    case Qt::Key_Left:
        MoveToColumn(CurrentVisualColumn() - 1);
        return;
    case Qt::Key_Right:
        MoveToColumn(CurrentVisualColumn() + 1);
        return;
    case Qt::Key_Tab:
        if (CurrentVisualColumn() < lastColumn) {
            MoveToColumn(CurrentVisualColumn() + 1);
        } else if (query && query->Active() && !query->Eof() && recNo + 1 < v_model->rowCount()) {
            MoveCursorBy(1);
            MoveToColumn(0);
        }
        return;
    case Qt::Key_Backtab:
        if (CurrentVisualColumn() > 0) {
            MoveToColumn(CurrentVisualColumn() - 1);
        } else if (recNo > 0) {
            MoveCursorBy(-1);
            MoveToColumn(lastColumn);
        }
        return;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        // A reader with the keyboard alone opens the current poem as a
        // double click does.
        if (!event->isAutoRepeat())
            emit DblClick();
        return;
    default:
        // Read-only: Insert, Delete, F2 and typed characters change nothing.
        return;
    }
}

void TDBGrid::keyboardSearch(const QString&) {
    // Typing never moves the grid.
}

void TDBGrid::wheelEvent(QWheelEvent* event) {
    const int notches = event->angleDelta().y() / 120;
    if (notches != 0)
        MoveCursorBy(-notches);
    event->accept();
}

void TDBGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    event->accept();
    if (event->button() == Qt::LeftButton)
        emit DblClick();
}

bool TDBGrid::eventFilter(QObject* watched, QEvent* event) {
    const bool onIndicator = watched == v_indicator || watched == v_indicator->viewport();
    switch (event->type()) {
    case QEvent::MouseButtonDblClick:
        // The title row, its borders, the indicator column and the corner
        // belong to the grid too: a left double click there opens the viewer.
        if (static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
            emit DblClick();
        return true;
    case QEvent::MouseButtonPress:
        if (onIndicator) {
            // A click with any button on an indicator cell makes its row current.
            const int row = v_indicator->logicalIndexAt(static_cast<QMouseEvent*>(event)->position().toPoint());
            const TFDQuery* query = v_model->DataSet();
            if (row >= 0 && query && query->Active())
                MoveCursorBy(row - query->RecNo());
            setFocus(Qt::MouseFocusReason);
            return true;
        }
        break;
    default:
        break;
    }
    return QTableView::eventFilter(watched, event);
}

// A failed fetch finishes the cursor's statement, so later reads of the same
// paint find no more rows and the failure is reported once.
void TDBGrid::ShowReadFailure(const QString& message) {
    TApplication::Instance()->ShowErrorText(message);
}
