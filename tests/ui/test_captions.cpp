// Captions by their pixels: every label of both windows shows every glyph of
// its caption whole, and bold text is visibly bold, at the scale factor the
// test runs with (CTest runs it at 1, 1.5 and 2).

#include "support/ViewerFixture.h"

#include "ui/controls/TBitBtn.h"
#include "ui/controls/TCaptionLabel.h"
#include "ui/controls/TDBGrid.h"

#include <QHeaderView>
#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QRegularExpression>
#include <QStandardItemModel>

#include <cmath>

namespace {

// Rows of room added above and below a caption in the roomy drawing.
constexpr int Room = 12;

QString ShownCaption(const QLabel* label) {
    if (const auto* caption = qobject_cast<const TCaptionLabel*>(label))
        return caption->ShownCaption();
    return label->text();
}

// Where a label lays out its text: inside its frame and margin, moved in by
// its indent on the sides it is aligned to, as labels place plain text.
QRect TextRect(const QLabel* label) {
    QRect area = label->contentsRect().adjusted(label->margin(), label->margin(), -label->margin(), -label->margin());
    int indent = label->indent();
    if (indent < 0 && label->frameWidth() > 0)
        indent = label->fontMetrics().horizontalAdvance(QLatin1Char('x')) / 2 - label->margin();
    if (indent > 0) {
        const Qt::Alignment align = label->alignment();
        if (align & Qt::AlignLeft)
            area.setLeft(area.left() + indent);
        if (align & Qt::AlignRight)
            area.setRight(area.right() - indent);
        if (align & Qt::AlignTop)
            area.setTop(area.top() + indent);
        if (align & Qt::AlignBottom)
            area.setBottom(area.bottom() - indent);
    }
    return area;
}

// The caption `label` shows, drawn at the same place in its own font and
// colours on its background, but on a picture with `Room` more pixels above
// and below and without any clipping: whatever of a glyph the label cannot
// show lies outside the label's pixels here.
QImage RoomyDrawing(const QLabel* label) {
    const qreal ratio = label->devicePixelRatioF();
    QImage roomy(QSizeF(QSizeF(label->width(), label->height() + 2 * Room) * ratio).toSize(), QImage::Format_RGB32);
    roomy.setDevicePixelRatio(ratio);
    roomy.fill(label->palette().color(label->backgroundRole()));
    QPainter painter(&roomy);
    painter.translate(0, Room);
    painter.setFont(label->font());
    label->style()->drawItemText(&painter, TextRect(label), int(label->alignment()) | Qt::TextDontClip,
                                 label->palette(), label->isEnabled(), ShownCaption(label), label->foregroundRole());
    painter.end();
    return roomy;
}

QImage Shown(const QLabel* label) {
    return const_cast<QLabel*>(label)->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

// The device pixels of a label's text area, whole pixels only: at a
// fractional scale the edge rows and columns are shared with the frame.
QRect DevicePixelsOf(const QRect& area, qreal ratio) {
    const int left = int(std::ceil(area.left() * ratio));
    const int top = int(std::ceil(area.top() * ratio));
    const int right = int(std::floor((area.right() + 1) * ratio));
    const int bottom = int(std::floor((area.bottom() + 1) * ratio));
    return QRect(QPoint(left, top), QPoint(right - 1, bottom - 1));
}

// Where a label does not show its caption whole: empty when the roomy
// drawing has no ink beyond the label's own rows and every pixel of the
// label's text area equals the roomy drawing's. At a fractional scale the
// two drawings may place the text on rows a device pixel apart, so a shift
// of one row is allowed there; a cut glyph fails at every shift.
QString CaptionDefect(const QLabel* label) {
    const QImage shown = Shown(label);
    const QImage roomy = RoomyDrawing(label);
    const qreal ratio = shown.devicePixelRatio();
    const int room = qRound(Room * ratio);
    // What a label can show of its text: everything inside its frame.
    const int frame = label->frameWidth();
    const QRect showable = DevicePixelsOf(label->rect().adjusted(frame, frame, -frame, -frame), ratio);
    const QRect inside = showable.intersected(shown.rect());
    const QRgb background = roomy.pixel(0, 0);
    const int slack = ratio == std::floor(ratio) ? 0 : 1;
    for (int y = 0; y < roomy.height(); ++y) {
        const int shownY = y - room;
        if (shownY >= showable.top() - slack && shownY <= showable.bottom() + slack)
            continue;
        for (int x = 0; x < roomy.width(); ++x) {
            if (roomy.pixel(x, y) != background)
                return QStringLiteral("ink %1 rows %2 what the label shows")
                    .arg(shownY < showable.top() ? showable.top() - shownY : shownY - showable.bottom())
                    .arg(shownY < showable.top() ? QStringLiteral("above") : QStringLiteral("below"));
        }
    }
    QString firstDifference;
    for (int shift = -slack; shift <= slack; ++shift) {
        QString difference;
        for (int y = inside.top(); y <= inside.bottom() && difference.isEmpty(); ++y) {
            for (int x = inside.left(); x <= inside.right(); ++x) {
                if (shown.pixel(x, y) != roomy.pixel(x, y + room + shift)) {
                    difference = QStringLiteral("pixel %1,%2 differs from the roomy drawing").arg(x).arg(y);
                    break;
                }
            }
        }
        if (difference.isEmpty())
            return {};
        if (firstDifference.isEmpty())
            firstDifference = difference;
    }
    return firstDifference;
}

// How much darker than its background a picture is, summed over its pixels.
double Ink(const QImage& image) {
    const QRgb background = image.pixel(0, 0);
    double ink = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x)
            ink += qAbs(qGray(image.pixel(x, y)) - qGray(background));
    }
    return ink;
}

