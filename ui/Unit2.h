#pragma once

#include <QDialog>

class QPushButton;
class TForm1;

// The poem viewer: the current poem's title, date and text, and a navigator
// that steps through the listed poems.
class TForm2 : public QDialog {
    Q_OBJECT

public:
    explicit TForm2(TForm1& mainForm, QWidget* parent = nullptr);
    ~TForm2() override;

    // Shows the viewer modally and returns when the user closes it.
    void ShowModal();

    QPushButton* BitBtn1 = nullptr;
    QPushButton* BitBtn2 = nullptr;

private:
    TForm1& v_mainForm;
};
