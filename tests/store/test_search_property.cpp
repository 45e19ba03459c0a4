// The search, fed thousands of random phrases through the real main window,
// checked against a matcher written from the matching rules alone: a poem is
// a hit when its title, date or text, as stored, matches "%" + phrase + "%",
// where "%" is any run of characters, "_" exactly one character, letters
// fold case only within A-Z, and every other character is only itself.
//
// The run is seeded and prints its seed; set LANTOR_SEARCH_SEED to replay a
// run and LANTOR_SEARCH_PHRASES to change the number of phrases.

#include "support/Fixtures.h"
#include "support/StartedProgram.h"

#include "store/EmbeddedDatabase.h"
#include "store/TFDConnection.h"
#include "store/TFDQuery.h"

#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabWidget>

#include <sqlite3.h>

#include <optional>
#include <random>
#include <string>
#include <vector>

namespace {

// --- the independent matcher -------------------------------------------

using TCodePoints = std::u32string;

// Decodes well-formed UTF-8, as the engine stores text.
TCodePoints DecodeUtf8(const char* bytes, int size) {
    TCodePoints decoded;
    decoded.reserve(static_cast<size_t>(size));
    for (int i = 0; i < size;) {
        const auto lead = static_cast<unsigned char>(bytes[i]);
        int length = 1;
        char32_t point = lead;
        if (lead >= 0xF0) {
            length = 4;
            point = lead & 0x07;
        } else if (lead >= 0xE0) {
            length = 3;
            point = lead & 0x0F;
        } else if (lead >= 0xC0) {
            length = 2;
            point = lead & 0x1F;
        }
        for (int k = 1; k < length && i + k < size; ++k)
            point = (point << 6) | (static_cast<unsigned char>(bytes[i + k]) & 0x3F);
        decoded.push_back(point);
        i += length;
    }
    return decoded;
}

TCodePoints CodePointsOf(const QString& text) {
    const QByteArray utf8 = text.toUtf8();
    return DecodeUtf8(utf8.constData(), static_cast<int>(utf8.size()));
}

char32_t FoldAsciiLetter(char32_t c) {
    return (c >= U'A' && c <= U'Z') ? c + (U'a' - U'A') : c;
}

bool SameCharacter(char32_t patternChar, char32_t valueChar) {
    return FoldAsciiLetter(patternChar) == FoldAsciiLetter(valueChar);
}

// Wildcard matching over the whole value: the two-pointer algorithm that
// remembers the last "%" and, on a mismatch, lets that "%" swallow one more
// character. "_" takes exactly one character.
bool Like(const TCodePoints& pattern, const TCodePoints& value) {
    size_t p = 0;
    size_t v = 0;
    std::optional<size_t> lastPercent;
    size_t resumeAt = 0;
    while (v < value.size()) {
        if (p < pattern.size() && pattern[p] == U'%') {
            lastPercent = p++;
            resumeAt = v;
        } else if (p < pattern.size() && (pattern[p] == U'_' || SameCharacter(pattern[p], value[v]))) {
            ++p;
            ++v;
        } else if (lastPercent) {
            p = *lastPercent + 1;
            v = ++resumeAt;
        } else {
            return false;
        }
    }
    while (p < pattern.size() && pattern[p] == U'%')
        ++p;
    return p == pattern.size();
}

// One poem as stored; a NULL column matches nothing.
struct TStoredPoem {
    int az = 0;
    std::vector<std::optional<TCodePoints>> columns;  // CIM, DATUM, VERS
};

std::vector<TStoredPoem> ReadStoredPoems(const QString& databasePath) {
    sqlite3* db = nullptr;
    // Immutable: the file is only read, never locked or journalled.
    const QByteArray uri = "file:" + QFile::encodeName(databasePath) + "?immutable=1";
    std::vector<TStoredPoem> poems;
    if (sqlite3_open_v2(uri.constData(), &db, SQLITE_OPEN_READONLY | SQLITE_OPEN_URI, nullptr) != SQLITE_OK) {
        sqlite3_close(db);
        return poems;
    }
    sqlite3_stmt* statement = nullptr;
    sqlite3_prepare_v2(db, "SELECT AZ, CIM, DATUM, VERS FROM tbl_Data ORDER BY AZ", -1, &statement, nullptr);
    while (statement && sqlite3_step(statement) == SQLITE_ROW) {
        TStoredPoem poem;
        poem.az = sqlite3_column_int(statement, 0);
        for (int column = 1; column <= 3; ++column) {
            if (sqlite3_column_type(statement, column) == SQLITE_NULL) {
                poem.columns.emplace_back(std::nullopt);
                continue;
            }
            const auto* text = reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
            poem.columns.emplace_back(DecodeUtf8(text, sqlite3_column_bytes(statement, column)));
        }
        poems.push_back(std::move(poem));
    }
    sqlite3_finalize(statement);
    sqlite3_close(db);
    return poems;
}

QVector<int> ExpectedHits(const std::vector<TStoredPoem>& poems, const QString& phrase) {
    const TCodePoints pattern = U"%" + CodePointsOf(phrase) + U"%";
    QVector<int> hits;
    for (const TStoredPoem& poem : poems) {
        for (const auto& column : poem.columns) {
            if (column && Like(pattern, *column)) {
                hits.append(poem.az);
                break;
            }
        }
    }
    return hits;
}

// The engine's limit on a LIKE pattern, in UTF-8 bytes.
constexpr qsizetype PatternLimit = 50000;

qsizetype PatternBytes(const QString& phrase) {
    return phrase.toUtf8().size() + 2;
}

// --- the phrases ---------------------------------------------------------

const QStringList SpecialTokens{
    "'",
    "\"",
    "%",
    "_",
    "!",
    "&",
    ":",
    "{",
    "?",
    "\\",
    "\\\\",
    "--",
    "/*",
    "*/",
    ";",
    "''",
    " ",
    "\n",
    "\r\n",
    "\t",
    "\r",
    "' OR 1=1 --",
    "'; DROP TABLE tbl_Data; --",
    "%'",
    "_%_",
    "\\%",
    "\\_",
};
const QString AccentedLetters = QStringLiteral("áéíóöőúüűÁÉÍÓÖŐÚÜŰ");
const QString AsciiLetters = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz");
const QString Digits = QStringLiteral("0123456789");

// Swaps lower and capital accented letters; the rest stays.
QChar OtherCaseOfAccented(QChar c) {
    const qsizetype at = AccentedLetters.indexOf(c);
    if (at < 0)
        return c;
    const qsizetype half = AccentedLetters.size() / 2;
    return AccentedLetters.at(at < half ? at + half : at - half);
}

class TPhraseMaker {
public:
    TPhraseMaker(quint64 seed, const std::vector<TStoredPoem>& poems) : v_random(seed) {
        for (const TStoredPoem& poem : poems) {
            for (const auto& column : poem.columns) {
                if (column && !column->empty())
                    v_values.append(QString::fromUcs4(column->data(), static_cast<qsizetype>(column->size())));
            }
        }
        for (const QString& value : std::as_const(v_values)) {
            for (const QString& word :
                 value.split(QRegularExpression(QStringLiteral("[\\s,.;:!?()\\[\\]-]+")), Qt::SkipEmptyParts))
                v_words.append(word);
        }
    }

