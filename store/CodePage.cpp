// The conversion of titles and dates to code page 1250.

#include "store/CodePage.h"

#include <iconv.h>
#include <array>
#include <bitset>

namespace {

// The set of Unicode code points (all in the BMP) that code page 1250 can
// represent, learnt once from glibc's own conversion table.
class TCodePage1250 {
public:
    TCodePage1250() {
        iconv_t cd = iconv_open("UTF-16LE", "CP1250");
        if (cd == reinterpret_cast<iconv_t>(-1))
            return;  // no table: only ASCII is trusted (see Contains)
        for (int byte = 0; byte < 256; ++byte) {
            char in = static_cast<char>(byte);
            char16_t out = 0;
            char* inPtr = &in;
            size_t inLeft = 1;
            char* outPtr = reinterpret_cast<char*>(&out);
            size_t outLeft = sizeof(out);
            if (iconv(cd, &inPtr, &inLeft, &outPtr, &outLeft) != static_cast<size_t>(-1) && outLeft == 0)
                v_known.set(out);
        }
        iconv_close(cd);
    }

    bool Contains(char16_t ch) const { return ch < 0x80 || v_known.test(ch); }

private:
    std::bitset<0x10000> v_known;
};

const TCodePage1250& CodePage() {
    static const TCodePage1250 table;
    return table;
}

}  // namespace

QString ToSystemCodePage(const QString& text) {
    const TCodePage1250& table = CodePage();
    QString result;
    result.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar ch = text.at(i);
        if (ch.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) {
            result.append(QLatin1Char('?'));  // outside the BMP: never in a single-byte code page
            ++i;
            continue;
        }
        result.append(table.Contains(ch.unicode()) ? ch : QLatin1Char('?'));
    }
    return result;
}
