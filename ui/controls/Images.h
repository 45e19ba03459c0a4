#pragma once

// The program's pictures: button images, the icon, the database-wait pointer.

#include <QCursor>
#include <QIcon>
#include <QString>

// A button picture stored as one bitmap holding two equal squares side by
// side: the normal picture on the left, its greyed twin for the disabled
// state on the right. Pixels of the bottom-left pixel's colour are
// transparent.
QIcon TwoStateGlyph(const QString& path);

// A picture with a separate greyed picture for the disabled state.
QIcon NormalAndDisabled(const QString& normalPath, const QString& disabledPath);

// The program icon in all its sizes.
QIcon ProgramIcon();

// The database-wait pointer: an hourglass with the letters SQL beneath it.
QCursor DatabaseWaitCursor();
