// The texts of the list, search and count statements.

#include "store/Statements.h"

QString QuotedStr(const QString& text) {
    QString quoted = text;
    quoted.replace(QLatin1Char('\''), QStringLiteral("''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

QString SearchStatement(const QString& pattern) {
    const QString q = QuotedStr(pattern);
    return QStringLiteral("Select * FROM tbl_Data WHERE CIM like ") + q + QStringLiteral(" or DATUM like ") + q +
           QStringLiteral(" or VERS like ") + q;
}
