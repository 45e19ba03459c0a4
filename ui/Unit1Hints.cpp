// The hint line: the long hint of whatever the pointer or the menu
// highlight is on, in panel 0 of the status bar.

#include "Unit1.h"

void TForm1::CreateHintLine() {}
