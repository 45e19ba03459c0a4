#pragma once

// The system's single-byte code page of titles and dates.

#include <QString>

// Titles and dates reach the views in the system's single-byte code page,
// which on this platform is code page 1250 (Central European). A character
// that code page lacks does not survive the conversion: it becomes "?", as a
// best-fit-less conversion to the code page would leave it.
QString ToSystemCodePage(const QString& text);
