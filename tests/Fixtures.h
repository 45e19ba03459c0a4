#pragma once

// Small anthology files made by the tests themselves, with the real schema.

#include <QDir>
#include <QFile>
#include <QString>
#include <QVariant>
#include <QVector>

#include <sqlite3.h>

#include <stdexcept>

struct TPoemRow {
    QString cim;
    QString vers;
    QString datum;
    int az;
};

inline const char* const AnthologySchema =
    "CREATE TABLE \"tbl_Data\" (\n\t\"CIM\"\tVARCHAR(1200),\n\t\"VERS\"\tTEXT,\n\t\"DATUM\"\tCHAR(150),"
    "\n\t\"FOTO\"\tBLOB,\n\t\"AZ\"\tINTEGER PRIMARY KEY AUTOINCREMENT\n)";

// Writes an anthology file with `rows` at `path`, replacing what is there.
inline void WriteFixtureDatabase(const QString& path, const QVector<TPoemRow>& rows) {
    QFile::remove(path);
    sqlite3* db = nullptr;
    if (sqlite3_open(path.toUtf8().constData(), &db) != SQLITE_OK)
        throw std::runtime_error("cannot create fixture");
    sqlite3_exec(db, AnthologySchema, nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db, "insert into tbl_Data (CIM, VERS, DATUM, FOTO, AZ) values (?, ?, ?, NULL, ?)", -1,
                       &insert, nullptr);
    for (const TPoemRow& row : rows) {
        const QByteArray cim = row.cim.toUtf8();
        const QByteArray vers = row.vers.toUtf8();
        const QByteArray datum = row.datum.toUtf8();
        sqlite3_bind_text(insert, 1, cim.constData(), static_cast<int>(cim.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 2, vers.constData(), static_cast<int>(vers.size()), SQLITE_TRANSIENT);
        sqlite3_bind_text(insert, 3, datum.constData(), static_cast<int>(datum.size()), SQLITE_TRANSIENT);
        sqlite3_bind_int(insert, 4, row.az);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_close(db);
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

#define SKIP_UNLESS_SHIPPED_ANTHOLOGY()                                                         \
    do {                                                                                        \
        if (!ShippedAnthologyEmbedded())                                                        \
            QSKIP("relies on the shipped anthology's profile; a different anthology is embedded"); \
    } while (false)