    // A phrase of ordinary length: mostly pieces of the anthology, so that
    // there are hits, mixed with wildcards and characters of every kind.
    QString Ordinary() {
        QString phrase;
        const int pieces = Chance(0.6) ? 1 : Pick(2, 4);
        for (int i = 0; i < pieces; ++i)
            phrase += Piece();
        if (Chance(0.15))
            phrase = WithWildcards(phrase);
        return phrase;
    }

    // A phrase of roughly `targetBytes` UTF-8 bytes, cut to it exactly where
    // the characters allow.
    QString Long(qsizetype targetBytes) {
        QString phrase;
        qsizetype bytes = 0;
        while (bytes < targetBytes) {
            const QString piece = Chance(0.5) ? Fragment(Pick(20, 400)) : Piece();
            phrase += piece;
            bytes += piece.toUtf8().size();
        }
        while (bytes > targetBytes) {
            const qsizetype last = phrase.size() > 1 && phrase.back().isLowSurrogate() ? 2 : 1;
            bytes -= phrase.right(last).toUtf8().size();
            phrase.chop(last);
        }
        return phrase;
    }

    // A length near the pattern limit, or anywhere up to past it.
    qsizetype LongLength() {
        const qsizetype limitPhrase = PatternLimit - 2;
        if (Chance(0.6))
            return limitPhrase + Pick(-6, 6);
        return Pick(1000, 70000);
    }

