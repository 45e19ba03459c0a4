#include "Unit2.h"

#include "Unit1.h"

#include <QPushButton>

TForm2::TForm2(TForm1& mainForm, QWidget* parent) : QDialog(parent), v_mainForm(mainForm) {
    setWindowTitle(QStringLiteral(" Találat:"));
    BitBtn1 = new QPushButton(QStringLiteral("Fotó"), this);
    BitBtn2 = new QPushButton(QStringLiteral("Felolvas"), this);
}

TForm2::~TForm2() = default;

void TForm2::ShowModal() {
    exec();
}
