// The main window: its frame, menu, pages and grid, the start-up on first showing and the exits.

#include "ui/Unit1.h"

#include "ui/Unit2.h"
#include "ui/controls/AccessKeys.h"
#include "ui/controls/Hints.h"
#include "ui/controls/Images.h"
#include "ui/controls/TDBGrid.h"
#include "ui/controls/TProgramStyle.h"
#include "ui/controls/TStatusBar.h"

#include "app/Dialogs.h"
#include "app/Lifecycle.h"
#include "app/TApplication.h"
#include "app/WindowPlacement.h"
#include "store/EmbeddedDatabase.h"
#include "store/TDataSource.h"
#include "store/TFDConnection.h"
#include "store/TFDQuery.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QShortcut>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>

#include <memory>

namespace {

constexpr int ClientWidth = 702;
constexpr int ClientHeight = 552;

// The first control of `page` that the Tab key would visit, or null.
QWidget* FirstTabStop(QWidget* page) {
    for (QWidget* w = page->nextInFocusChain(); w && w != page; w = w->nextInFocusChain()) {
        if (!page->isAncestorOf(w))
            continue;
        if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisibleTo(page))
            return w;
    }
    return nullptr;
}

}  // namespace

TForm1::TForm1(QWidget* parent) : QMainWindow(parent) {
    // Before any control: the menu bar reads the Alt key's role when made.
    TProgramStyle::Install();
    setWindowTitle(QStringLiteral("Lantor összes költeménye:"));
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_DeleteOnClose, false);

    auto* client = new QWidget(this);
    client->setObjectName(QStringLiteral("Client"));
    client->setFixedSize(ClientWidth, ClientHeight);
    client->setAutoFillBackground(true);
    client->setBackgroundRole(QPalette::Button);  // the 3-D face colour
    setCentralWidget(client);

    CreateDataComponents();
    CreateMenu();
    CreatePages();
    CreateStatusBar();
    CreateClock();
    CreateHintLine();

    setFixedSize(ClientWidth, ClientHeight + menuBar()->sizeHint().height());
    // Asked now, the window manager answers while the start-up goes on.
    AskForFrameMargins(this);
}

// The cursor and the connection go with the window; they are let go while
// every view that observes them still exists.
TForm1::~TForm1() {
    FDQuery1->Close();
    FDConnection1->Disconnect();
}

void TForm1::CreateDataComponents() {
    FDConnection1 = new TFDConnection(this);
    FDConnection1->setObjectName(QStringLiteral("FDConnection1"));
    FDQuery1 = new TFDQuery(this);
    FDQuery1->setObjectName(QStringLiteral("FDQuery1"));
    FDQuery1->SetConnection(FDConnection1);
    DataSource1 = new TDataSource(this);
    DataSource1->setObjectName(QStringLiteral("DataSource1"));
    DataSource1->SetDataSet(FDQuery1);
}

void TForm1::CreateMenu() {
    MainMenu1 = menuBar();
    MainMenu1->setObjectName(QStringLiteral("MainMenu1"));

    const QStringList barCaptions = AssignAccessKeys({QStringLiteral("Lehetőségek")});
    Lehetsgek1 = MainMenu1->addMenu(barCaptions.at(0));
    Lehetsgek1->setObjectName(QStringLiteral("Lehetsgek1"));
    SetHint(Lehetsgek1->menuAction(), QStringLiteral("Kérem válasszon !"));

    const QStringList captions =
        AssignAccessKeys({QStringLiteral("Lexikon"), QStringLiteral("Keresés"), QStringLiteral("Bemutatkozás"),
                          QString(), QStringLiteral("Kilépés")});
    Lexikon1 = Lehetsgek1->addAction(captions.at(0), this, Handler(this, &TForm1::Lexikon1Click));
    Keress1 = Lehetsgek1->addAction(captions.at(1), this, Handler(this, &TForm1::Keress1Click));
    Bemutatkozs1 = Lehetsgek1->addAction(captions.at(2), this, Handler(this, &TForm1::Bemutatkozs1Click));
    N1 = Lehetsgek1->addSeparator();
    Kilps1 = Lehetsgek1->addAction(captions.at(4), this, Handler(this, &TForm1::Kilps1Click));

    const std::pair<QAction*, const char*> names[] = {
        {Lexikon1, "Lexikon1"}, {Keress1, "Keress1"}, {Bemutatkozs1, "Bemutatkozs1"}, {N1, "N1"}, {Kilps1, "Kilps1"}};
    for (const auto& [action, name] : names)
        action->setObjectName(QString::fromLatin1(name));
    SetHint(Lexikon1, QStringLiteral("Adatok megtekintése !"));
    SetHint(Keress1, QStringLiteral("Adatok keresése !"));
    SetHint(Bemutatkozs1, QStringLiteral("Névjegy !"));
    SetHint(Kilps1, QStringLiteral("Program hasznáéatának befejezése !"));

    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), this);
    connect(menuKey, &QShortcut::activated, this, &TForm1::TakeKeyboardToMenuBar);
}

// F10 does what Alt pressed and released alone does: the menu bar highlights
// its first entry and takes the keys. The bar offers that only to the Alt
// key, so the two key events it watches for are handed to it.
void TForm1::TakeKeyboardToMenuBar() {
    // A modifier key's event reports its own modifier flipped: the state
    // before the press, with the pressed key's own modifier, is Alt alone.
    QKeyEvent altDown(QEvent::ShortcutOverride, Qt::Key_Alt, Qt::NoModifier);
    QCoreApplication::sendEvent(this, &altDown);
    QKeyEvent altUp(QEvent::KeyRelease, Qt::Key_Alt, Qt::AltModifier);
    QCoreApplication::sendEvent(this, &altUp);
}

