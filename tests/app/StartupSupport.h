#pragma once

// Starting the real main window in a folder, as the program entry does.

#include "TestSupport.h"

#include "ui/Unit1.h"
#include "ui/Unit2.h"

#include <memory>

struct TStartedProgram {
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;  // a child of form1, so it goes first
    QStringList messages;           // the texts of the message boxes the start showed

    void Reset() {
        form2.reset();
        form1.reset();
        messages.clear();
    }
    ~TStartedProgram() { Reset(); }
    TStartedProgram() = default;
    TStartedProgram(TStartedProgram&&) = default;
    TStartedProgram& operator=(TStartedProgram&& other) {
        Reset();
        form1 = std::move(other.form1);
        form2 = std::move(other.form2);
        messages = std::move(other.messages);
        return *this;
    }
};

// Creates both windows and shows the main window, which runs the start-up
// sequence; every message box it shows is answered with its default button.
inline TStartedProgram StartProgram() {
    TApplication::Instance()->ClearEndRequest();
    TStartedProgram program;
    program.form1 = std::make_unique<TForm1>();
    program.form2 = std::make_unique<TForm2>(*program.form1, program.form1.get());
    program.form1->SetViewer(program.form2.get());
    TMessageBoxAnswerer answerer;
    program.form1->show();
    program.messages = answerer.Texts();
    return program;
}
