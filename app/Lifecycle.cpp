// Writing, opening, closing and deleting the extracted anthology.

#include "app/Lifecycle.h"

#include "app/Dialogs.h"
#include "store/EmbeddedDatabase.h"
#include "store/TFDConnection.h"
#include "store/TFDQuery.h"

#include <memory>

namespace {

// The texts each failed step shows; the errors' own texts are never shown.
const QString NoResourceMessage = QStringLiteral("Hiba történt - 1 !");
const QString NotWrittenMessage = QStringLiteral("Hiba történt - 2 !");
const QString NoFileMessage = QStringLiteral("Nem található az adatállomány !");
const QString NotConnectedMessage = QStringLiteral("Adatállomány nem nyitható meg !");
const QString NotOpenedMessage = QStringLiteral("Lekérdezés nem hajtható végre !");

void ExtractAnthology(const QString& databasePath) {
    std::unique_ptr<TResourceStream> stream;
    try {
        stream = std::make_unique<TResourceStream>(TResourceStream::AnthologyResourceName);
    } catch (...) {
        FailureReport(NoResourceMessage);
    }
    if (!stream) {
        FailureReport(NotWrittenMessage);
        return;
    }
    try {
        WriteFileExclusively(databasePath, stream->Bytes());
    } catch (...) {
        FailureReport(NotWrittenMessage);
    }
}

}  // namespace

void OpenAnthology(const QString& databasePath, TFDConnection& connection, TFDQuery& query) {
    ExtractAnthology(databasePath);
    if (FileExists(databasePath))
        connection.SetDatabase(databasePath);
    else
        FailureReport(NoFileMessage);
    try {
        connection.Connect();
    } catch (...) {
        FailureReport(NotConnectedMessage);
    }
    try {
        query.Open();
    } catch (...) {
        FailureReport(NotOpenedMessage);
    }
}

void CloseAnthology(TFDQuery& query, TFDConnection& connection, const QString& databasePath) {
    query.Close();
    connection.Disconnect();
    DeleteDatabaseFile(databasePath);
}
