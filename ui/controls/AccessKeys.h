#pragma once

// The access keys of menu captions: each caption's first plain letter or digit not yet taken.

#include <QStringList>

// Gives each caption of one menu list its access key: in list order, each
// caption takes its first character among A-Z and 0-9 (case ignored; accented
// letters never count) that no earlier caption of the list has taken. The
// result marks the key with "&" the way menus expect; a literal "&" is
// doubled; an empty caption (a separator) is left alone.
QStringList AssignAccessKeys(const QStringList& captions);
