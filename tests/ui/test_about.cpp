// The About page: the ten labels as laid out, and the five links handing
// exactly their target to the desktop.

#include "app/FontFaces.h"

#include "support/TestSupport.h"

#include "ui/Unit1.h"
#include "ui/controls/Hints.h"

#include "store/TFDQuery.h"

#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTabWidget>
#include <QUrl>

namespace {

enum TStyleFlag { Regular = 0, Bold = 1, Italic = 2, Underlined = 4 };

QLabel* AboutLabel(const TForm1& form, const QString& name) {
    return form.TabSheet3->findChild<QLabel*>(name, Qt::FindDirectChildrenOnly);
}

const QStringList LinkNames = {"Label5", "Label6", "Label7", "Label8", "Label9"};
const QStringList PlainNames = {"Label1", "Label2", "Label3", "Label4", "Label13"};

// A main window started in a temporary folder, with the About page in front
// and the desktop replaced by a recorder of what the links hand over.
struct TAboutFixture {
    TScopedWorkingFolder folder;
    TForm1 form;
    QList<QUrl> opened;

    TAboutFixture() {
        form.SetUrlOpener([this](const QUrl& url) { opened.append(url); });
        form.show();
        form.Bemutatkozs1Click();
    }
};

bool OnReservedExampleDomain(const QUrl& url) {
    const QString host = url.host();
    for (const QString& domain :
         {QStringLiteral("example.com"), QStringLiteral("example.org"), QStringLiteral("example.net")}) {
        if (host == domain || host.endsWith(QLatin1Char('.') + domain))
            return true;
    }
    return false;
}

}  // namespace

class TAboutTest : public QObject {
    Q_OBJECT

private slots:
    void LabelsAreLaidOutAsDescribed_data();
    void LabelsAreLaidOutAsDescribed();
    void LabelsAreInDrawingOrder();
    void ColoursFollowTheSystemAndTheFixedShades();
    void ContactLinesHaveTheirShape();
    void LinkHandsExactlyItsTargetToTheDesktop_data();
    void LinkHandsExactlyItsTargetToTheDesktop();
    void LinkTargetsMatchWhatTheLinksShow();
    void LinkWorksTheSameOnEveryClickAndChangesNothing();
    void OtherMouseButtonsOpenNothing();
    void ClicksOnPlainLabelsDoNothing();
    void NoRegisteredProgramIsReportedByNothing();
    void VisitingThePageLeavesTheListAsItWas();
};

void TAboutTest::LabelsAreLaidOutAsDescribed_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("top");
    QTest::addColumn<int>("pixelHeight");
    QTest::addColumn<int>("style");
    QTest::addColumn<QString>("caption");  // empty: the maker's own data, checked elsewhere
    QTest::addColumn<QString>("hint");

    const QString mail = QStringLiteral("E-mail küldése a készítőnek !");
    const QString web = QStringLiteral("Cím behívása Internet programba !");
    QTest::newRow("Label1") << "Label1" << 32 << 32 << int(Bold) << "Lantor összes költeménye"
                            << "";
    QTest::newRow("Label2") << "Label2" << 96 << 24 << int(Bold | Italic) << "Készítette: Dorvan."
                            << "";
    QTest::newRow("Label3") << "Label3" << 160 << 21 << int(Regular) << ""
                            << "";
    QTest::newRow("Label4") << "Label4" << 192 << 21 << int(Regular) << ""
                            << "";
    QTest::newRow("Label5") << "Label5" << 218 << 21 << int(Underlined) << "" << mail;
    QTest::newRow("Label6") << "Label6" << 274 << 21 << int(Underlined) << "" << web;
    QTest::newRow("Label7") << "Label7" << 308 << 21 << int(Underlined) << "" << web;
    QTest::newRow("Label8") << "Label8" << 342 << 21 << int(Underlined) << "" << web;
    QTest::newRow("Label9") << "Label9" << 376 << 21 << int(Underlined) << "Android alkalmazások - Google Play " << web;
    QTest::newRow("Label13") << "Label13" << 424 << 21 << int(Italic)
                             << "Nyilvántartó programok fejlesztése Windows és Android eszközökre !"
                             << "";
}

