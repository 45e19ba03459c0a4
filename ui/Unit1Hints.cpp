// The hint line: the long hint of whatever the pointer or the menu
// highlight is on, in panel 0 of the status bar; and the tooltips, shown
// only where the hint display setting is on.

#include "Unit1.h"

#include "Hints.h"
#include "THintLine.h"
#include "TStatusBar.h"
#include "TTooltips.h"

void TForm1::CreateHintLine() {
    // The main window and every control that takes the setting from it
    // show no tooltips; the About page's links switch them on for themselves.
    SetShowHint(this, false);
    new TTooltips(this);
    v_hintLine = new THintLine(*StatusBar1, this);
    v_hintLine->setObjectName(QStringLiteral("HintLine"));
    v_hintLine->FollowMenuBar(MainMenu1);
}
