#pragma once

// The main window TForm1.

#include "ui/controls/TBitBtn.h"

#include <QMainWindow>
#include <QString>

#include <functional>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QMenuBar;
class QPushButton;
class QTabWidget;
class QTimer;
class QUrl;
class QWidget;

class TDataSource;
class TDBGrid;
class TFDConnection;
class TFDQuery;
class TForm2;
class TStatusBar;
class TClock;
class THintLine;

// The main window: the list, search and About pages, the menu, the status
// bar, and the connection, poem cursor and data source that every view reads.
class TForm1 : public QMainWindow {
    Q_OBJECT

public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    // The viewer opened by a double click on the grid.
    void SetViewer(TForm2* viewer) { v_viewer = viewer; }
    TForm2* Viewer() const { return v_viewer; }

    // The hint line and the clock's sources, reachable for tests.
    THintLine* HintLine() const { return v_hintLine; }
    TClock* Clock() const { return v_clock; }

    // Hands a link's target to the desktop; replaceable so tests can see
    // what the links hand over.
    using TUrlOpener = std::function<void(const QUrl&)>;
    void SetUrlOpener(TUrlOpener opener);

    // The extracted anthology's path: the working folder and the file name.
    QString DatabasePath() const;

    // Brings page `index` of the page control to the front, moving the focus
    // to the new page's first control when it was inside the page left.
    void SelectPage(int index);

    // --- event handlers ---
    void FormShow();
    // Returns false when the user cancelled the close.
    bool FormClose();
    void Kilps1Click();
    void Lexikon1Click();
    void Keress1Click();
    void Bemutatkozs1Click();
    void DBGrid1DblClick();
    void BitBtn1Click();
    void BitBtn2Click();
    void Timer1Timer();
    void Label5Click();
    void Label6Click();
    void Label7Click();
    void Label8Click();
    void Label9Click();

    // --- members, named as the window describes them ---
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    TDBGrid* DBGrid1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    QLabel* Label10 = nullptr;
    QLineEdit* Edit1 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    QFrame* Panel1 = nullptr;
    QLabel* Label11 = nullptr;
    QLabel* Label12 = nullptr;
    QFrame* Panel2 = nullptr;
    TBitBtn* BitBtn2 = nullptr;
    QWidget* TabSheet3 = nullptr;
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label5 = nullptr;
    QLabel* Label6 = nullptr;
    QLabel* Label7 = nullptr;
    QLabel* Label8 = nullptr;
    QLabel* Label9 = nullptr;
    QLabel* Label13 = nullptr;
    TStatusBar* StatusBar1 = nullptr;
    QMenuBar* MainMenu1 = nullptr;
    QMenu* Lehetsgek1 = nullptr;
    QAction* Lexikon1 = nullptr;
    QAction* Keress1 = nullptr;
    QAction* Bemutatkozs1 = nullptr;
    QAction* N1 = nullptr;
    QAction* Kilps1 = nullptr;
    QTimer* Timer1 = nullptr;
    TFDConnection* FDConnection1 = nullptr;
    TFDQuery* FDQuery1 = nullptr;
    TDataSource* DataSource1 = nullptr;

    QString v_prdir;

protected:
    void setVisible(bool visible) override;
    void closeEvent(QCloseEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void CreateDataComponents();
    void CreateMenu();
    void TakeKeyboardToMenuBar();
    void CreatePages();
    void CreateListPage();
    void CreateSearchPage();
    void CreateAboutPage();
    void CreateStatusBar();
    void CreateClock();
    void CreateHintLine();
    bool AskToLeave();
    void ShowHitCount();

    TForm2* v_viewer = nullptr;
    bool v_startedUp = false;

    // --- hint line and clock ---
    void OpenLink(const QString& target);

    THintLine* v_hintLine = nullptr;
    TClock* v_clock = nullptr;
    TUrlOpener v_openUrl;
};
