// The tagged text of the engine's errors.

#include "store/TDatabaseError.h"

QString EngineErrorText(const QString& engineMessage) {
    return QStringLiteral("[LantorStore][Phys][SQLite] ERROR: ") + engineMessage;
}
