#include "config/file_replace.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSaveFile>

#include <optional>

#ifndef Q_OS_WIN
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>
#endif

namespace kestrix {

namespace {

// A folder closed to new files can still hold a style file that is open to
// writing, as in a shared installation whose style files were made writable
// for their users; a new file cannot be made beside it. The file is then
// rewritten where it is: the new bytes go over the old ones, and only then is
// the rest cut off. If a write fails, the old bytes go back into the space
// they held, which needs no new room on the disk.
bool RewriteInPlace(const QString& path, const std::string& bytes) {
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::ExistingOnly | QIODevice::Unbuffered))
        return false;
    const QByteArray old = file.readAll();
    if (file.error() != QFileDevice::NoError || old.size() != file.size()) return false;
    const auto size = qint64(bytes.size());
    if (file.seek(0) && file.write(bytes.data(), size) == size && file.resize(size) &&
        file.size() == size)
        return true;
    file.unsetError();
    if (file.seek(0) && file.write(old) == old.size()) file.resize(old.size());
    return false;
}

#ifndef Q_OS_WIN
// The temporary file of a save: "KSX_Set1.cfg.kestrix-1a2b3c4d.tmp". The name
// is the program's own, so that one left behind by a save that was killed
// halfway can be recognised and removed by the next save.
QString TemporaryName(const QString& fileName) {
    return fileName + QStringLiteral(".kestrix-%1.tmp")
                          .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0'));
}

void RemoveLeftTemporaryFiles(const QString& directory, const QString& fileName) {
    QDir dir(directory);
    for (const QString& left : dir.entryList({fileName + QStringLiteral(".kestrix-*.tmp")},
                                             QDir::Files | QDir::Hidden | QDir::System)) {
        if (left.size() == TemporaryName(fileName).size()) dir.remove(left);
    }
}

// A rename is only durable once the folder holding it is on the disk too.
bool SyncFolder(const QString& directory) {
    const int fd =
        ::open(QFile::encodeName(directory).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return false;
    const bool synced = ::fsync(fd) == 0;
    ::close(fd);
    return synced;
}

// The new file is complete and on the disk before it replaces the old one,
// and the replacement is on the disk before the save counts as done: a crash
// or a power cut at any moment leaves the old file or the new one, whole.
// False, with the old file in place, when no new file can be made at all.
std::optional<bool> SaveThroughTemporaryFile(const QString& directory, const QString& path,
                                             const QString& fileName, const std::string& bytes) {
    const QString temporary = directory + QLatin1Char('/') + TemporaryName(fileName);
    QFile file(temporary);
    // Unbuffered, so that a short write (disk full) is reported by write() itself.
    if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly | QIODevice::Unbuffered))
        return std::nullopt;
    const auto size = qint64(bytes.size());
    bool ok = file.write(bytes.data(), size) == size && file.size() == size &&
              ::fsync(file.handle()) == 0;
    file.close();
    ok = ok && file.error() == QFileDevice::NoError;
    if (ok && QFile::exists(path)) file.setPermissions(QFile::permissions(path));
    ok = ok && std::rename(QFile::encodeName(temporary).constData(),
                           QFile::encodeName(path).constData()) == 0;
    if (!ok) {
        QFile::remove(temporary);
        return false;
    }
    RemoveLeftTemporaryFiles(directory, fileName);
    return SyncFolder(directory);
}
#endif

} // namespace

bool ReplaceFileContents(const QString& path, const std::string& bytes) {
#ifdef Q_OS_WIN
    // QSaveFile flushes the file to the disk and replaces the old one with
    // ReplaceFile; NTFS journals the rename.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return RewriteInPlace(path, bytes);
    const auto size = qint64(bytes.size());
    if (file.write(bytes.data(), size) != size || file.size() != size) {
        file.cancelWriting();
        file.commit();
        return false;
    }
    return file.commit();
#else
    // Not QSaveFile: it ignores a failed flush to the disk, does not sync the
    // folder, and its temporary files cannot be told from the user's own.
    // A link is followed, as QSaveFile does: the file it points to is replaced.
    const QFileInfo link(path);
    const QFileInfo info(link.isSymLink() ? link.symLinkTarget() : path);
    // Only a file is replaced: a device or a pipe in its place (a settings
    // file linked to /dev/null, say) would itself be swapped for a file.
    if (info.exists() && !info.isFile()) return false;
    const std::optional<bool> saved = SaveThroughTemporaryFile(
        info.absolutePath(), info.absoluteFilePath(), info.fileName(), bytes);
    return saved ? *saved : RewriteInPlace(info.absoluteFilePath(), bytes);
#endif
}

} // namespace kestrix
