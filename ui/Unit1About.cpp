// The About page: the title, the maker's credit and contact lines, and the
// mail and web links.

#include "ui/Unit1.h"

#include "app/TApplication.h"
#include "ui/controls/Fonts.h"
#include "ui/controls/Hints.h"
#include "ui/controls/TLinkLabel.h"

#include <QColor>
#include <QDesktopServices>
#include <QLabel>
#include <QUrl>

#include <functional>

namespace {

const QString MakerEmail = QStringLiteral("dorvan@example.com");
const QString MakerSite1 = QStringLiteral("http://www.example.com");
const QString MakerSite2 = QStringLiteral("http://www.example.org");
const QString MakerSite3 = QStringLiteral("http://www.example.net");
const QString MakerStorePage = QStringLiteral("https://store.example.com/developer?id=Dorvan");

const QString MailHint = QStringLiteral("E-mail küldése a készítőnek !");
const QString WebHint = QStringLiteral("Cím behívása Internet programba !");

const QColor Teal(0, 128, 128);
const QColor Purple(128, 0, 128);

// Every label of the page: a fixed one-line box 646 wide and 39 high at
// left 12, text centred from the top, no background of its own.
void PlaceAboutLabel(QLabel* label, const char* name, int top, int pixelHeight, TFontStyle style) {
    label->setObjectName(QString::fromLatin1(name));
    label->setGeometry(12, top, 646, 39);
    label->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    label->setWordWrap(false);
    label->setTextFormat(Qt::PlainText);
    label->setAutoFillBackground(false);
    label->setFont(TahomaFont(pixelHeight, style));
}

void SetTextColour(QLabel* label, const QColor& colour) {
    // The page sits on the window's 3-D face, which would make the label's
    // text role the button text; name the role along with its colour.
    QPalette palette = label->palette();
    palette.setColor(QPalette::WindowText, colour);
    label->setPalette(palette);
    label->setForegroundRole(QPalette::WindowText);
}

}  // namespace

void TForm1::SetUrlOpener(TUrlOpener opener) {
    v_openUrl = std::move(opener);
}

void TForm1::OpenLink(const QString& target) {
    // Like the shell, the desktop starts the mail program or the browser
    // and the program does not wait for it nor look at the outcome.
    v_openUrl(QUrl(target, QUrl::StrictMode));
}

void TForm1::CreateAboutPage() {
    v_openUrl = [](const QUrl& url) { QDesktopServices::openUrl(url); };

    const auto text = [this](const char* name, const QString& caption, int top, int pixelHeight, TFontStyle style) {
        auto* label = new QLabel(caption, TabSheet3);
        PlaceAboutLabel(label, name, top, pixelHeight, style);
        return label;
    };
    const auto link = [this](const char* name, const QString& caption, int top, const QString& hint,
                             void (TForm1::*handler)()) {
        auto* label = new TLinkLabel(caption, TabSheet3, Handler(this, handler));
        PlaceAboutLabel(label, name, top, 21, TFontStyle::Underlined);
        SetTextColour(label, Teal);
        label->setCursor(Qt::PointingHandCursor);
        SetHint(label, hint);
        SetShowHint(label, true);
        return label;
    };

    Label1 = text("Label1", QStringLiteral("Lantor összes költeménye"), 32, 32, TFontStyle::Bold);
    // The system's hot-track colour is the colour of hot-tracked items and
    // links; the palette's link role is its counterpart here.
    Label1->setForegroundRole(QPalette::Link);
    Label2 = text("Label2", QStringLiteral("Készítette: Dorvan."), 96, 24, TFontStyle::BoldItalic);
    Label2->setForegroundRole(QPalette::Highlight);  // the menu-highlight colour
    Label3 = text("Label3", QStringLiteral("6720 Szeged, Kárász utca 9."), 160, 21, TFontStyle::Regular);
    SetTextColour(Label3, Teal);
    Label4 = text("Label4", QStringLiteral("Tel.: +36 62 555 0199."), 192, 21, TFontStyle::Regular);
    SetTextColour(Label4, Teal);
    Label5 = link("Label5", QStringLiteral("E-mail: ") + MakerEmail, 218, MailHint, &TForm1::Label5Click);
    Label6 = link("Label6", MakerSite1, 274, WebHint, &TForm1::Label6Click);
    Label7 = link("Label7", MakerSite2, 308, WebHint, &TForm1::Label7Click);
    Label8 = link("Label8", MakerSite3, 342, WebHint, &TForm1::Label8Click);
    Label9 = link("Label9", QStringLiteral("Android alkalmazások - Google Play "), 376, WebHint, &TForm1::Label9Click);
    Label13 = text("Label13", QStringLiteral("Nyilvántartó programok fejlesztése Windows és Android eszközökre !"), 424,
                   21, TFontStyle::Italic);
    SetTextColour(Label13, Purple);
}

void TForm1::Label5Click() {
    OpenLink(QStringLiteral("mailto:") + MakerEmail);
}

void TForm1::Label6Click() {
    OpenLink(MakerSite1);
}

void TForm1::Label7Click() {
    OpenLink(MakerSite2);
}

void TForm1::Label8Click() {
    OpenLink(MakerSite3);
}

void TForm1::Label9Click() {
    OpenLink(MakerStorePage);
}
