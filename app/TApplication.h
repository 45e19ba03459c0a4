#pragma once

// The application object and the way event handlers report the errors they do not catch.

#include <QApplication>
#include <QString>

#include <exception>

class QWidget;

// The application object: the end request, the application title, and the
// general error message for errors that no event handler catches.
class TApplication : public QApplication {
    Q_OBJECT

public:
    TApplication(int& argc, char** argv);

    static TApplication* Instance();

    // The program file's name without its folder, cut at its first ".",
    // every character after the first in lower case.
    static QString TitleFor(const QString& programFilePath);
    QString Title() const { return v_title; }
    // The family of the Tahoma faces every window uses.
    QString FontFamily() const { return v_fontFamily; }

    // The end request: once set, the program ends when control is back in
    // the outermost event loop, or before that loop starts.
    void Terminate();
    bool Terminated() const { return v_terminated; }
    // Withdraws the end request: for a host that runs several start-ups in
    // one process, such as the tests.
    void ClearEndRequest() { v_terminated = false; }

    // Shows the main window and runs the event loop unless the end was
    // requested while the window was being shown. Returns the exit code, 0.
    int Run(QWidget* mainForm);

    // The general error message: the error's text with a full stop where it
    // needs one, the application title as caption, an error icon and "OK".
    void ShowException(const std::exception& error);
    void ShowErrorText(const QString& text);

private:
    void InstallHungarianTranslations();
    void InstallTahoma();

    QString v_title;
    QString v_fontFamily;
    bool v_terminated = false;
};

// The error message's text: a full stop is appended when the last character
// comes after "." in code order.
QString WithFullStop(const QString& text);

// Runs an event handler; an error it does not catch is shown by the general
// error message and the program goes on.
template <typename THandler>
void RunHandler(THandler&& handler) {
    try {
        handler();
    } catch (const std::exception& error) {
        TApplication::Instance()->ShowException(error);
    }
}

// A slot that runs the event handler `method` of `object` through RunHandler.
template <typename TObject>
auto Handler(TObject* object, void (TObject::*method)()) {
    return [object, method] { RunHandler([object, method] { (object->*method)(); }); };
}
