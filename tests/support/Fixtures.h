#pragma once

// Small anthology files made by the tests themselves, with the real schema.

#include <QDir>
#include <QFile>
#include <QString>
#include <QVariant>
#include <QTest>
#include <QVector>

#include <sqlite3.h>

#include <stdexcept>
#include <string>

struct TPoemRow {
    QString cim;
    QString vers;
    QString datum;
    int az;
};

inline const char* const AnthologySchema =
    "CREATE TABLE \"tbl_Data\" (\n\t\"CIM\"\tVARCHAR(1200),\n\t\"VERS\"\tTEXT,\n\t\"DATUM\"\tCHAR(150),"
    "\n\t\"FOTO\"\tBLOB,\n\t\"AZ\"\tINTEGER PRIMARY KEY AUTOINCREMENT\n)";

// The fixture writer's own failures: the engine's message, with what it was
// asked to do, so that a broken fixture never passes for a finding.
class EFixtureError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

namespace fixture_detail {

// An engine connection that is closed on every way out.
struct TOpenDatabase {
    sqlite3* handle = nullptr;
    ~TOpenDatabase() { sqlite3_close(handle); }
};

// A prepared statement that is finalized on every way out.
struct TPreparedStatement {
    sqlite3_stmt* handle = nullptr;
    ~TPreparedStatement() { sqlite3_finalize(handle); }
};

// Throws unless the engine answered `expected` to the step `what`.
inline void Check(sqlite3* db, int result, int expected, const char* what) {
    if (result != expected)
        throw EFixtureError(std::string("fixture database: ") + what + ": " + sqlite3_errstr(result) + ": " +
                            (db ? sqlite3_errmsg(db) : "no connection"));
}

}  // namespace fixture_detail

// Writes an anthology file with `rows` at `path`, replacing what is there.
// Every call of the engine is checked; a failure throws EFixtureError.
inline void WriteFixtureDatabase(const QString& path, const QVector<TPoemRow>& rows) {
    using fixture_detail::Check;
    if (QFile::exists(path) && !QFile::remove(path))
        throw EFixtureError("fixture database: cannot remove the file already at " + path.toStdString());
    fixture_detail::TOpenDatabase db;
    Check(db.handle,
          sqlite3_open_v2(path.toUtf8().constData(), &db.handle, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr),
          SQLITE_OK, "open");
    Check(db.handle, sqlite3_exec(db.handle, AnthologySchema, nullptr, nullptr, nullptr), SQLITE_OK,
          "create the table");
    fixture_detail::TPreparedStatement insert;
    Check(db.handle,
          sqlite3_prepare_v2(db.handle, "insert into tbl_Data (CIM, VERS, DATUM, FOTO, AZ) values (?, ?, ?, NULL, ?)",
                             -1, &insert.handle, nullptr),
          SQLITE_OK, "prepare the insert");
    for (const TPoemRow& row : rows) {
        const QByteArray cim = row.cim.toUtf8();
        const QByteArray vers = row.vers.toUtf8();
        const QByteArray datum = row.datum.toUtf8();
        Check(db.handle,
              sqlite3_bind_text(insert.handle, 1, cim.constData(), static_cast<int>(cim.size()), SQLITE_TRANSIENT),
              SQLITE_OK, "bind CIM");
        Check(db.handle,
              sqlite3_bind_text(insert.handle, 2, vers.constData(), static_cast<int>(vers.size()), SQLITE_TRANSIENT),
              SQLITE_OK, "bind VERS");
        Check(db.handle,
              sqlite3_bind_text(insert.handle, 3, datum.constData(), static_cast<int>(datum.size()), SQLITE_TRANSIENT),
              SQLITE_OK, "bind DATUM");
        Check(db.handle, sqlite3_bind_int(insert.handle, 4, row.az), SQLITE_OK, "bind AZ");
        Check(db.handle, sqlite3_step(insert.handle), SQLITE_DONE, "insert a row");
        Check(db.handle, sqlite3_reset(insert.handle), SQLITE_OK, "reset the insert");
    }
    Check(db.handle, sqlite3_finalize(insert.handle), SQLITE_OK, "finalize the insert");
    insert.handle = nullptr;
    const int closed = sqlite3_close(db.handle);
    if (closed == SQLITE_OK)
        db.handle = nullptr;
    Check(db.handle, closed, SQLITE_OK, "close");
}

// The whole content of a file.
inline QByteArray ReadWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}

// True when the embedded anthology is the shipped one, whose profile some
// tests rely on.
inline bool ShippedAnthologyEmbedded() {
#if LANTOR_ANTHOLOGY_IS_FOREIGN
    return false;
#else
    return true;
#endif
}

#define SKIP_UNLESS_SHIPPED_ANTHOLOGY()                                                            \
    do {                                                                                           \
        if (!ShippedAnthologyEmbedded())                                                           \
            QSKIP("relies on the shipped anthology's profile; a different anthology is embedded"); \
    } while (false)

// Rows of the shipped anthology whose title or date holds letters that code
// page 1250 has and the western pages lack ("Ő", "ű"), past the cursor's
// first batch: the columns "az", "title" and "date" of a data-driven test.
inline void AddAccentedAnthologyRows() {
    QTest::addColumn<int>("az");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QString>("date");
    QTest::newRow("SZELLŐ") << 67 << QStringLiteral("SZELLŐ") << QStringLiteral("1918 ősze");
    QTest::newRow("ÚJ FŰ A RÉTEN") << 51 << QStringLiteral("ÚJ FŰ A RÉTEN") << QStringLiteral("1917. máj. 1.");
    QTest::newRow("A HÁZ ELŐTT") << 199 << QStringLiteral("A HÁZ ELŐTT") << QStringLiteral("1925 ősze [?]");
}
