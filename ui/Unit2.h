#pragma once

// The poem viewer window TForm2.

#include "ui/controls/TBitBtn.h"
#include "ui/controls/TCaptionLabel.h"

#include <QDialog>
#include <QPoint>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class TBindSourceDB;
class TDBNavigator;
class TForm1;
class TLinkControlToField;
class TLinkPropertyToField;

// The poem viewer: the current poem's title, date and text, and a navigator
// that steps through the listed poems. It reads the main window's one poem
// cursor, so it follows every move made there, also while hidden, and every
// step taken here moves the main window's grid.
class TForm2 : public QDialog {
    Q_OBJECT

public:
    static constexpr int ClientWidth = 410;
    static constexpr int ClientHeight = 512;

    // Whether the controls are made with the window, or later by
    // EnsureBuilt: the program makes them once its first picture is on the
    // screen, since the viewer stays hidden until then.
    enum class TContents { Now, Later };

    explicit TForm2(TForm1& mainForm, QWidget* parent = nullptr, TContents contents = TContents::Now);

    // Makes the controls and the bindings, once; the bound controls show the
    // cursor's current row from then on.
    void EnsureBuilt();
    ~TForm2() override;

    // Shows the viewer modally and returns when the user closes it: at the
    // first showing centred on the primary screen, later where it was last.
    void ShowModal();

    // --- members, named as the window describes them ---
    QFrame* Panel1 = nullptr;
    TCaptionLabel* Label1 = nullptr;
    TCaptionLabel* Label2 = nullptr;
    QFrame* Panel2 = nullptr;
    QPlainTextEdit* Memo1 = nullptr;
    TBitBtn* BitBtn1 = nullptr;
    TBitBtn* BitBtn2 = nullptr;
    TDBNavigator* DBNavigator1 = nullptr;
    TBindSourceDB* BindSourceDB1 = nullptr;
    QObject* BindingsList1 = nullptr;
    TLinkPropertyToField* LinkPropertyToFieldCaption = nullptr;
    TLinkPropertyToField* LinkPropertyToFieldCaption2 = nullptr;
    TLinkControlToField* LinkControlToField1 = nullptr;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void CreateHeader();
    void CreateBody();
    void CreateBindings();
    void PlaceForShowing();
    QMargins FrameMargins();

    TForm1& v_mainForm;
    bool v_placed = false;
    QPoint v_lastPosition;
};
