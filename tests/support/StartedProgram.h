#pragma once

// The program started in the current working folder, as the program entry
// starts it.

#include "support/TestSupport.h"

#include "ui/Forms.h"

// Both windows, made as the program makes them, after the main window was
// shown: the start-up sequence has run.
struct TStartedProgram : TForms {
    QStringList messages;  // the texts of the message boxes the start showed
};

// Makes both windows and shows the main window, which runs the start-up
// sequence; every message box it shows is answered with its default button.
inline TStartedProgram StartProgram() {
    TApplication::Instance()->ClearEndRequest();
    TStartedProgram program;
    static_cast<TForms&>(program) = CreateForms();
    TMessageBoxAnswerer answerer;
    program.form1->show();
    program.messages = answerer.Texts();
    return program;
}
