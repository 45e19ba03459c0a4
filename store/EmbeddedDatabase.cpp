// Reading the embedded anthology and writing it safely into the working folder.

#include "store/EmbeddedDatabase.h"

#include <QDir>
#include <QFile>
#include <QResource>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstring>

namespace {

// The resource path whose name matches `name` without regard to case.
QString FindResourcePath(const QString& name) {
    const QDir root(QStringLiteral(":/"));
    for (const QString& entry : root.entryList(QDir::Files)) {
        if (entry.compare(name, Qt::CaseInsensitive) == 0)
            return QStringLiteral(":/") + entry;
    }
    return {};
}

// Closes a file descriptor when the scope ends.
class TFileDescriptor {
public:
    explicit TFileDescriptor(int fd) : v_fd(fd) {}
    ~TFileDescriptor() {
        if (v_fd >= 0)
            ::close(v_fd);
    }
    TFileDescriptor(const TFileDescriptor&) = delete;
    TFileDescriptor& operator=(const TFileDescriptor&) = delete;
    int Get() const { return v_fd; }

private:
    int v_fd;
};

[[noreturn]] void ThrowWriteError(const char* what, const QString& path) {
    throw EFileWriteError(std::string(what) + " " + path.toStdString() + ": " + std::strerror(errno));
}

// An open-file-description lock over the whole file: it conflicts with the
// record locks the database engine takes, from this process or any other,
// and is released when the descriptor closes.
bool LockWholeFile(int fd) {
    struct flock lock {};
    lock.l_type = F_WRLCK;
    lock.l_whence = SEEK_SET;
    lock.l_start = 0;
    lock.l_len = 0;  // to the end of the file and beyond
    return ::fcntl(fd, F_OFD_SETLK, &lock) == 0;
}

}  // namespace

TResourceStream::TResourceStream(const QString& name) {
    const QString path = FindResourcePath(name);
    if (path.isEmpty())
        throw EResourceNotFound("no embedded resource " + name.toStdString());
    v_resource = std::make_unique<QResource>(path);
    if (!v_resource->isValid())
        throw EResourceNotFound("embedded resource " + name.toStdString() + " cannot be loaded");
    if (v_resource->compressionAlgorithm() == QResource::NoCompression) {
        v_bytes = QByteArrayView(reinterpret_cast<const char*>(v_resource->data()), v_resource->size());
    } else {
        v_uncompressed = v_resource->uncompressedData();
        v_bytes = v_uncompressed;
    }
}

TResourceStream::~TResourceStream() = default;

// Opens the file for writing without emptying it; `created` tells whether
// this call made it. Neither open follows a symbolic link at the path, so the
// file is never one outside the folder. O_NONBLOCK and O_NOCTTY keep the open
// of a fifo or a device from waiting or taking a terminal before the kind of
// the file is known.
static int OpenWithoutTruncating(const QByteArray& nativePath, bool& created) {
    constexpr int flags = O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY;
    int fd = ::open(nativePath.constData(), flags | O_CREAT | O_EXCL, 0644);
    created = fd >= 0;
    if (fd < 0 && errno == EEXIST)
        fd = ::open(nativePath.constData(), flags);
    return fd;
}

// True when the status describes a file that is ours to replace: a regular
// file and its only name, so nothing written reaches a file known under
// another name as well.
static bool IsSoleRegularFile(const struct stat& status) {
    return S_ISREG(status.st_mode) && status.st_nlink == 1;
}

// Refuses what the descriptor opened unless it is ours to replace, before
// anything locks, empties or writes it.
static void RequireSoleRegularFile(int fd, const QString& path) {
    struct stat status {};
    if (::fstat(fd, &status) != 0)
        ThrowWriteError("cannot examine", path);
    if (!IsSoleRegularFile(status))
        throw EFileWriteError("not a regular file of its own: " + path.toStdString());
    // Some file systems honour O_NONBLOCK on regular files as well; the write
    // must wait for them rather than stop short.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags < 0 || ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) != 0)
        ThrowWriteError("cannot prepare", path);
}

void WriteFileExclusively(const QString& path, QByteArrayView bytes) {
    bool created = false;
    const TFileDescriptor file(OpenWithoutTruncating(QFile::encodeName(path), created));
    if (file.Get() < 0)
        ThrowWriteError("cannot create", path);
    RequireSoleRegularFile(file.Get(), path);
    if (!LockWholeFile(file.Get()))
        ThrowWriteError("in use by another program:", path);
    if (!created && ::ftruncate(file.Get(), 0) != 0)
        ThrowWriteError("cannot empty", path);

    const char* next = bytes.data();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t written = ::write(file.Get(), next, static_cast<size_t>(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            ThrowWriteError("write stopped short on", path);
        next += written;
        left -= written;
    }
}

bool FileExists(const QString& path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && IsSoleRegularFile(status);
}

bool DeleteDatabaseFile(const QString& path) {
    // unlink removes the name alone: a link goes, never its target, and the
    // system refuses it for a folder (EISDIR), with no window for a swap
    // between a test and the removal.
    return ::unlink(QFile::encodeName(path).constData()) == 0;
}
