// The poem cursor: statements, batches of rows, the record count, moves and fields.

#include "store/TFDQuery.h"

#include "store/CodePage.h"
#include "store/Statements.h"
#include "store/TDatabaseError.h"
#include "store/TFDConnection.h"

#include <sqlite3.h>

#include <optional>

namespace {

QString EngineMessage(sqlite3* handle) {
    return EngineErrorText(QString::fromUtf8(sqlite3_errmsg(handle)));
}

// The first "(digits)" of a declared type, blanks allowed inside the
// parentheses: the digits, or nothing.
std::optional<QStringView> DeclaredWidth(QStringView type) {
    for (qsizetype open = type.indexOf(u'('); open >= 0; open = type.indexOf(u'(', open + 1)) {
        qsizetype at = open + 1;
        auto skipBlanks = [&] {
            while (at < type.size() && type.at(at).isSpace())
                ++at;
        };
        skipBlanks();
        const qsizetype digitsStart = at;
        while (at < type.size() && type.at(at).isDigit())
            ++at;
        const QStringView digits = type.sliced(digitsStart, at - digitsStart);
        skipBlanks();
        if (!digits.isEmpty() && at < type.size() && type.at(at) == u')')
            return digits;
    }
    return std::nullopt;
}

// A field's kind and width from the column's declared type.
TFieldDef FieldDefFor(const QString& name, const char* declaredType) {
    TFieldDef def{name, TFieldKind::WideMemo, 0};
    const QString type = QString::fromUtf8(declaredType ? declaredType : "").trimmed().toUpper();
    const std::optional<QStringView> width = DeclaredWidth(type);
    if (type.startsWith(QLatin1String("VARCHAR"))) {
        def.kind = TFieldKind::AnsiString;
    } else if (type.startsWith(QLatin1String("CHAR"))) {
        def.kind = TFieldKind::FixedAnsiString;
    } else if (type.contains(QLatin1String("INT"))) {
        def.kind = TFieldKind::Integer;
    } else if (type.startsWith(QLatin1String("BLOB"))) {
        def.kind = TFieldKind::Blob;
    }
    if (def.kind == TFieldKind::AnsiString || def.kind == TFieldKind::FixedAnsiString)
        def.width = width ? width->toInt() : 255;
    return def;
}

// Text values lose their trailing blanks and control characters.
QString TrimTrailing(QString text) {
    qsizetype end = text.size();
    while (end > 0 && text.at(end - 1).unicode() < 0x21)
        --end;
    text.truncate(end);
    return text;
}

}  // namespace

TFDQuery::TFDQuery(QObject* parent) : QObject(parent), v_sql{FullListStatement} {}

TFDQuery::~TFDQuery() {
    FinishStatement();
}

void TFDQuery::SetConnection(TFDConnection* connection) {
    if (v_connection)
        disconnect(v_connection, nullptr, this, nullptr);
    v_connection = connection;
    if (v_connection)
        connect(v_connection, &TFDConnection::AboutToDisconnect, this, &TFDQuery::Close);
}

void TFDQuery::ReplaceSQL(const QString& statement) {
    v_sql.clear();
    v_sql.append(statement);
}

QString TFDQuery::CountStatement() const {
    return QStringLiteral("SELECT COUNT(*) FROM (\r\n") + v_sql.join(QStringLiteral("\r\n")) +
           QStringLiteral("\r\n) A");
}

void TFDQuery::Open() {
    if (v_active)
        return;
    if (!v_connection)
        throw EDatabaseError(QStringLiteral("A lekérdezéshez nincs adatkapcsolat megadva"));
    v_connection->Connect();

    try {
        PrepareStatement();
        ReadFieldDefs();
        FetchMore();
        // A first batch that reached the end of the result has counted its
        // rows already: the count statement would only scan them again.
        v_recordCount = AllFetched() ? FetchedCount() : ReadRecordCount();
    } catch (...) {
        FinishStatement();
        v_rows.clear();
        v_fields.clear();
        throw;
    }
    v_active = true;
    v_current = v_rows.isEmpty() ? -1 : 0;
    v_bof = true;
    v_eof = v_rows.isEmpty();
    emit ActiveChanged();
    emit RecordChanged();
}

void TFDQuery::Close() {
    if (!v_active)
        return;
    FinishStatement();
    v_rows.clear();
    v_rows.squeeze();
    v_fields.clear();
    v_recordCount = 0;
    v_current = -1;
    v_bof = true;
    v_eof = true;
    v_active = false;
    emit ActiveChanged();
    emit RecordChanged();
}

void TFDQuery::PrepareStatement() {
    sqlite3* handle = v_connection->Handle();
    const QByteArray text = v_sql.join(QStringLiteral("\r\n")).toUtf8();
    if (sqlite3_prepare_v2(handle, text.constData(), static_cast<int>(text.size()), &v_statement, nullptr) !=
        SQLITE_OK) {
        v_statement = nullptr;
        throw EDatabaseError(EngineMessage(handle));
    }
    if (!v_statement)  // an empty statement yields no result at all
        throw EDatabaseError(EngineErrorText(QStringLiteral("not an error: empty statement")));
}

void TFDQuery::FinishStatement() {
    sqlite3_finalize(v_statement);
    v_statement = nullptr;
}

