#pragma once

// Both windows, made the one way the program makes them.

#include "ui/Unit1.h"
#include "ui/Unit2.h"

#include <memory>

// The main window, made first, and the viewer, made next as its child and
// known to it as the window a double click on the grid opens. The viewer
// goes first when they are destroyed.
struct TForms {
    std::unique_ptr<TForm1> form1;
    std::unique_ptr<TForm2> form2;

    TForms() = default;
    TForms(TForms&&) = default;
    TForms& operator=(TForms&& other);
    ~TForms() { Reset(); }
    void Reset();
};

// With `viewerContents` Later, the viewer's controls wait for TForm2::
// EnsureBuilt (the program calls it after its first picture); the viewer
// builds them itself at the latest when it is first shown.
TForms CreateForms(TForm2::TContents viewerContents = TForm2::TContents::Now);
