// The start-up failure report and the exit question.

#include "app/Dialogs.h"

#include "app/TApplication.h"

#include <QMessageBox>

void FailureReport(const QString& text) {
    TApplication* application = TApplication::Instance();
    QMessageBox box(QMessageBox::NoIcon, application->Title(), text, QMessageBox::Ok);
    box.setDefaultButton(QMessageBox::Ok);
    box.exec();
    application->Terminate();
}

bool AskExitQuestion() {
    QMessageBox box(QMessageBox::NoIcon, ExitQuestionCaption, ExitQuestionText, QMessageBox::Yes | QMessageBox::No,
                    QApplication::activeWindow());
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}