// The ink of bold text against the same text in the regular face. Bold text
// at scale 1 carries about half as much ink again; a bold that fades with
// the scale falls to a quarter more at scale 2, where it reads as regular.
constexpr double VisiblyBold = 1.4;

QString Describe(const QLabel* label) {
    return QStringLiteral("%1 \"%2\" at scale %3")
        .arg(label->objectName(), ShownCaption(label))
        .arg(label->devicePixelRatioF());
}

}  // namespace

class TestCaptions : public QObject {
    Q_OBJECT

    std::unique_ptr<TViewerFixture> v_program;

    TViewerFixture& F() { return *v_program; }

    // The viewer is a child of the main window: these are the labels of both.
    QList<QLabel*> AllLabels() const { return v_program->form1->findChildren<QLabel*>(); }

private slots:
    void init() {
        v_program = std::make_unique<TViewerFixture>();
        v_program->Start();
    }
    void cleanup() { v_program.reset(); }

    void everyLabelShowsItsCaptionWhole() {
        QStringList defects;
        // The status bar shows the longest hints and the exit prompt in turn.
        for (QLabel* label : AllLabels()) {
            const QString defect = CaptionDefect(label);
            if (!defect.isEmpty())
                defects.append(Describe(label) + QStringLiteral(": ") + defect);
        }
        QVERIFY2(defects.isEmpty(), qPrintable(defects.join(QLatin1Char('\n'))));
    }

    void theViewerShowsEveryTitleAndDateWhole() {
        TForm2& viewer = *F().form2;
        QStringList defects;
        int accentedCapitals = 0;
        F().Query().First();
        for (int row = 0; row < F().RowCount(); ++row) {
            for (const QLabel* label : {static_cast<QLabel*>(viewer.Label1), static_cast<QLabel*>(viewer.Label2)}) {
                if (ShownCaption(label).contains(QRegularExpression(QStringLiteral("[ÁÉÍÓÖŐÚÜŰ]"))))
                    ++accentedCapitals;
                const QString defect = CaptionDefect(label);
                if (!defect.isEmpty() && defects.size() < 20)
                    defects.append(QStringLiteral("row %1: ").arg(row) + Describe(label) + QStringLiteral(": ") +
                                   defect);
            }
            F().Query().Next();
        }
        // The walk did see the captions the fault cut: most titles have an accented capital.
        QVERIFY2(accentedCapitals > F().RowCount() / 2, qPrintable(QString::number(accentedCapitals)));
        QVERIFY2(defects.isEmpty(), qPrintable(defects.join(QLatin1Char('\n'))));
    }

