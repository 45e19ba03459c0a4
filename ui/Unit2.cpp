// The poem viewer: its layout, bindings, navigator, placement and keys.

#include "ui/Unit2.h"

#include "ui/Unit1.h"
#include "ui/controls/Fonts.h"
#include "ui/controls/Hints.h"
#include "ui/controls/Images.h"
#include "ui/controls/TBindSourceDB.h"
#include "ui/controls/TBitBtn.h"
#include "ui/controls/TDBNavigator.h"

#include "app/WindowPlacement.h"
#include "store/TDataSource.h"

#include <qdrawutil.h>
#include <QGuiApplication>
#include <QHideEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QWindow>

namespace {

// A panel drawn with a raised outer bevel and, when it has a border, a
// lowered inner bevel inside that border.
class TBevelPanel : public QFrame {
public:
    TBevelPanel(QWidget* parent, int borderWidth) : QFrame(parent), v_borderWidth(borderWidth) {
        setFocusPolicy(Qt::NoFocus);
        setAutoFillBackground(true);
        setBackgroundRole(QPalette::Button);
    }

protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        qDrawShadePanel(&painter, rect(), palette(), false, 1);
        if (v_borderWidth > 0) {
            const int inset = 1 + v_borderWidth;
            qDrawShadePanel(&painter, rect().adjusted(inset - 1, inset - 1, 1 - inset, 1 - inset), palette(), true, 1);
        }
    }

private:
    int v_borderWidth;
};

TCaptionLabel* AddCaptionLabel(QWidget* parent, const char* name, const QRect& box) {
    auto* label = new TCaptionLabel(QString::fromLatin1(name), parent);
    label->setObjectName(QString::fromLatin1(name));
    label->SetBox(box);
    return label;
}

// Never a tab stop: the text box is the only one.
TBitBtn* AddGlyphButton(QWidget* parent, const char* name, const QString& caption, const QString& glyph,
                        const QRect& geometry) {
    auto* button = new TBitBtn(parent, name, caption, glyph, geometry);
    button->setFocusPolicy(Qt::NoFocus);
    return button;
}

QStringList NavigatorHints() {
    return {QStringLiteral("Első rekord|Első rekord !"), QStringLiteral("Előző rekord|Előző rekord !"),
            QStringLiteral("Következő rekord|Következő rekord !"), QStringLiteral("Utolsó rekord|Utolsó rekord !")};
}

}  // namespace

TForm2::TForm2(TForm1& mainForm, QWidget* parent, TContents contents) : QDialog(parent), v_mainForm(mainForm) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral(" Találat:"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowCloseButtonHint);
    setModal(true);
    setSizeGripEnabled(false);
    setFixedSize(ClientWidth, ClientHeight);
    setAutoFillBackground(true);
    setBackgroundRole(QPalette::Button);  // the 3-D face colour
    SetShowHint(this, false);
    if (contents == TContents::Now)
        EnsureBuilt();
}

void TForm2::EnsureBuilt() {
    if (Panel1)
        return;
    CreateHeader();
    CreateBody();
    CreateBindings();
    // The window manager's answer about the frame comes while the program
    // waits for input, ready for the first showing.
    AskForFrameMargins(this);
}

TForm2::~TForm2() = default;

void TForm2::CreateHeader() {
    Panel1 = new TBevelPanel(this, 0);
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Panel1->setGeometry(0, 0, ClientWidth, 97);
    Panel1->setFont(TahomaFont(15, TFontStyle::BoldItalic));

    Label1 = AddCaptionLabel(Panel1, "Label1", QRect(7, 24, 396, 19));
    Label1->setFont(TahomaFont(16, TFontStyle::Bold));
    Label2 = AddCaptionLabel(Panel1, "Label2", QRect(7, 56, 396, 18));
}

