// The start-up baseline: a minimal Qt Widgets program that maps one empty
// window of the main window's size and waits.

#include <QApplication>
#include <QWidget>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QWidget window;
    window.setWindowTitle(QStringLiteral("Minimal"));
    window.resize(702, 573);
    window.show();
    return application.exec();
}