void TAboutTest::LabelsAreLaidOutAsDescribed() {
    QFETCH(QString, name);
    QFETCH(int, top);
    QFETCH(int, pixelHeight);
    QFETCH(int, style);
    QFETCH(QString, caption);
    QFETCH(QString, hint);

    TAboutFixture fixture;
    const QLabel* label = AboutLabel(fixture.form, name);
    QVERIFY(label);
    QCOMPARE(label->geometry(), QRect(12, top, 646, 39));
    QCOMPARE(label->alignment(), Qt::AlignHCenter | Qt::AlignTop);
    QVERIFY(!label->wordWrap());
    QVERIFY(!label->autoFillBackground());
    if (!caption.isEmpty())
        QCOMPARE(label->text(), caption);
    QVERIFY(!label->text().contains(QLatin1Char('\n')));

    const QFont font = label->font();
    QCOMPARE(font.family(), ProgramTahomaFamily);
    QCOMPARE(font.pixelSize(), pixelHeight);
    QCOMPARE(font.bold(), bool(style & Bold));
    QCOMPARE(font.italic(), bool(style & Italic));
    QCOMPARE(font.underline(), bool(style & Underlined));

    const bool isLink = !hint.isEmpty();
    QCOMPARE(HintOf(label), hint);
    QCOMPARE(ShowsHint(label), isLink);
    QCOMPARE(label->testAttribute(Qt::WA_SetCursor), isLink);
    if (isLink)
        QCOMPARE(label->cursor().shape(), Qt::PointingHandCursor);
    // The one-line box holds the whole caption at this size.
    QVERIFY2(QFontMetrics(font).horizontalAdvance(label->text()) <= label->width(), qPrintable(label->text()));
}

void TAboutTest::LabelsAreInDrawingOrder() {
    TAboutFixture fixture;
    QStringList order;
    for (const QObject* child : fixture.form.TabSheet3->children()) {
        if (qobject_cast<const QLabel*>(child))
            order.append(child->objectName());
    }
    QCOMPARE(order, (QStringList{"Label1", "Label2", "Label3", "Label4", "Label5", "Label6", "Label7", "Label8",
                                 "Label9", "Label13"}));
}

void TAboutTest::ColoursFollowTheSystemAndTheFixedShades() {
    TAboutFixture fixture;
    const auto textColour = [&](const char* name) {
        const QLabel* label = AboutLabel(fixture.form, QString::fromLatin1(name));
        return label->palette().color(label->foregroundRole());
    };
    const QPalette system = fixture.form.palette();
    QCOMPARE(textColour("Label1"), system.color(QPalette::Link));
    QCOMPARE(textColour("Label2"), system.color(QPalette::Highlight));
    for (const char* teal : {"Label3", "Label4", "Label5", "Label6", "Label7", "Label8", "Label9"})
        QVERIFY2(textColour(teal) == QColor(0, 128, 128), teal);
    QCOMPARE(textColour("Label13"), QColor(128, 0, 128));
}

void TAboutTest::ContactLinesHaveTheirShape() {
    TAboutFixture fixture;
    // Postal code, town, street and house number, one line ending in ".".
    QVERIFY2(QRegularExpression(QStringLiteral("^\\d{4} \\w+, \\w[\\w ]* \\d+[a-z]?\\.$"),
                                QRegularExpression::UseUnicodePropertiesOption)
                 .match(fixture.form.Label3->text())
                 .hasMatch(),
             qPrintable(fixture.form.Label3->text()));
    QVERIFY2(QRegularExpression(QStringLiteral("^Tel\\.: \\+?[\\d ()/-]+\\d\\.$"))
                 .match(fixture.form.Label4->text())
                 .hasMatch(),
             qPrintable(fixture.form.Label4->text()));
    QVERIFY(fixture.form.Label5->text().startsWith(QStringLiteral("E-mail: ")));
}

void TAboutTest::LinkHandsExactlyItsTargetToTheDesktop_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("target");
    QTest::newRow("mail") << "Label5"
                          << "mailto:dorvan@example.com";
    QTest::newRow("main site") << "Label6"
                               << "http://www.example.com";
    QTest::newRow("second site") << "Label7"
                                 << "http://www.example.org";
    QTest::newRow("third site") << "Label8"
                                << "http://www.example.net";
    QTest::newRow("store page") << "Label9"
                                << "https://store.example.com/developer?id=Dorvan";
}

void TAboutTest::LinkHandsExactlyItsTargetToTheDesktop() {
    QFETCH(QString, name);
    QFETCH(QString, target);
    TAboutFixture fixture;
    QTest::mouseClick(AboutLabel(fixture.form, name), Qt::LeftButton);
    QCOMPARE(fixture.opened.size(), 1);
    QCOMPARE(fixture.opened.first().toString(), target);
    QVERIFY(fixture.opened.first().isValid());
    QVERIFY(OnReservedExampleDomain(fixture.opened.first()) || fixture.opened.first().scheme() == "mailto");
}

