// The application object: translations, fonts, the end request and the general error message.

#include "app/TApplication.h"

#include "app/FontFaces.h"

#include "store/TDatabaseError.h"

#include <QFileInfo>
#include <QFont>
#include <QMessageBox>
#include <QThread>
#include <QTranslator>
#include <QWidget>

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv), v_title(TitleFor(QCoreApplication::applicationFilePath())) {
    // The desktop entry the program's windows belong to, for the taskbar
    // and the software centre.
    setDesktopFileName(QStringLiteral(LANTOR_DESKTOP_FILE_NAME));
    // The menu bar is part of the window, as its layout has it, on every
    // desktop: never handed to a global menu, whose search on the session
    // bus would also hold up the start.
    setAttribute(Qt::AA_DontUseNativeMenuBar);
    InstallHungarianTranslations();
    InstallTahoma();
}

TApplication* TApplication::Instance() {
    return static_cast<TApplication*>(QCoreApplication::instance());
}

QString TApplication::TitleFor(const QString& programFilePath) {
    QString name = QFileInfo(programFilePath).fileName();
    const qsizetype dot = name.indexOf(QLatin1Char('.'));
    if (dot >= 0)
        name.truncate(dot);
    if (name.isEmpty())
        return name;
    return name.left(1) + name.mid(1).toLower();
}

// The words of Qt's own dialogs, compiled into the program: without them the
// exit question would offer "Yes" and "No" wherever the translations are not
// installed.
void TApplication::InstallHungarianTranslations() {
    auto* translator = new QTranslator(this);
    if (translator->load(QStringLiteral(":/translations/qtbase_hu.qm")))
        installTranslator(translator);
    else
        delete translator;
}

void TApplication::InstallTahoma() {
    if (RegisterProgramTahoma()) {
        v_fontFamily = ProgramTahomaFamily;
    } else {
        v_fontFamily = QStringLiteral("Tahoma");
        qWarning("Lantor: the Tahoma faces were not found; the windows use the closest sans-serif face instead");
    }
    QFont font(v_fontFamily);
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(11);  // 8 points at 96 dpi
    setFont(font);
}

void TApplication::Terminate() {
    v_terminated = true;
    // exit(), not quit(): quitting asks every window to close first, which
    // would run the main window's close handler and ask the exit question a
    // second time. The end request never closes a window.
    if (QThread::currentThread()->loopLevel() > 0)
        exit(0);
}

int TApplication::Run(QWidget* mainForm) {
    mainForm->show();
    if (v_terminated)
        return 0;
    exec();
    return 0;
}

QString WithFullStop(const QString& text) {
    if (!text.isEmpty() && text.back().unicode() > u'.')
        return text + QLatin1Char('.');
    return text;
}

void TApplication::ShowException(const std::exception& error) {
    if (const auto* databaseError = dynamic_cast<const EDatabaseError*>(&error))
        ShowErrorText(databaseError->Text());
    else
        ShowErrorText(QString::fromUtf8(error.what()));
}

void TApplication::ShowErrorText(const QString& text) {
    QMessageBox box(QMessageBox::Critical, v_title, WithFullStop(text), QMessageBox::Ok, activeWindow());
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
}