void TForm2::CreateBody() {
    Panel2 = new TBevelPanel(this, 5);
    Panel2->setObjectName(QStringLiteral("Panel2"));
    Panel2->setGeometry(0, 97, ClientWidth, ClientHeight - 97);

    Memo1 = new QPlainTextEdit(QStringLiteral("Memo1"), Panel2);
    Memo1->setObjectName(QStringLiteral("Memo1"));
    Memo1->setAccessibleName(QStringLiteral("Vers szövege"));
    Memo1->setGeometry(7, 7, 396, 292);
    Memo1->setFont(TahomaFont(15));
    Memo1->setReadOnly(true);
    // Read-only, yet the keys move the caret and select, as in any text box.
    Memo1->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    Memo1->setUndoRedoEnabled(false);
    Memo1->setAcceptDrops(false);
    Memo1->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Memo1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    Memo1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Memo1->setFocusPolicy(Qt::StrongFocus);
    Memo1->setTabChangesFocus(true);

    BitBtn1 = AddGlyphButton(Panel2, "BitBtn1", QStringLiteral("Fotó"), QStringLiteral(":/images/foto.bmp"),
                             QRect(24, 320, 177, 25));
    BitBtn2 = AddGlyphButton(Panel2, "BitBtn2", QStringLiteral("Felolvas"), QStringLiteral(":/images/felolvas.bmp"),
                             QRect(215, 320, 178, 25));

    DBNavigator1 = new TDBNavigator(Panel2);
    DBNavigator1->setObjectName(QStringLiteral("DBNavigator1"));
    DBNavigator1->setGeometry(24, 360, 368, 33);
    DBNavigator1->SetHints(NavigatorHints());
    SetShowHint(DBNavigator1, true);
    DBNavigator1->SetDataSource(v_mainForm.DataSource1);
}

void TForm2::CreateBindings() {
    BindSourceDB1 = new TBindSourceDB(this);
    BindSourceDB1->setObjectName(QStringLiteral("BindSourceDB1"));
    BindSourceDB1->SetDataSet(v_mainForm.FDQuery1);

    BindingsList1 = new QObject(this);
    BindingsList1->setObjectName(QStringLiteral("BindingsList1"));
    LinkPropertyToFieldCaption = new TLinkPropertyToField(BindSourceDB1, QStringLiteral("CIM"), Label1, BindingsList1);
    LinkPropertyToFieldCaption->setObjectName(QStringLiteral("LinkPropertyToFieldCaption"));
    LinkPropertyToFieldCaption2 =
        new TLinkPropertyToField(BindSourceDB1, QStringLiteral("DATUM"), Label2, BindingsList1);
    LinkPropertyToFieldCaption2->setObjectName(QStringLiteral("LinkPropertyToFieldCaption2"));
    LinkControlToField1 = new TLinkControlToField(BindSourceDB1, QStringLiteral("VERS"), Memo1, BindingsList1);
    LinkControlToField1->setObjectName(QStringLiteral("LinkControlToField1"));
}

void TForm2::ShowModal() {
    EnsureBuilt();
    PlaceForShowing();
    exec();
}

// The client area where it was; at the first showing, the frame centred in
// the primary screen's work area, but never further left or up than its top
// left corner.
void TForm2::PlaceForShowing() {
    if (v_placed) {
        setGeometry(QRect(v_lastPosition, size()));
    } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        setGeometry(CentredClientGeometry(size(), FrameMargins(), screen->availableGeometry()));
    }
    v_placed = true;
}

// The window's frame. Should the window manager not tell it before the
// window is framed, the main window's frame stands in for it.
QMargins TForm2::FrameMargins() {
    const QMargins frame = ExpectedFrameMargins(this);
    const QWidget* owner = parentWidget() ? parentWidget()->window() : nullptr;
    if (frame.isNull() && owner && owner->windowHandle())
        return owner->windowHandle()->frameMargins();
    return frame;
}

void TForm2::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    Memo1->setFocus(Qt::ActiveWindowFocusReason);
}

void TForm2::hideEvent(QHideEvent* event) {
    // The client area's place: unlike the frame's, it stays known when the
    // window manager has already taken the frame away.
    if (!event->spontaneous())
        v_lastPosition = geometry().topLeft();
    QDialog::hideEvent(event);
}

// Esc and Enter do not close the viewer: only its close button, the close
// entry of its system menu and Alt+F4 do.
void TForm2::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Escape:
    case Qt::Key_Return:
    case Qt::Key_Enter:
        event->accept();
        return;
    default:
        QDialog::keyPressEvent(event);
    }
}
