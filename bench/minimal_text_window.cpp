// A second start-up baseline: the minimal window with one line of text on
// it. Drawing any text makes Qt set up the system's fonts, which the empty
// window never does; this shows what that alone costs.

#include <QApplication>
#include <QLabel>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QLabel window(QStringLiteral("Lantor összes költeménye"));
    window.setWindowTitle(QStringLiteral("Minimal text"));
    window.resize(702, 573);
    window.show();
    return application.exec();
}