void TFDQuery::ReadFieldDefs() {
    v_fields.clear();
    const int columns = sqlite3_column_count(v_statement);
    for (int column = 0; column < columns; ++column) {
        v_fields.append(FieldDefFor(QString::fromUtf8(sqlite3_column_name(v_statement, column)),
                                    sqlite3_column_decltype(v_statement, column)));
    }
}

int TFDQuery::ReadRecordCount() {
    sqlite3* handle = v_connection->Handle();
    const QByteArray text = CountStatement().toUtf8();
    sqlite3_stmt* count = nullptr;
    if (sqlite3_prepare_v2(handle, text.constData(), static_cast<int>(text.size()), &count, nullptr) != SQLITE_OK)
        throw EDatabaseError(EngineMessage(handle));
    const int rc = sqlite3_step(count);
    const int total = rc == SQLITE_ROW ? sqlite3_column_int(count, 0) : 0;
    sqlite3_finalize(count);
    if (rc != SQLITE_ROW)
        throw EDatabaseError(EngineMessage(handle));
    return total;
}

QVariant TFDQuery::ReadColumn(int column) const {
    if (sqlite3_column_type(v_statement, column) == SQLITE_NULL)
        return {};
    const TFieldDef& def = v_fields.at(column);
    switch (def.kind) {
    case TFieldKind::Integer:
        return static_cast<qint32>(sqlite3_column_int64(v_statement, column));
    case TFieldKind::Blob: {
        const auto* data = static_cast<const char*>(sqlite3_column_blob(v_statement, column));
        return QByteArray(data, sqlite3_column_bytes(v_statement, column));
    }
    case TFieldKind::WideMemo:
    case TFieldKind::AnsiString:
    case TFieldKind::FixedAnsiString:
        break;
    }
    const auto* utf8 = reinterpret_cast<const char*>(sqlite3_column_text(v_statement, column));
    QString text = TrimTrailing(QString::fromUtf8(utf8, sqlite3_column_bytes(v_statement, column)));
    if (def.kind == TFieldKind::WideMemo)
        return text;
    return ToSystemCodePage(text.left(def.width));
}

int TFDQuery::FetchMore() {
    if (!v_statement)
        return 0;
    int added = 0;
    const int columns = static_cast<int>(v_fields.size());
    while (added < FetchBatchSize) {
        const int rc = sqlite3_step(v_statement);
        if (rc == SQLITE_DONE) {
            FinishStatement();
            break;
        }
        if (rc != SQLITE_ROW) {
            const QString message = EngineMessage(v_connection->Handle());
            FinishStatement();
            throw EDatabaseError(message);
        }
        QVector<QVariant> row;
        row.reserve(columns);
        for (int column = 0; column < columns; ++column)
            row.append(ReadColumn(column));
        v_rows.append(std::move(row));
        ++added;
    }
    return added;
}

bool TFDQuery::EnsureFetched(int index) {
    while (index >= FetchedCount() && !AllFetched())
        FetchMore();
    return index < FetchedCount();
}

void TFDQuery::CheckActive() const {
    if (!v_active)
        throw EDatabaseError(QStringLiteral("A művelet zárt adathalmazon nem hajtható végre"));
}

void TFDQuery::SetPosition(int current, bool bof, bool eof) {
    if (current == v_current && bof == v_bof && eof == v_eof)
        return;
    v_current = current;
    v_bof = bof;
    v_eof = eof;
    emit RecordChanged();
}

void TFDQuery::First() {
    CheckActive();
    if (v_rows.isEmpty())
        SetPosition(-1, true, true);
    else
        SetPosition(0, true, false);
}

void TFDQuery::Last() {
    CheckActive();
    while (!AllFetched())
        FetchMore();
    if (v_rows.isEmpty())
        SetPosition(-1, true, true);
    else
        SetPosition(FetchedCount() - 1, false, true);
}

int TFDQuery::MoveBy(int distance) {
    CheckActive();
    if (distance == 0 || (distance > 0 && v_eof) || (distance < 0 && v_bof))
        return 0;
    int target = v_current;
    bool bof = false;
    bool eof = false;
    if (distance > 0) {
        const bool reached = EnsureFetched(v_current + distance);
        target = reached ? v_current + distance : FetchedCount() - 1;
        eof = !reached;
    } else {
        target = qMax(0, v_current + distance);
        bof = v_current + distance < 0;
    }
    const int moved = target - v_current;
    SetPosition(target, bof, eof);
    return moved;
}

int TFDQuery::FieldIndex(const QString& name) const {
    for (int i = 0; i < v_fields.size(); ++i) {
        if (v_fields.at(i).name.compare(name, Qt::CaseInsensitive) == 0)
            return i;
    }
    return -1;
}

QVariant TFDQuery::FieldValue(const QString& name) const {
    const int field = FieldIndex(name);
    if (field < 0 && v_active)
        throw EDatabaseError(QStringLiteral("Ismeretlen mező: %1").arg(name));
    return Value(v_current, field);
}

QString TFDQuery::FieldAsString(const QString& name) const {
    const QVariant value = FieldValue(name);
    return value.isNull() ? QString() : value.toString();
}

QVariant TFDQuery::Value(int row, int field) const {
    if (row < 0 || row >= v_rows.size() || field < 0 || field >= v_fields.size())
        return {};
    return v_rows.at(row).at(field);
}
