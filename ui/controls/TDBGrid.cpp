// The poem grid: following the cursor, keys, wheel and double clicks.

#include "ui/controls/TDBGrid.h"

#include "app/TApplication.h"
#include "store/TFDQuery.h"

#include <QAbstractButton>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWheelEvent>

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
    v_model->SetDataSource(dataSource);
    v_link.Follow(dataSource, this, {&TDataSource::StateChange, &TDataSource::DataChange}, [this] { FollowCursor(); });
}

// Makes the cursor's current row the grid's current row and keeps it in view.
void TDBGrid::FollowCursor() {
    const TFDQuery* query = v_model->DataSet();
    const int row = query && query->Active() ? query->RecNo() : -1;
    v_indicator->SetCurrentRow(row);
    if (row < 0 || row >= v_model->rowCount())
        return;
    const int column = currentIndex().isValid() ? currentIndex().column() : horizontalHeader()->logicalIndex(0);
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
