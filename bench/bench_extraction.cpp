// Extraction of the embedded anthology into the working folder, next to a
// plain copy of the same bytes with the standard library.

#include "BenchSupport.h"

#include "store/EmbeddedDatabase.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <fstream>

namespace {

constexpr int Repetitions = 201;
constexpr double Target = 1.5;

void PlainCopy(const QString& path, QByteArrayView bytes) {
    std::ofstream out(QFile::encodeName(path).toStdString(), std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), bytes.size());
}

void Remove(const QString& path) {
    QFile::remove(path);
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    const QTemporaryDir folder;
    const QString extracted = folder.path() + DatabaseFileSuffix;
    const QString copied = folder.path() + QStringLiteral("/copy.db");
    const TResourceStream stream(TResourceStream::AnthologyResourceName);
    const QByteArrayView bytes = stream.Bytes();

    bench::PrintRatioHeader("Extraction of the database (" + std::to_string(bytes.size()) + " bytes, median of " +
                                std::to_string(Repetitions) + ")",
                            "program", "plain copy");
    bench::PrintRatioLine(
        "into an empty folder",
        bench::MeasureSideBySide(Repetitions,
                                 {[&] { Remove(extracted); }, [&] { WriteFileExclusively(extracted, bytes); }},
                                 {[&] { Remove(copied); }, [&] { PlainCopy(copied, bytes); }}),
        Target);
    bench::PrintRatioLine("over a file left behind",
                          bench::MeasureSideBySide(Repetitions, {{}, [&] { WriteFileExclusively(extracted, bytes); }},
                                                   {{}, [&] { PlainCopy(copied, bytes); }}),
                          Target);
    bench::PrintRatioLine(
        "resource lookup + write, empty folder",
        bench::MeasureSideBySide(Repetitions,
                                 {[&] { Remove(extracted); },
                                  [&] {
                                      const TResourceStream fresh(TResourceStream::AnthologyResourceName);
                                      WriteFileExclusively(extracted, fresh.Bytes());
                                  }},
                                 {[&] { Remove(copied); }, [&] { PlainCopy(copied, bytes); }}),
        Target);
    return 0;
}
