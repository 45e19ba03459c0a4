// The hint line: the long hint of whatever the pointer or the menu
// highlight is on, in panel 0 of the status bar; and the tooltips, shown
// only where the hint display setting is on.

#include "ui/Unit1.h"

#include "ui/controls/Hints.h"
#include "ui/controls/THintLine.h"
#include "ui/controls/TStatusBar.h"
#include "ui/controls/TTooltips.h"

void TForm1::CreateHintLine() {
    // The main window and every control that takes the setting from it
    // show no tooltips; the About page's links switch them on for themselves.
    SetShowHint(this, false);
    new TTooltips(this);
    v_hintLine = new THintLine(*StatusBar1, this);
    v_hintLine->setObjectName(QStringLiteral("HintLine"));
    v_hintLine->FollowMenuBar(MainMenu1);
}
