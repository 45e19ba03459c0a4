#include "TApplication.h"

#include "store/TDatabaseError.h"

#include <QFileInfo>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QLocale>
#include <QMessageBox>
#include <QThread>
#include <QTranslator>
#include <QWidget>

namespace {

// The metric-compatible Tahoma that Debian ships with its Windows-API fonts.
// Its bold companion draws strokes hardly heavier than the regular face, so
// bold text is left to the font engine's own emboldening of the regular one.
constexpr const char* TahomaFallbackFiles[] = {
    "/usr/share/wine/fonts/tahoma.ttf",
};

}  // namespace

TApplication::TApplication(int& argc, char** argv)
    : QApplication(argc, argv), v_title(TitleFor(QCoreApplication::applicationFilePath())) {
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

void TApplication::InstallHungarianTranslations() {
    auto* translator = new QTranslator(this);
    if (translator->load(QLocale(QLocale::Hungarian, QLocale::Hungary), QStringLiteral("qtbase"),
                         QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        installTranslator(translator);
    else
        delete translator;
}

void TApplication::InstallTahoma() {
    // Listing the families is cheap; asking for one that is missing makes
    // the font configuration look for aliases, which costs more than the
    // whole rest of the start.
    if (!QFontDatabase::families().contains(QStringLiteral("Tahoma"))) {
        for (const char* file : TahomaFallbackFiles)
            QFontDatabase::addApplicationFont(QString::fromLatin1(file));
    }
    QFont font(QStringLiteral("Tahoma"));
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
