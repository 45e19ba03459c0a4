#pragma once

// The program's Tahoma: a regular face and its emboldened twin, made at
// build time from the system's Tahoma with the line metrics the window
// layouts were drawn for, and compiled into the program.

#include <QString>

// The family under which the program registers its Tahoma faces.
inline const QString ProgramTahomaFamily = QStringLiteral(LANTOR_TAHOMA_FAMILY);

// Registers the two embedded faces as `ProgramTahomaFamily`. Returns false
// when the program holds them not or they cannot be registered.
bool RegisterProgramTahoma();
