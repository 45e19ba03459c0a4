// The search page: the phrase field, the search and reset buttons, and the
// hit counter.

#include "ui/Unit1.h"

#include "ui/controls/Fonts.h"
#include "ui/controls/Hints.h"
#include "ui/controls/Images.h"
#include "ui/controls/TBitBtn.h"

#include "app/TApplication.h"
#include "store/Statements.h"
#include "store/TFDQuery.h"

#include <QApplication>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The database-wait pointer over all windows for as long as it lives.
class TDatabaseWaitCursor {
public:
    TDatabaseWaitCursor() { QApplication::setOverrideCursor(DatabaseWaitCursor()); }
    ~TDatabaseWaitCursor() { QApplication::restoreOverrideCursor(); }
    TDatabaseWaitCursor(const TDatabaseWaitCursor&) = delete;
    TDatabaseWaitCursor& operator=(const TDatabaseWaitCursor&) = delete;
};

QLabel* AddLabel(QWidget* page, const char* name, const QString& text, int left, int top) {
    auto* label = new QLabel(text, page);
    label->setObjectName(QString::fromLatin1(name));
    label->setFont(TahomaFont(11, TFontStyle::Bold));
    label->move(left, top);
    label->adjustSize();
    return label;
}

QFrame* AddDivider(QWidget* page, const char* name, int top) {
    auto* divider = new QFrame(page);
    divider->setObjectName(QString::fromLatin1(name));
    divider->setFrameStyle(QFrame::Panel | QFrame::Raised);
    divider->setLineWidth(1);
    divider->setGeometry(48, top, 569, 3);
    return divider;
}

TBitBtn* AddButton(QWidget* page, const char* name, const QString& caption, const QString& glyph, int top) {
    auto* button = new TBitBtn(page, name, caption, glyph, QRect(48, top, 569, 25));
    SetHint(button, QStringLiteral("Keresés indítása !"));
    return button;
}

}  // namespace

void TForm1::CreateSearchPage() {
    Label10 = AddLabel(TabSheet2, "Label10", QStringLiteral("Keresendő kifejezés:"), 48, 80);

    Edit1 = new QLineEdit(QStringLiteral("Edit1"), TabSheet2);
    Edit1->setObjectName(QStringLiteral("Edit1"));
    Edit1->setFont(TahomaFont(11, TFontStyle::Bold));
    Edit1->setGeometry(48, 99, 569, 21);
    Edit1->setMaxLength(32767 * 1024);
    Label10->setBuddy(Edit1);
    Edit1->setAccessibleName(QStringLiteral("Keresendő kifejezés"));

    BitBtn1 = AddButton(TabSheet2, "BitBtn1", QStringLiteral("Keresés indítása"),
                        QStringLiteral(":/images/search_hand_left.bmp"), 144);
    Panel1 = AddDivider(TabSheet2, "Panel1", 192);
    Label11 = AddLabel(TabSheet2, "Label11", QStringLiteral("Keresés eredménye /találat/:"), 48, 256);
    Label12 = AddLabel(TabSheet2, "Label12", QStringLiteral("0"), 240, 256);
    Panel2 = AddDivider(TabSheet2, "Panel2", 336);
    BitBtn2 = AddButton(TabSheet2, "BitBtn2", QStringLiteral("Korábbi keresés törlése /alaphelyzet/"),
                        QStringLiteral(":/images/reset_hand_up.bmp"), 400);

    for (QWidget* passive :
         {static_cast<QWidget*>(Label10), static_cast<QWidget*>(Label11), static_cast<QWidget*>(Label12),
          static_cast<QWidget*>(Panel1), static_cast<QWidget*>(Panel2)})
        passive->setFocusPolicy(Qt::NoFocus);
    QWidget::setTabOrder(Edit1, BitBtn1);
    QWidget::setTabOrder(BitBtn1, BitBtn2);

    connect(BitBtn1, &QPushButton::clicked, this, Handler(this, &TForm1::BitBtn1Click));
    connect(BitBtn2, &QPushButton::clicked, this, Handler(this, &TForm1::BitBtn2Click));
}

// The hit counter: the cursor's record count, sized to its digits.
void TForm1::ShowHitCount() {
    Label12->setText(QString::number(FDQuery1->RecordCount()));
    Label12->adjustSize();
    // Heard alone, the number would say nothing of what it counts.
    Label12->setAccessibleName(Label11->text() + QLatin1Char(' ') + Label12->text());
}

void TForm1::BitBtn1Click() {
    const TDatabaseWaitCursor wait;
    const QString pattern = QLatin1Char('%') + Edit1->text() + QLatin1Char('%');
    FDQuery1->Close();
    FDQuery1->ReplaceSQL(SearchStatement(pattern));
    FDQuery1->Open();
    ShowHitCount();
    SelectPage(0);
}

void TForm1::BitBtn2Click() {
    const TDatabaseWaitCursor wait;
    FDQuery1->Close();
    FDQuery1->ReplaceSQL(FullListStatement);
    FDQuery1->Open();
    Edit1->clear();
    ShowHitCount();
    SelectPage(0);
}
