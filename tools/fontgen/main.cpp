// Makes the program's two Tahoma faces from the system's regular one:
//   lantor_fontgen FAMILY SOURCE.ttf REGULAR.ttf BOLD.ttf

#include "FaceTransforms.h"

#include <QFile>

#include <cstdio>

namespace {

bool WriteFile(const char* path, const QByteArray& data) {
    QFile file(QString::fromLocal8Bit(path));
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(data) == data.size();
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: %s FAMILY SOURCE.ttf REGULAR.ttf BOLD.ttf\n", argv[0]);
        return 2;
    }
    const QString family = QString::fromUtf8(argv[1]);
    QFile source(QString::fromLocal8Bit(argv[2]));
    if (!source.open(QIODevice::ReadOnly)) {
        std::fprintf(stderr, "%s: cannot read %s\n", argv[0], argv[2]);
        return 1;
    }
    const QByteArray regular = WithWindowsLineMetrics(source.readAll(), family);
    const QByteArray bold = EmboldenedFace(regular, family);
    if (regular.isEmpty() || bold.isEmpty()) {
        std::fprintf(stderr, "%s: %s is no TrueType face it can read\n", argv[0], argv[2]);
        return 1;
    }
    if (!WriteFile(argv[3], regular) || !WriteFile(argv[4], bold)) {
        std::fprintf(stderr, "%s: cannot write the faces\n", argv[0]);
        return 1;
    }
    return 0;
}