void TForm1::CreatePages() {
    PageControl1 = new QTabWidget(centralWidget());
    PageControl1->setObjectName(QStringLiteral("PageControl1"));
    PageControl1->setGeometry(8, 8, 681, 514);
    PageControl1->setDocumentMode(false);
    // A click on a tab puts the keyboard focus on the tab strip, so that the
    // page's last focused control does not take the next key.
    PageControl1->tabBar()->setFocusPolicy(Qt::StrongFocus);

    TabSheet1 = new QWidget;
    TabSheet1->setObjectName(QStringLiteral("TabSheet1"));
    TabSheet2 = new QWidget;
    TabSheet2->setObjectName(QStringLiteral("TabSheet2"));
    TabSheet3 = new QWidget;
    TabSheet3->setObjectName(QStringLiteral("TabSheet3"));
    PageControl1->addTab(TabSheet1, QStringLiteral("Lexikon"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Keresés"));
    PageControl1->addTab(TabSheet3, QStringLiteral("Bemutatkozás"));

    CreateListPage();
    CreateSearchPage();
    CreateAboutPage();
    PageControl1->setCurrentIndex(0);
}

void TForm1::CreateListPage() {
    DBGrid1 = new TDBGrid(TabSheet1);
    DBGrid1->setObjectName(QStringLiteral("DBGrid1"));
    DBGrid1->setGeometry(3, 3, 667, 479);
    DBGrid1->SetDataSource(DataSource1);
    DBGrid1->setAccessibleName(QStringLiteral("Versek"));
    SetHint(DBGrid1, QStringLiteral("Dupla klikk: megtekintés.|Dupla klikk: aktuális tétel megtekintése."));
    connect(DBGrid1, &TDBGrid::DblClick, this, Handler(this, &TForm1::DBGrid1DblClick));
}

void TForm1::CreateStatusBar() {
    StatusBar1 = new TStatusBar(centralWidget());
    StatusBar1->setObjectName(QStringLiteral("StatusBar1"));
    StatusBar1->setGeometry(0, 533, ClientWidth, 19);
}

QString TForm1::DatabasePath() const {
    return v_prdir + DatabaseFileSuffix;
}

void TForm1::setVisible(bool visible) {
    // The start-up sequence runs once, when the window is first shown and
    // before it appears; a start that requested the end never shows it.
    if (visible && !v_startedUp) {
        v_startedUp = true;
        if (const QScreen* screen = QGuiApplication::primaryScreen())
            setGeometry(CentredClientGeometry(size(), ExpectedFrameMargins(this), screen->availableGeometry()));
        FormShow();
        if (TApplication::Instance()->Terminated())
            return;
    }
    QMainWindow::setVisible(visible);
}

void TForm1::FormShow() {
    v_prdir = QDir::currentPath();
    OpenAnthology(DatabasePath(), *FDConnection1, *FDQuery1);
    Edit1->clear();
    ShowHitCount();
    PageControl1->setCurrentIndex(0);
}

// The exit question of both exits, with its prompt in the hint line while
// it is open.
bool TForm1::AskToLeave() {
    StatusBar1->SetPanelText(TStatusBar::HintPanel, ExitPrompt);
    const bool yes = AskExitQuestion();
    StatusBar1->SetPanelText(TStatusBar::HintPanel, QString());
    return yes;
}

bool TForm1::FormClose() {
    if (!AskToLeave())
        return false;
    CloseAnthology(*FDQuery1, *FDConnection1, DatabasePath());
    return true;
}

void TForm1::closeEvent(QCloseEvent* event) {
    bool allowed = true;
    RunHandler([&] { allowed = FormClose(); });
    if (allowed)
        event->accept();
    else
        event->ignore();
}

// Unlike a close, the end request closes no window: the question is asked once.
void TForm1::Kilps1Click() {
    if (!AskToLeave())
        return;
    CloseAnthology(*FDQuery1, *FDConnection1, DatabasePath());
    TApplication::Instance()->Terminate();
}

void TForm1::SelectPage(int index) {
    if (PageControl1->currentIndex() == index)
        return;
    QWidget* focus = QApplication::focusWidget();
    const bool focusWasInside = focus && PageControl1->currentWidget()->isAncestorOf(focus);
    PageControl1->setCurrentIndex(index);
    if (!focusWasInside)
        return;
    QWidget* page = PageControl1->currentWidget();
    if (QWidget* first = FirstTabStop(page))
        first->setFocus(Qt::OtherFocusReason);
    else
        page->setFocus(Qt::OtherFocusReason);
}

void TForm1::Lexikon1Click() {
    SelectPage(0);
}

void TForm1::Keress1Click() {
    SelectPage(1);
}

void TForm1::Bemutatkozs1Click() {
    SelectPage(2);
}

void TForm1::DBGrid1DblClick() {
    if (!v_viewer)
        return;
    v_viewer->EnsureBuilt();
    v_viewer->BitBtn1->setEnabled(false);
    v_viewer->BitBtn2->setEnabled(false);
    v_viewer->ShowModal();
}
