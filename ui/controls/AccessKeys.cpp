// Assigning access keys to menu captions.

#include "ui/controls/AccessKeys.h"

#include <QSet>

namespace {

// Only the plain ASCII letters and digits: an accented letter, or a letter
// whose capital happens to be an ASCII one (such as the dotless i), never counts.
bool IsAccessKeyCandidate(QChar ch) {
    const char16_t c = ch.unicode();
    return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z') || (c >= u'0' && c <= u'9');
}

QString WithAccessKey(const QString& caption, QSet<char16_t>& taken) {
    QString result;
    bool marked = false;
    for (const QChar ch : caption) {
        if (ch == QLatin1Char('&')) {
            result += QStringLiteral("&&");
            continue;
        }
        const bool candidate = IsAccessKeyCandidate(ch);
        const char16_t key = candidate ? ch.toUpper().unicode() : 0;
        if (!marked && candidate && !taken.contains(key)) {
            taken.insert(key);
            result += QLatin1Char('&');
            marked = true;
        }
        result += ch;
    }
    return result;
}

}  // namespace

QStringList AssignAccessKeys(const QStringList& captions) {
    QSet<char16_t> taken;
    QStringList result;
    for (const QString& caption : captions)
        result.append(WithAccessKey(caption, taken));
    return result;
}