    int Pick(int low, int high) { return std::uniform_int_distribution<int>(low, high)(v_random); }
    bool Chance(double p) { return std::bernoulli_distribution(p)(v_random); }

private:
    QString Piece() {
        switch (Pick(0, 9)) {
        case 0:
        case 1:
        case 2:
            return Fragment(Pick(1, 24));
        case 3:
        case 4:
            return CaseChanged(v_words.value(Pick(0, static_cast<int>(v_words.size()) - 1)));
        case 5:
            return SpecialTokens.at(Pick(0, static_cast<int>(SpecialTokens.size()) - 1));
        case 6:
            return QString(AccentedLetters.at(Pick(0, static_cast<int>(AccentedLetters.size()) - 1)));
        case 7:
            return QString(AsciiLetters.at(Pick(0, static_cast<int>(AsciiLetters.size()) - 1)));
        case 8:
            return QString(Digits.at(Pick(0, 9)));
        default:
            return RandomCharacters(Pick(1, 6));
        }
    }

    // A run of characters cut from a stored value, line breaks and all.
    QString Fragment(int length) {
        const QString& value = v_values.at(Pick(0, static_cast<int>(v_values.size()) - 1));
        const int start = Pick(0, static_cast<int>(value.size()) - 1);
        QString fragment = value.mid(start, length);
        if (!fragment.isEmpty() && fragment.front().isLowSurrogate())
            fragment.remove(0, 1);
        if (!fragment.isEmpty() && fragment.back().isHighSurrogate())
            fragment.chop(1);
        return Chance(0.3) ? CaseChanged(fragment) : fragment;
    }

    // Flips the case of some letters: A-Z ones still match, accented ones
    // then match only their own case.
    QString CaseChanged(QString text) {
        for (QChar& c : text) {
            if (!Chance(0.3))
                continue;
            if (c.unicode() < 0x80 && c.isLetter())
                c = c.isUpper() ? c.toLower() : c.toUpper();
            else
                c = OtherCaseOfAccented(c);
        }
        return text;
    }

    QString WithWildcards(QString text) {
        for (QChar& c : text) {
            if (Chance(0.1))
                c = Chance(0.5) ? QLatin1Char('_') : QLatin1Char('%');
        }
        return text;
    }

    QString RandomCharacters(int count) {
        const QString all = AccentedLetters + AsciiLetters + Digits + QStringLiteral("'\"%_!&:{?\\;/*- \n\r\t");
        QString text;
        for (int i = 0; i < count; ++i)
            text += all.at(Pick(0, static_cast<int>(all.size()) - 1));
        return text;
    }

    std::mt19937_64 v_random;
    QStringList v_values;
    QStringList v_words;
};

// A phrase shown in a failure message: control characters escaped, long
// ones cut.
QString Printable(const QString& phrase) {
    QString shown = phrase.left(200);
    shown.replace(QLatin1Char('\\'), QStringLiteral("\\\\"));
    shown.replace(QLatin1Char('\n'), QStringLiteral("\\n"));
    shown.replace(QLatin1Char('\r'), QStringLiteral("\\r"));
    shown.replace(QLatin1Char('\t'), QStringLiteral("\\t"));
    if (phrase.size() > 200)
        shown += QStringLiteral("... (%1 characters, %2 bytes)").arg(phrase.size()).arg(phrase.toUtf8().size());
    return QLatin1Char('"') + shown + QLatin1Char('"');
}

quint64 EnvironmentNumber(const char* name, quint64 fallback) {
    bool ok = false;
    const quint64 value = qEnvironmentVariable(name).toULongLong(&ok);
    return ok ? value : fallback;
}

const QString TooComplexMessage =
    QStringLiteral("[LantorStore][Phys][SQLite] ERROR: LIKE or GLOB pattern too complex.");

}  // namespace

class TSearchPropertyTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TScopedWorkingFolder> v_folder;
    TStartedProgram v_program;
    std::vector<TStoredPoem> v_poems;
    QByteArray v_embedded;
    std::unique_ptr<TMessageBoxAnswerer> v_answerer;
    QStringList v_failures;

    TForm1& Form() { return *v_program.form1; }
    TFDQuery& Cursor() { return *Form().FDQuery1; }

    // Every AZ of the cursor's result, read through the cursor in order.
    QVector<int> CursorHits() {
        QVector<int> hits;
        const int az = Cursor().FieldIndex(QStringLiteral("AZ"));
        Cursor().EnsureFetched(Cursor().RecordCount());
        for (int row = 0; row < Cursor().FetchedCount(); ++row)
            hits.append(Cursor().Value(row, az).toInt());
        return hits;
    }

    // Searches for `phrase` as the user does it: the search page, the phrase
    // in the field, the search button. Records what disagrees with the rules.
    void SearchAndCheck(const QString& phrase) {
        Form().Keress1Click();
        const QString counterBefore = Form().Label12->text();
        const qsizetype messagesBefore = v_answerer->Seen().size();
        Form().Edit1->setText(phrase);
        if (Form().Edit1->text() != phrase)
            return Fail(phrase, QStringLiteral("the field does not hold the phrase as set"));
        Form().BitBtn1->click();

        const QList<TSeenMessage>& seen = v_answerer->Seen();
        if (PatternBytes(phrase) > PatternLimit) {
            if (seen.size() != messagesBefore + 1 || seen.last().text != TooComplexMessage)
                return Fail(phrase, QStringLiteral("a pattern past the limit did not show the engine's error"));
            if (seen.last().icon != QMessageBox::Critical)
                return Fail(phrase, QStringLiteral("the error message has no error icon"));
            if (Form().Label12->text() != counterBefore)
                return Fail(phrase, QStringLiteral("the counter changed after a failed search"));
            if (Form().PageControl1->currentIndex() != 1)
                return Fail(phrase, QStringLiteral("the search page left the front after a failed search"));
            if (Cursor().Active())
                return Fail(phrase, QStringLiteral("the cursor is open after a failed search"));
            return;
        }
        if (seen.size() != messagesBefore)
            return Fail(phrase, QStringLiteral("unexpected message: ") + seen.last().text);
        const QVector<int> expected = ExpectedHits(v_poems, phrase);
        const QVector<int> actual = CursorHits();
        if (actual != expected) {
            return Fail(phrase, QStringLiteral("hits differ: expected %1 rows, got %2; first difference at %3")
                                    .arg(expected.size())
                                    .arg(actual.size())
                                    .arg(FirstDifference(expected, actual)));
        }
        if (Cursor().RecordCount() != expected.size() || Form().Label12->text() != QString::number(expected.size()))
            return Fail(phrase, QStringLiteral("count %1, counter %2, hits %3")
                                    .arg(Cursor().RecordCount())
                                    .arg(Form().Label12->text())
                                    .arg(expected.size()));
        if (Form().PageControl1->currentIndex() != 0)
            return Fail(phrase, QStringLiteral("the list page is not in front after the search"));
    }

    static QString FirstDifference(const QVector<int>& expected, const QVector<int>& actual) {
        for (qsizetype i = 0; i < qMin(expected.size(), actual.size()); ++i) {
            if (expected.at(i) != actual.at(i))
                return QStringLiteral("row %1 (AZ %2 expected, %3 found)").arg(i).arg(expected.at(i)).arg(actual.at(i));
        }
        return QStringLiteral("row %1").arg(qMin(expected.size(), actual.size()));
    }

    void Fail(const QString& phrase, const QString& what) {
        v_failures.append(Printable(phrase) + QStringLiteral(": ") + what);
    }

    void CheckNoFailures() {
        const QString report = v_failures.mid(0, 20).join(QLatin1Char('\n'));
        QVERIFY2(
            v_failures.isEmpty(),
            qPrintable(
                QStringLiteral("%1 phrases disagree with the matching rules:\n%2").arg(v_failures.size()).arg(report)));
    }

    QString DatabasePath() const { return v_folder->File(QStringLiteral("LR_ov.db")); }