    void boldCaptionsAreVisiblyBold_data() {
        QTest::addColumn<QString>("window");
        QTest::addColumn<QString>("name");
        QTest::newRow("search phrase label") << "Form1"
                                             << "Label10";
        QTest::newRow("search result label") << "Form1"
                                             << "Label11";
        QTest::newRow("hit counter") << "Form1"
                                     << "Label12";
        QTest::newRow("About title") << "Form1"
                                     << "Label1";
        QTest::newRow("About credit") << "Form1"
                                      << "Label2";
        QTest::newRow("viewer title") << "Form2"
                                      << "Label1";
        QTest::newRow("viewer date") << "Form2"
                                     << "Label2";
    }
    void boldCaptionsAreVisiblyBold() {
        QFETCH(QString, window);
        QFETCH(QString, name);
        QWidget* form = window == QLatin1String("Form1") ? static_cast<QWidget*>(F().form1.get())
                                                         : static_cast<QWidget*>(F().form2.get());
        // About's Label1 and Label2 come first among the main window's labels of those names.
        QLabel* label = nullptr;
        for (QLabel* candidate : form->findChildren<QLabel*>(name)) {
            if (candidate->font().bold()) {
                label = candidate;
                break;
            }
        }
        QVERIFY2(label, qPrintable(name + QStringLiteral(" has no bold font")));
        const QImage bold = Shown(label);
        QFont regularFont = label->font();
        regularFont.setBold(false);
        label->setFont(regularFont);
        const QImage regular = Shown(label);
        const double ratio = Ink(bold) / Ink(regular);
        QVERIFY2(ratio >= VisiblyBold,
                 qPrintable(Describe(label) + QStringLiteral(": bold ink / regular ink = ") + QString::number(ratio)));
    }

    void theGridsColumnTitlesAreVisiblyBold() {
        QHeaderView* titles = F().form1->DBGrid1->horizontalHeader();
        // The same titles in a header of the regular face, sections alike.
        QStandardItemModel model(0, titles->count());
        QHeaderView regularTitles(Qt::Horizontal);
        regularTitles.setModel(&model);
        QFont regularFont = titles->font();
        regularFont.setBold(false);
        regularTitles.setFont(regularFont);
        regularTitles.setDefaultAlignment(titles->defaultAlignment());
        regularTitles.setHighlightSections(false);
        for (int section = 0; section < titles->count(); ++section) {
            model.setHeaderData(section, Qt::Horizontal, titles->model()->headerData(section, Qt::Horizontal));
            regularTitles.resizeSection(section, titles->sectionSize(section));
        }
        regularTitles.setFixedSize(titles->size());
        for (int section = 0; section < titles->count(); ++section) {
            // The title's own pixels: inside the section, clear of its borders.
            const QString title = titles->model()->headerData(section, Qt::Horizontal).toString();
            const QRect text(titles->sectionViewportPosition(section) + 2, 2,
                             QFontMetrics(titles->font()).horizontalAdvance(title) + 6, titles->height() - 4);
            const double ratio = Ink(titles->grab(text).toImage().convertToFormat(QImage::Format_RGB32)) /
                                 Ink(regularTitles.grab(text).toImage().convertToFormat(QImage::Format_RGB32));
            QVERIFY2(ratio >= VisiblyBold, qPrintable(QStringLiteral("\"%1\": bold ink / regular ink = %2 at scale %3")
                                                          .arg(title)
                                                          .arg(ratio)
                                                          .arg(titles->devicePixelRatioF())));
        }
    }

