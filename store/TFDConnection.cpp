// The connection: opening the file with the engine and sending the pragmas.

#include "store/TFDConnection.h"

#include "store/TDatabaseError.h"

#include <sqlite3.h>

#include <array>

namespace {

struct TPragmaSetting {
    const char* pragma;     // the engine's pragma name
    const char* parameter;  // the key in the parameter list
    const char* fallback;   // its value when the key is absent
};

// Order matters: it is the order in which the engine receives them.
constexpr std::array<TPragmaSetting, 5> PragmaSettings{{
    {"cache_size", "CacheSize", "10000"},
    {"locking_mode", "LockingMode", "Exclusive"},
    {"synchronous", "Synchronous", "Off"},
    {"journal_mode", "JournalMode", "Delete"},
    {"foreign_keys", "ForeignKeys", "On"},
}};

void InitialiseEngineOnce() {
    static const int rc = sqlite3_initialize();
    if (rc != SQLITE_OK)
        throw EDatabaseError(EngineErrorText(QString::fromUtf8(sqlite3_errstr(rc))));
}

}  // namespace

TFDConnection::TFDConnection(QObject* parent)
    : QObject(parent),
      v_params{QStringLiteral("DriverID=SQLite"), QStringLiteral("CacheSize=500"),
               QStringLiteral("Database=") + DefaultDatabase, QStringLiteral("JournalMode=Off")} {}

TFDConnection::~TFDConnection() {
    Disconnect();
}

std::optional<QString> TFDConnection::Lookup(const QString& key) const {
    const QString prefix = key + QLatin1Char('=');
    for (const QString& entry : v_params) {
        if (entry.startsWith(prefix, Qt::CaseInsensitive))
            return entry.mid(prefix.size());
    }
    return std::nullopt;
}

QString TFDConnection::Param(const QString& key) const {
    return Lookup(key).value_or(QString());
}

void TFDConnection::SetDatabase(const QString& path) {
    const QString prefix = QStringLiteral("Database=");
    for (QString& entry : v_params) {
        if (entry.startsWith(prefix, Qt::CaseInsensitive)) {
            entry = prefix + path;
            return;
        }
    }
    v_params.append(prefix + path);
}

QStringList TFDConnection::ConnectPragmas() const {
    QStringList statements;
    for (const TPragmaSetting& setting : PragmaSettings) {
        const QString value =
            Lookup(QString::fromLatin1(setting.parameter)).value_or(QString::fromLatin1(setting.fallback));
        statements.append(QStringLiteral("PRAGMA %1 = %2").arg(QString::fromLatin1(setting.pragma), value));
    }
    return statements;
}

void TFDConnection::Connect() {
    if (Connected())
        return;
    InitialiseEngineOnce();

    sqlite3* handle = nullptr;
    const QByteArray path = Database().toUtf8();
    // A symbolic link put at the path after the start-up's file test must not
    // lead the engine to a file outside the folder.
    constexpr int flags = SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE | SQLITE_OPEN_NOFOLLOW;
    const int rc = sqlite3_open_v2(path.constData(), &handle, flags, nullptr);
    if (rc != SQLITE_OK) {
        const QString message =
            handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QString::fromUtf8(sqlite3_errstr(rc));
        sqlite3_close(handle);
        throw EDatabaseError(EngineErrorText(message));
    }

    for (const QString& pragma : ConnectPragmas()) {
        char* error = nullptr;
        if (sqlite3_exec(handle, pragma.toUtf8().constData(), nullptr, nullptr, &error) != SQLITE_OK) {
            const QString message = QString::fromUtf8(error ? error : sqlite3_errmsg(handle));
            sqlite3_free(error);
            sqlite3_close(handle);
            throw EDatabaseError(EngineErrorText(message));
        }
    }
    v_handle = handle;
}

void TFDConnection::Disconnect() {
    if (!Connected())
        return;
    emit AboutToDisconnect();
    sqlite3_close_v2(v_handle);
    v_handle = nullptr;
}
