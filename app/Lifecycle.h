#pragma once

// The anthology's life in the working folder: written and opened at every
// start, closed and deleted on a confirmed exit.

#include <QString>

class TFDConnection;
class TFDQuery;

// The start-up steps that follow reading the working folder: write the
// embedded anthology to `databasePath`, point the connection at it when a
// file is there, connect, and open the cursor. Every step runs whatever
// happened before it; each failure shows its fixed message through the
// failure report, which requests the end of the program.
void OpenAnthology(const QString& databasePath, TFDConnection& connection, TFDQuery& query);

// The clean-up of a confirmed exit: the cursor is closed, the connection
// released, and the extracted file deleted (a link at the path goes, never
// what it points to). A deletion that fails is not reported.
void CloseAnthology(TFDQuery& query, TFDConnection& connection, const QString& databasePath);