void TAboutTest::LinkTargetsMatchWhatTheLinksShow() {
    TAboutFixture fixture;
    fixture.form.Label5Click();
    const QString address = fixture.form.Label5->text().mid(QStringLiteral("E-mail: ").size());
    QCOMPARE(fixture.opened.takeFirst().toString(), QStringLiteral("mailto:") + address);
    QVERIFY(address.endsWith(QStringLiteral("@example.com")) || address.endsWith(QStringLiteral("@example.org")) ||
            address.endsWith(QStringLiteral("@example.net")));

    for (QLabel* site : {fixture.form.Label6, fixture.form.Label7, fixture.form.Label8}) {
        QTest::mouseClick(site, Qt::LeftButton);
        const QUrl url = fixture.opened.takeFirst();
        QCOMPARE(url.toString(), site->text());
        QVERIFY(OnReservedExampleDomain(url));
        QCOMPARE(url.path(), QString());  // the root page of the site
    }

    fixture.form.Label9Click();
    const QUrl store = fixture.opened.takeFirst();
    QCOMPARE(store.scheme(), QStringLiteral("https"));
    QVERIFY(OnReservedExampleDomain(store));
    QVERIFY(!fixture.form.Label9->text().contains(store.toString()));
}

void TAboutTest::LinkWorksTheSameOnEveryClickAndChangesNothing() {
    TAboutFixture fixture;
    const QString caption = fixture.form.Label6->text();
    QTest::mouseClick(fixture.form.Label6, Qt::LeftButton);
    QTest::mouseClick(fixture.form.Label6, Qt::LeftButton, {}, {}, QTest::mouseDoubleClickInterval + 10);
    QCOMPARE(fixture.opened.size(), 2);
    QCOMPARE(fixture.opened.at(0), fixture.opened.at(1));
    QCOMPARE(fixture.form.Label6->text(), caption);
    QCOMPARE(fixture.form.PageControl1->currentIndex(), 2);
}

void TAboutTest::OtherMouseButtonsOpenNothing() {
    TAboutFixture fixture;
    QTest::mouseClick(fixture.form.Label7, Qt::RightButton);
    QTest::mouseClick(fixture.form.Label7, Qt::MiddleButton);
    // Pressed on the link, released elsewhere: no click.
    QTest::mousePress(fixture.form.Label7, Qt::LeftButton);
    QTest::mouseRelease(fixture.form.Label7, Qt::LeftButton, {}, QPoint(-5, -5));
    QCOMPARE(fixture.opened, QList<QUrl>());
}

void TAboutTest::ClicksOnPlainLabelsDoNothing() {
    TAboutFixture fixture;
    for (const QString& name : PlainNames) {
        QLabel* label = AboutLabel(fixture.form, name);
        const QString caption = label->text();
        QTest::mouseClick(label, Qt::LeftButton);
        QTest::mouseDClick(label, Qt::LeftButton);
        QCOMPARE(label->text(), caption);
    }
    QCOMPARE(fixture.opened, QList<QUrl>());
    QCOMPARE(fixture.form.PageControl1->currentIndex(), 2);
}

void TAboutTest::NoRegisteredProgramIsReportedByNothing() {
    // The real desktop, with no program to open anything: PATH is empty so
    // no helper can be found, and the link must neither complain nor fail.
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", "");
    const TScopedWorkingFolder folder;
    TForm1 form;
    form.show();
    form.Bemutatkozs1Click();
    TMessageBoxAnswerer answerer;
    for (const QString& name : LinkNames)
        QTest::mouseClick(AboutLabel(form, name), Qt::LeftButton);
    QTest::qWait(100);
    qputenv("PATH", path);
    QCOMPARE(answerer.Texts(), QStringList());
    QCOMPARE(form.PageControl1->currentIndex(), 2);
    QVERIFY(form.isVisible());
}

void TAboutTest::VisitingThePageLeavesTheListAsItWas() {
    const TScopedWorkingFolder folder;
    TForm1 form;
    form.SetUrlOpener([](const QUrl&) {});
    form.show();
    form.FDQuery1->MoveBy(7);
    const int row = form.FDQuery1->RecNo();
    const int count = form.FDQuery1->RecordCount();
    form.Edit1->setText(QStringLiteral("tavasz"));
    form.Bemutatkozs1Click();
    form.Label6Click();
    form.Lexikon1Click();
    QCOMPARE(form.PageControl1->currentIndex(), 0);
    QCOMPARE(form.FDQuery1->RecNo(), row);
    QCOMPARE(form.FDQuery1->RecordCount(), count);
    QCOMPARE(form.Edit1->text(), QStringLiteral("tavasz"));
}

LANTOR_TEST_MAIN(TAboutTest)
#include "test_about.moc"
