#pragma once

// The embedded anthology and the extracted file in the working folder.

#include <QByteArrayView>
#include <QString>

#include <memory>
#include <stdexcept>

class QResource;

// The anthology compiled into the program file as the raw resource
// "Resource_1": a read-only stream over exactly its bytes.
class TResourceStream {
public:
    static inline const QString AnthologyResourceName = QStringLiteral("Resource_1");

    // Finds the resource by name, without regard to case. Throws
    // EResourceNotFound when the program holds no such resource.
    explicit TResourceStream(const QString& name);
    ~TResourceStream();

    TResourceStream(const TResourceStream&) = delete;
    TResourceStream& operator=(const TResourceStream&) = delete;

    QByteArrayView Bytes() const { return v_bytes; }

private:
    std::unique_ptr<QResource> v_resource;
    QByteArray v_uncompressed;  // only used when the build compressed the resource
    QByteArrayView v_bytes;
};

class EResourceNotFound : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class EFileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The file name of the extracted anthology, appended to the working folder.
inline const QString DatabaseFileSuffix = QStringLiteral("/LR_ov.db");

// Writes `bytes` to `path`, replacing a file that is there. The file is
// opened without truncation and locked for exclusive use first, so a file
// that another running copy of the program holds (its database engine keeps
// a lock on it) is never emptied; only then is it cut to nothing and
// rewritten. What stands at `path` is replaced only when it is a regular file
// under that one name: a symbolic link (even to nowhere), a file with another
// hard link, a fifo, socket, device or folder is left as it is and the write
// fails. Throws EFileWriteError when the file cannot be created, is refused,
// cannot be locked, or the write stops short; a partly written file stays.
void WriteFileExclusively(const QString& path, QByteArrayView bytes);

// True when `path` names what WriteFileExclusively would replace: a regular
// file with no other name, reached without following a symbolic link.
bool FileExists(const QString& path);

// Removes the name `path` unless it is a folder (a link goes, never its target); true if it did.
bool DeleteDatabaseFile(const QString& path);
