#pragma once

// The poem cursor over the connection.

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVector>

#include <memory>

class TFDConnection;
struct sqlite3_stmt;

// How a column of the result appears as a field; decided by the column's
// declared type.
enum class TFieldKind {
    AnsiString,       // VARCHAR: single-byte text in the system code page
    FixedAnsiString,  // CHAR: the same, of fixed width (shown without padding)
    WideMemo,         // TEXT: Unicode text of any length
    Blob,             // BLOB: binary data
    Integer,          // INTEGER: 32-bit signed integer
};

struct TFieldDef {
    QString name;
    TFieldKind kind = TFieldKind::WideMemo;
    int width = 0;  // characters, for the two single-byte kinds
};

// The poem cursor: one statement over the connection, its rows fetched on
// demand in batches and kept until it is closed, one current row, and the
// total number of rows known from the moment it opens.
//
// Moves follow the browse rules of a data set: opening and First set Bof,
// Last sets Eof, a move by a number of rows clears both and sets the one it
// runs into, and a move towards a mark that is set does nothing.
class TFDQuery : public QObject {
    Q_OBJECT

public:
    static constexpr int FetchBatchSize = 50;

    explicit TFDQuery(QObject* parent = nullptr);
    ~TFDQuery() override;

    TFDQuery(const TFDQuery&) = delete;
    TFDQuery& operator=(const TFDQuery&) = delete;

    void SetConnection(TFDConnection* connection);
    TFDConnection* Connection() const { return v_connection; }

    // The statement's lines; the callers close the cursor before replacing it.
    const QStringList& SQL() const { return v_sql; }
    void ReplaceSQL(const QString& statement);
    // The statement that counts the rows of the current one.
    QString CountStatement() const;

    // Connects first when the connection is disconnected. Throws
    // EDatabaseError; a failed open leaves the cursor closed.
    void Open();
    // Discards the fetched rows and finishes the statement.
    void Close();
    bool Active() const { return v_active; }

    int RecordCount() const { return v_active ? v_recordCount : 0; }
    bool IsEmpty() const { return v_rows.isEmpty(); }
    bool Bof() const { return v_bof; }
    bool Eof() const { return v_eof; }
    // Index of the current row among the fetched rows; -1 when there is none.
    int RecNo() const { return v_current; }

    int FetchedCount() const { return static_cast<int>(v_rows.size()); }
    bool AllFetched() const { return !v_statement; }
    // Fetches the next batch; returns the number of rows it added.
    int FetchMore();
    // Fetches batches until `index` is fetched or the result ends.
    bool EnsureFetched(int index);

    void First();
    void Prior() { MoveBy(-1); }
    void Next() { MoveBy(1); }
    void Last();
    // Moves by `distance` rows, stopping at either end; returns how many
    // rows it moved.
    int MoveBy(int distance);

    const QVector<TFieldDef>& Fields() const { return v_fields; }
    int FieldIndex(const QString& name) const;
    // A field of the current row: null when there is no current row.
    QVariant FieldValue(const QString& name) const;
    // The field as text, a null value as the empty text.
    QString FieldAsString(const QString& name) const;
    // A field of any fetched row, as the views read it.
    QVariant Value(int row, int field) const;

signals:
    // Opened or closed.
    void ActiveChanged();
    // The current row or the Bof/Eof marks changed.
    void RecordChanged();

private:
    void CheckActive() const;
    void PrepareStatement();
    void FinishStatement();
    int ReadRecordCount();
    void ReadFieldDefs();
    QVariant ReadColumn(int column) const;
    void SetPosition(int current, bool bof, bool eof);

    TFDConnection* v_connection = nullptr;
    QStringList v_sql;
    sqlite3_stmt* v_statement = nullptr;
    bool v_active = false;
    int v_recordCount = 0;
    QVector<TFieldDef> v_fields;
    QVector<QVector<QVariant>> v_rows;
    int v_current = -1;
    bool v_bof = true;
    bool v_eof = true;
};
