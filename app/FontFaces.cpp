// Registering the program's embedded Tahoma faces.

#include "app/FontFaces.h"

#include <QFontDatabase>
#include <QResource>

namespace {

constexpr const char* EmbeddedFaces[] = {":/fonts/LantorTahoma.ttf", ":/fonts/LantorTahoma-Bold.ttf"};

// The bytes of an embedded face, without copying them.
QByteArray EmbeddedFace(const char* path) {
    const QResource resource(QString::fromLatin1(path));
    if (!resource.isValid() || resource.compressionAlgorithm() != QResource::NoCompression)
        return {};
    return QByteArray::fromRawData(reinterpret_cast<const char*>(resource.data()), resource.size());
}

}  // namespace

bool RegisterProgramTahoma() {
    for (const char* path : EmbeddedFaces) {
        const QByteArray face = EmbeddedFace(path);
        if (face.isEmpty() || QFontDatabase::addApplicationFontFromData(face) < 0)
            return false;
    }
    return true;
}
