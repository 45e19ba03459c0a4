#pragma once

// The store's error type and the text of the engine's errors.

#include <QString>
#include <stdexcept>

// An error raised by the anthology store. Its text is what the user sees in
// the general error message, so it is kept as Unicode text.
class EDatabaseError : public std::runtime_error {
public:
    explicit EDatabaseError(const QString& text) : std::runtime_error(text.toStdString()), v_text(text) {}
    const QString& Text() const { return v_text; }

private:
    QString v_text;
};

// The text of an error reported by the SQLite engine, tagged the way the
// store tags every engine error: "[LantorStore][Phys][SQLite] ERROR: <message>".
QString EngineErrorText(const QString& engineMessage);
