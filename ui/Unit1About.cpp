// The About page: the title, the maker's credit and contact lines, and the
// mail and web links.

#include "Unit1.h"

#include <QLabel>

void TForm1::CreateAboutPage() {
    // Filled in with the About page's labels.
    Label1 = new QLabel(QStringLiteral("Lantor összes költeménye"), TabSheet3);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(12, 32, 646, 39);
    Label1->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
}

void TForm1::Label5Click() {}
void TForm1::Label6Click() {}
void TForm1::Label7Click() {}
void TForm1::Label8Click() {}
void TForm1::Label9Click() {}
