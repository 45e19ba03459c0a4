#pragma once

// The SQL the poem cursor sends: the full list, the search for a pattern, the count.

#include <QString>

// The statements the poem cursor runs.

inline const QString FullListStatement = QStringLiteral("Select * from tbl_Data");

// `text` as one SQL string literal: enclosed in single quotes, every single
// quote inside doubled. Nothing else of it means anything to the engine.
QString QuotedStr(const QString& text);

// The poems whose title, date or text matches `pattern` under LIKE.
QString SearchStatement(const QString& pattern);