    // Under the pointer a column title is drawn highlighted, and pressed
    // while the left button is held on it; releasing it sorts nothing.
    void theGridsColumnTitlesShowHoverAndPress() {
        TDBGrid* grid = F().form1->DBGrid1;
        QHeaderView* titles = grid->horizontalHeader();
        QWidget* surface = titles->viewport();
        const QRect first(titles->sectionViewportPosition(0), 0, titles->sectionSize(0), titles->height());
        const QPoint inside = first.center();
        const auto look = [&] { return titles->grab(first).toImage().convertToFormat(QImage::Format_RGB32); };
        QTest::mouseMove(surface, QPoint(first.right() + 40, inside.y()));
        QTest::qWait(50);
        const QImage normal = look();
        QTest::mouseMove(surface, inside);
        QVERIFY(QTest::qWaitFor([&] { return look() != normal; }, 2000));
        const QImage hovered = look();
        QTest::mousePress(surface, Qt::LeftButton, {}, inside);
        QVERIFY(QTest::qWaitFor([&] { return look() != hovered && look() != normal; }, 2000));
        QTest::mouseRelease(surface, Qt::LeftButton, {}, inside);
        QVERIFY(QTest::qWaitFor([&] { return look() == hovered; }, 2000));
        QCOMPARE(F().FieldOfRow(0, "CIM"), grid->model()->index(0, 0).data().toString());
        QTest::mouseMove(surface, QPoint(first.right() + 40, inside.y()));
        QVERIFY(QTest::qWaitFor([&] { return look() == normal; }, 2000));
    }

    // Picture and caption of every picture button sit 4 pixels apart, centred
    // together: a black square stands in for the picture to measure from.
    void pictureButtonsKeepFourPixelsBetweenPictureAndCaption() {
        QImage square(16, 16, QImage::Format_RGB32);
        square.fill(Qt::black);
        // The viewer is a child of the main window: this finds the buttons of both.
        const QList<TBitBtn*> buttons = F().form1->findChildren<TBitBtn*>();
        QCOMPARE(buttons.size(), 4);
        for (TBitBtn* button : buttons) {
            button->setIcon(QIcon(QPixmap::fromImage(square)));
            button->setEnabled(true);
            const QImage shown = button->grab().toImage().convertToFormat(QImage::Format_RGB32);
            const qreal ratio = shown.devicePixelRatio();
            const int middle = shown.height() / 2;
            int squareRight = -1;
            for (int x = 0; x < shown.width(); ++x) {
                if (shown.pixel(x, middle) == qRgb(0, 0, 0))
                    squareRight = x;
                else if (squareRight >= 0)
                    break;
            }
            QVERIFY2(squareRight >= 0, qPrintable(button->objectName()));
            const QRgb face = shown.pixel(squareRight + 1, middle);
            // The caption's rows: those of the picture, clear of the button's borders.
            const int half = qRound(8 * ratio);
            int captionLeft = -1;
            for (int x = squareRight + 1; x < shown.width() && captionLeft < 0; ++x) {
                for (int y = middle - half; y < middle + half; ++y) {
                    if (qAbs(qGray(shown.pixel(x, y)) - qGray(face)) > 60) {
                        captionLeft = x;
                        break;
                    }
                }
            }
            const QFontMetricsF metrics(button->font());
            const qreal bearing = qMax<qreal>(0, metrics.leftBearing(button->text().at(0)));
            const qreal gap = (captionLeft - squareRight - 1) / ratio;
            QVERIFY2(gap >= 4 + bearing - 0.75 && gap <= 4 + bearing + 1,
                     qPrintable(QStringLiteral("%1: %2 pixels between picture and caption at scale %3")
                                    .arg(button->objectName())
                                    .arg(gap)
                                    .arg(ratio)));
        }
    }
};

LANTOR_TEST_MAIN(TestCaptions)
#include "test_captions.moc"
