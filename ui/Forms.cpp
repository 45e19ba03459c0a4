// Making the main window and the viewer.

#include "ui/Forms.h"

TForms& TForms::operator=(TForms&& other) {
    Reset();
    form1 = std::move(other.form1);
    form2 = std::move(other.form2);
    return *this;
}

void TForms::Reset() {
    form2.reset();
    form1.reset();
}

TForms CreateForms(TForm2::TContents viewerContents) {
    TForms forms;
    forms.form1 = std::make_unique<TForm1>();
    forms.form2 = std::make_unique<TForm2>(*forms.form1, forms.form1.get(), viewerContents);
    forms.form1->SetViewer(forms.form2.get());
    return forms;
}