private slots:
    void initTestCase() {
        const TResourceStream stream(TResourceStream::AnthologyResourceName);
        v_embedded = QByteArray(stream.Bytes().data(), stream.Bytes().size());
        QVERIFY2(ReadWholeFile(QStringLiteral(LANTOR_ANTHOLOGY_PATH)) == v_embedded,
                 "the anthology file is not what the program embeds");
        v_poems = ReadStoredPoems(QStringLiteral(LANTOR_ANTHOLOGY_PATH));
        QVERIFY(!v_poems.empty());

        v_folder = std::make_unique<TScopedWorkingFolder>();
        v_program = StartProgram();
        QCOMPARE(v_program.messages, QStringList());
        v_answerer = std::make_unique<TMessageBoxAnswerer>();
    }

    void init() { v_failures.clear(); }

    void cleanupTestCase() {
        v_answerer.reset();
        v_program.form2.reset();  // the viewer is a child of the main window
        v_program.form1.reset();
        v_folder.reset();
    }

    // The matcher itself, on cases whose answer the rules state plainly.
    void matcherFollowsTheRules_data() {
        QTest::addColumn<QString>("pattern");
        QTest::addColumn<QString>("value");
        QTest::addColumn<bool>("matches");
        QTest::newRow("empty value, any run") << "%%"
                                              << "" << true;
        QTest::newRow("one character needs one") << "%_%"
                                                 << "" << false;
        QTest::newRow("underscore is a code point") << "_"
                                                    << "ő" << true;
        QTest::newRow("underscore is not a byte") << "__"
                                                  << "ő" << false;
        QTest::newRow("A-Z fold") << "%TaVaSz%"
                                  << "tavasz" << true;
        QTest::newRow("accented letters do not fold") << "%ősz%"
                                                      << "ŐSZ" << false;
        QTest::newRow("accented letters match themselves") << "%ŐSZ%"
                                                           << "AZ ŐSZ" << true;
        QTest::newRow("whole value") << "alma"
                                     << "almafa" << false;
        QTest::newRow("line break is ordinary") << "%a\r\nb%"
                                                << "xa\r\nby" << true;
        QTest::newRow("no span over a line break") << "%a b%"
                                                   << "a\r\nb" << false;
        QTest::newRow("percent retried later") << "%ab%c"
                                               << "aab ab xc" << true;
        QTest::newRow("underscore after percent") << "%a_c"
                                                  << "abcabc" << true;
        QTest::newRow("quote is literal") << "%'%"
                                          << "it's" << true;
        QTest::newRow("backslash escapes nothing") << "%\\%%"
                                                   << "a\\b" << true;
    }
    void matcherFollowsTheRules() {
        QFETCH(QString, pattern);
        QFETCH(QString, value);
        QFETCH(bool, matches);
        QCOMPARE(Like(CodePointsOf(pattern), CodePointsOf(value)), matches);
    }

    // Lengths at and around the engine's limit, with one- and two-byte
    // characters and quotes (which the statement doubles, the pattern not).
    void patternLimitIsCountedInBytes_data() {
        QTest::addColumn<QString>("phrase");
        QTest::newRow("at the limit") << QString(PatternLimit - 2, QLatin1Char('x'));
        QTest::newRow("one byte past") << QString(PatternLimit - 1, QLatin1Char('x'));
        QTest::newRow("two-byte letters at the limit") << QString((PatternLimit - 2) / 2, QChar(0x0151));
        QTest::newRow("a two-byte letter crossing it") << QString(PatternLimit - 3, QLatin1Char('a')) + QChar(0x0151);
        QTest::newRow("quotes at the limit") << QString(PatternLimit - 2, QLatin1Char('\''));
        QTest::newRow("quotes past it") << QString(PatternLimit, QLatin1Char('\''));
        QTest::newRow("wildcards at the limit") << QString(PatternLimit - 2, QLatin1Char('%'));
        QTest::newRow("wildcards past it") << QString(PatternLimit - 1, QLatin1Char('_'));
    }
    void patternLimitIsCountedInBytes() {
        QFETCH(QString, phrase);
        SearchAndCheck(phrase);
        CheckNoFailures();
    }

    void randomPhrasesFindWhatTheRulesSay() {
        const quint64 seed = EnvironmentNumber("LANTOR_SEARCH_SEED", 20240611);
        const int count = static_cast<int>(EnvironmentNumber("LANTOR_SEARCH_PHRASES", 3000));
        TPhraseMaker maker(seed, v_poems);
        QElapsedTimer clock;
        clock.start();
        int longOnes = 0;
        int pastLimit = 0;
        int withHits = 0;
        for (int i = 0; i < count; ++i) {
            const bool isLong = maker.Chance(0.02);
            const QString phrase = isLong ? maker.Long(maker.LongLength()) : maker.Ordinary();
            longOnes += isLong;
            pastLimit += PatternBytes(phrase) > PatternLimit;
            SearchAndCheck(phrase);
            withHits += Cursor().Active() && Cursor().RecordCount() > 0;
        }
        qInfo("seed %llu: %d phrases (%d long, %d past the pattern limit, %d with hits) in %lld ms",
              static_cast<unsigned long long>(seed), count, longOnes, pastLimit, withHits,
              static_cast<long long>(clock.elapsed()));
        qInfo("replay with LANTOR_SEARCH_SEED=%llu LANTOR_SEARCH_PHRASES=%d", static_cast<unsigned long long>(seed),
              count);
        CheckNoFailures();
        // The phrases must really exercise both outcomes.
        QVERIFY(withHits > count / 4);
        QVERIFY(withHits < count - pastLimit);
    }

    // Searching only reads: the extracted file is still the embedded
    // anthology, byte for byte, while the program holds it and after it
    // let go of it.
    void databaseFileIsUnchanged() {
        QVERIFY(ReadWholeFile(DatabasePath()) == v_embedded);
        Cursor().Close();
        Form().FDConnection1->Disconnect();
        QVERIFY(ReadWholeFile(DatabasePath()) == v_embedded);
        QCOMPARE(QDir(v_folder->Path()).entryList(QDir::Files | QDir::Hidden), QStringList{"LR_ov.db"});
    }
};

LANTOR_TEST_MAIN(TSearchPropertyTest)
#include "test_search_property.moc"
