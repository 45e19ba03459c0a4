// A third start-up baseline: a main window with a menu bar of one menu and a
// line of text. A menu bar must measure its text before the window can be
// given its size, so Qt sets up the system's fonts before the window is
// mapped; this is the least any window with a menu pays for that.

#include <QApplication>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Minimal menu"));
    window.menuBar()->addMenu(QStringLiteral("&Lehetőségek"));
    window.setCentralWidget(new QLabel(QStringLiteral("Lantor összes költeménye")));
    window.resize(702, 573);
    window.show();
    return application.exec();
}
