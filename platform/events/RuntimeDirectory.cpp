#include "RuntimeDirectory.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QtGlobal>

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>

namespace events {

namespace {

constexpr mode_t kPrivate = S_IRWXU; // 0700

// A folder (not a link to one) that belongs to this user and that only this user may enter.
bool isPrivateFolder(const QByteArray& path)
{
    struct stat status {};
    return !path.isEmpty() && lstat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode)
        && status.st_uid == geteuid() && (status.st_mode & 0777) == kPrivate;
}

// The host's runtime folder for this user: "nelvar-runtime-UID" in the temporary folder, made
// when missing. Someone else's folder of that name is never used: a fresh one is made instead.
QByteArray hostRuntimeFolder()
{
    const QByteArray temporary = QFile::encodeName(QDir::tempPath());
    const QByteArray path = temporary + "/nelvar-runtime-" + QByteArray::number(geteuid());
    if (mkdir(path.constData(), kPrivate) == 0 || errno == EEXIST) {
        struct stat status {};
        if (lstat(path.constData(), &status) == 0 && S_ISDIR(status.st_mode) && status.st_uid == geteuid()
            && chmod(path.constData(), kPrivate) == 0)
            return path;
    }
    QByteArray fresh = temporary + "/nelvar-runtime-XXXXXX";
    return mkdtemp(fresh.data()) ? fresh : QByteArray();
}

} // namespace

void ensurePrivateRuntimeDirectory()
{
    if (isPrivateFolder(qgetenv("XDG_RUNTIME_DIR")))
        return;
    const QByteArray folder = hostRuntimeFolder();
    if (!folder.isEmpty())
        qputenv("XDG_RUNTIME_DIR", folder);
}

} // namespace events
