#pragma once

// The one connection to the extracted anthology and its parameter list.

#include <QObject>
#include <QString>
#include <QStringList>

#include <optional>

struct sqlite3;

// The one connection to the extracted anthology. Its settings are a list of
// "Key=Value" parameters; connecting opens the file named by `Database`
// read-write (creating it when missing, refusing a symbolic link) and sends
// one pragma per setting.
// Nothing is written through it: the program only reads.
class TFDConnection : public QObject {
    Q_OBJECT

public:
    // What `Database` holds until the start-up sequence points it at the
    // extracted file: a private in-memory database, so a start-up that found
    // no file never touches another file on disk.
    static inline const QString DefaultDatabase = QStringLiteral(":memory:");

    explicit TFDConnection(QObject* parent = nullptr);
    ~TFDConnection() override;

    TFDConnection(const TFDConnection&) = delete;
    TFDConnection& operator=(const TFDConnection&) = delete;

    // The parameter list, in its order ("DriverID=SQLite", "CacheSize=500", ...).
    const QStringList& Params() const { return v_params; }
    // The value of a parameter, or an empty text when the key is absent.
    QString Param(const QString& key) const;
    void SetDatabase(const QString& path);
    QString Database() const { return Param(QStringLiteral("Database")); }

    // The pragmas sent at connect time, in order, each as its own statement.
    QStringList ConnectPragmas() const;

    // Opens the engine connection and runs the pragmas. Throws EDatabaseError;
    // after a failure the connection stays disconnected.
    void Connect();
    // Closes every cursor over the connection, then the engine connection,
    // which releases the file and its locks. Does nothing when disconnected.
    void Disconnect();
    bool Connected() const { return v_handle != nullptr; }

    // The engine handle for the cursors of this connection; null while
    // disconnected.
    sqlite3* Handle() const { return v_handle; }

signals:
    // Sent before the engine connection closes, so cursors can let go of
    // their statements first.
    void AboutToDisconnect();

private:
    std::optional<QString> Lookup(const QString& key) const;

    QStringList v_params;
    sqlite3* v_handle = nullptr;
};
