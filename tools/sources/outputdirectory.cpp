#include "outputdirectory.h"

#include "diagnostic.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QString causeOf(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QByteArray native(const QString &path)
{
    return QFile::encodeName(path);
}

// A file descriptor, closed when it goes out of scope. Only descriptors whose close has no
// result to check are left to it: directories, and files given up after a failure.
class Descriptor
{
public:
    explicit Descriptor(int fd = -1) : m_fd(fd) {}
    ~Descriptor() { reset(); }
    Descriptor(const Descriptor &) = delete;
    Descriptor &operator=(const Descriptor &) = delete;

    int get() const { return m_fd; }
    bool isValid() const { return m_fd >= 0; }
    void reset(int fd = -1)
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = fd;
    }
    int release()
    {
        const int fd = m_fd;
        m_fd = -1;
        return fd;
    }

private:
    int m_fd;
};

// Writes `bytes` to the new, empty file open as `file`, checked to the last byte: a short
// write is continued, the data are synced to the disk, the size the file then has is
// compared with the bytes' and its close is checked. Returns why it failed, or nothing.
QString writeChecked(Descriptor &file, const QByteArray &bytes)
{
    qint64 written = 0;
    while (written < bytes.size()) {
        const ssize_t n =
            ::write(file.get(), bytes.constData() + written, size_t(bytes.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return QStringLiteral("%1 (%2 of %3 bytes written)")
                .arg(n < 0 ? causeOf(errno) : QStringLiteral("nothing more could be written"))
                .arg(written)
                .arg(bytes.size());
        written += n;
    }
    if (::fsync(file.get()) != 0)
        return QStringLiteral("cannot sync it to the disk: ") + causeOf(errno);
    struct stat status;
    if (::fstat(file.get(), &status) != 0)
        return QStringLiteral("cannot read its size: ") + causeOf(errno);
    if (status.st_size != bytes.size())
        return QStringLiteral("it holds %1 bytes instead of %2")
            .arg(status.st_size)
            .arg(bytes.size());
    if (::close(file.release()) != 0)
        return QStringLiteral("cannot close it: ") + causeOf(errno);
    return {};
}

// The names in the directory open as `dir`, "." and ".." left out; errno tells why on failure.
bool listDirectory(int dir, QList<QByteArray> *names)
{
    const int copy = ::fcntl(dir, F_DUPFD_CLOEXEC, 0); // closedir() closes its descriptor
    DIR *stream = copy < 0 ? nullptr : ::fdopendir(copy);
    if (!stream) {
        const int error = errno;
        if (copy >= 0)
            ::close(copy);
        errno = error;
        return false;
    }
    ::rewinddir(stream);
    errno = 0;
    while (const dirent *entry = ::readdir(stream)) {
        const QByteArray name(entry->d_name);
        if (name != "." && name != "..")
            names->append(name);
    }
    const int error = errno;
    ::closedir(stream);
    errno = error;
    return error == 0;
}

// Why the directory open as `dir` is not the tool's own: the first entry that is not a
// regular file with an owned name. Nothing when it holds only such files, listed in `names`.
QString foreignEntry(int dir, const QStringList &ownedNames, QList<QByteArray> *names)
{
    if (!listDirectory(dir, names))
        return QStringLiteral("cannot list it: ") + causeOf(errno);
    for (const QByteArray &name : qAsConst(*names)) {
        const QString shown = QFile::decodeName(name);
        struct stat status;
        if (::fstatat(dir, name.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0)
            return QStringLiteral("cannot look at its \"%1\": %2").arg(shown, causeOf(errno));
        if (!ownedNames.contains(shown))
            return QStringLiteral("it holds \"%1\", which is not a file this tool makes")
                .arg(shown);
        if (!S_ISREG(status.st_mode))
            return QStringLiteral("its \"%1\" is not a regular file").arg(shown);
    }
    return {};
}

// Removes the directory `name` of `parent`, open as `dir`, when it holds only owned files:
// the files, then the directory, made writable first since it is the tool's own. Returns
// why it stays, or nothing.
QString removeOwnedDirectory(int parent, const QByteArray &name, int dir,
                             const QStringList &ownedNames)
{
    QList<QByteArray> names;
    const QString foreign = foreignEntry(dir, ownedNames, &names);
    if (!foreign.isEmpty())
        return foreign;
    struct stat status;
    if (::fstat(dir, &status) != 0)
        return QStringLiteral("cannot look at it: ") + causeOf(errno);
    if ((status.st_mode & S_IRWXU) != S_IRWXU && ::fchmod(dir, status.st_mode | S_IRWXU) != 0)
        return QStringLiteral("cannot make it writable: ") + causeOf(errno);
    for (const QByteArray &file : qAsConst(names))
        if (::unlinkat(dir, file.constData(), 0) != 0 && errno != ENOENT)
            return QStringLiteral("cannot remove its \"%1\": %2")
                .arg(QFile::decodeName(file), causeOf(errno));
    // Only the directory that was emptied goes, should another have taken its name.
    struct stat there;
    if (::fstatat(parent, name.constData(), &there, AT_SYMLINK_NOFOLLOW) != 0)
        return QStringLiteral("cannot look at it: ") + causeOf(errno);
    if (there.st_dev != status.st_dev || there.st_ino != status.st_ino)
        return QStringLiteral("another directory took its name while it was being removed");
    if (::unlinkat(parent, name.constData(), AT_REMOVEDIR) != 0)
        return QStringLiteral("cannot remove it: ") + causeOf(errno);
    return {};
}

// Removes the leftovers of killed runs beside the target `name` in `parent` (shown as
// `parentPath`): ".NAME.new-*" and ".NAME.old" directories holding only owned files. Any
// other leftover is named in a warning. A directory locked by a run still writing it is
// passed over.
void removeLeftovers(int parent, const QString &parentPath, const QString &name,
                     const QStringList &ownedNames, QStringList *warnings)
{
    const QByteArray freshPrefix = native(QLatin1Char('.') + name + QStringLiteral(".new-"));
    const QByteArray old = native(QLatin1Char('.') + name + QStringLiteral(".old"));
    QList<QByteArray> entries;
    if (!listDirectory(parent, &entries)) {
        warnings->append(
            QStringLiteral("cannot look for leftovers in %1: %2").arg(parentPath, causeOf(errno)));
        return;
    }
    for (const QByteArray &entry : qAsConst(entries)) {
        if (!entry.startsWith(freshPrefix) && entry != old)
            continue;
        const QString shown = QDir(parentPath).filePath(QFile::decodeName(entry));
        const auto leftAlone = [&](const QString &why) {
            warnings->append(
                QStringLiteral("%1, left by an earlier run, stays: %2").arg(shown, why));
        };
        struct stat status;
        if (::fstatat(parent, entry.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
            if (errno != ENOENT)
                leftAlone(causeOf(errno));
            continue;
        }
        if (!S_ISDIR(status.st_mode)) {
            leftAlone(QStringLiteral("it is not a directory"));
            continue;
        }
        Descriptor dir(
            ::openat(parent, entry.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!dir.isValid()) {
            leftAlone(QStringLiteral("cannot open it: ") + causeOf(errno));
            continue;
        }
        if (::flock(dir.get(), LOCK_EX | LOCK_NB) != 0)
            continue; // another run is writing it
        const QString stays = removeOwnedDirectory(parent, entry, dir.get(), ownedNames);
        if (!stays.isEmpty())
            leftAlone(stays);
    }
}

// Puts the old target back where a run that could not swap the directories at once was
// stopped between its two renames: the target `name` in `parent` is missing and the old
// one is at ".NAME.old". Returns why the target cannot be replaced now, or nothing.
QString restoreStoppedSwap(int parent, const QString &parentPath, const QString &name,
                           QStringList *warnings)
{
    const QByteArray nativeName = native(name);
    const QByteArray old = native(QLatin1Char('.') + name + QStringLiteral(".old"));
    struct stat status;
    if (::fstatat(parent, nativeName.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0 ||
        errno != ENOENT || ::fstatat(parent, old.constData(), &status, AT_SYMLINK_NOFOLLOW) != 0 ||
        !S_ISDIR(status.st_mode))
        return {};
    const QString oldShown = QDir(parentPath).filePath(QFile::decodeName(old));
    Descriptor dir(
        ::openat(parent, old.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
    if (!dir.isValid())
        return QStringLiteral("cannot open %1, which holds the old %2: %3")
            .arg(oldShown, name, causeOf(errno));
    if (::flock(dir.get(), LOCK_EX | LOCK_NB) != 0)
        return QStringLiteral("another run is putting a new %1 in place").arg(name);
    if (::renameat(parent, old.constData(), parent, nativeName.constData()) != 0)
        return QStringLiteral("cannot put the old %1 back from %2: %3")
            .arg(name, oldShown, causeOf(errno));
    warnings->append(QStringLiteral("%1 was missing and its old directory was at %2, where a run "
                                    "stopped between its renames left it: it is put back")
                         .arg(name, oldShown));
    return {};
}

// Makes the directory `path` and its missing parents; errno tells why on failure.
bool makePath(const QString &path)
{
    struct stat status;
    if (::stat(native(path).constData(), &status) == 0) {
        errno = ENOTDIR;
        return S_ISDIR(status.st_mode);
    }
    const QString parent = QFileInfo(path).absolutePath();
    if (parent != path && !makePath(parent))
        return false;
    return ::mkdir(native(path).constData(), 0777) == 0 || errno == EEXIST;
}

// Whether `inner` is `outer` or lies inside it; both are clean absolute paths.
bool within(const QString &inner, const QString &outer)
{
    return inner == outer ||
           inner.startsWith(outer.endsWith(QLatin1Char('/')) ? outer : outer + QLatin1Char('/'));
}

// A path with its links resolved as far as it exists.
QString resolved(const QString &path)
{
    const QFileInfo info(path);
    return info.exists() ? info.canonicalFilePath() : QDir::cleanPath(info.absoluteFilePath());
}

// One replacement of a target directory, in the order of its steps (run()): the names are
// checked, the place, the parent opened (a stopped swap put right first), what stands at
// the target looked at and locked, the fresh directory written beside it, the two swapped,
// the old one removed. Each step returns false with `error` set when the replacement stops
// there; up to the swap the target is left as it was.
class Replacement
{
public:
    Replacement(const OutputDirectory &target, const OutputFiles &files, QString *error,
                QStringList *warnings)
        : m_target(target), m_files(files), m_error(error), m_warnings(warnings),
          m_shown(target.path)
    {
    }

    bool run()
    {
        if (!checkNames() || !checkPlace() || !openParent() || !lookAtTarget() || !writeFresh() ||
            !swapIntoPlace())
            return false;
        removeOld();
        return true;
    }

private:
    enum class Kind { Absent, Link, Directory };

    // Stops before anything is written.
    bool refuse(const QString &why)
    {
        *m_error =
            QStringLiteral("refusing to replace %1: %2; nothing was written").arg(m_shown, why);
        return false;
    }

    // Stops with the target as it was.
    bool fail(const QString &why)
    {
        *m_error = QStringLiteral("%1; %2 is left as it was").arg(why, m_shown);
        return false;
    }

    // Stops with the target as it was, once the fresh directory is made: it goes.
    bool discard(const QString &why)
    {
        const QString stays =
            removeOwnedDirectory(m_parent.get(), m_freshName, m_fresh.get(), m_target.ownedNames);
        if (!stays.isEmpty())
            m_warnings->append(QStringLiteral("%1 stays: %2").arg(m_freshShown, stays));
        return fail(why);
    }

    // The target names a directory of its own, and every file is one the tool makes.
    bool checkNames()
    {
        QString path = m_target.path;
        while (path.size() > 1 && path.endsWith(QLatin1Char('/')))
            path.chop(1);
        const QFileInfo info(path);
        m_name = info.fileName();
        m_nativeName = native(m_name);
        m_parentPath = info.absolutePath();
        if (path.isEmpty() || m_name.isEmpty() || m_name == QLatin1String(".") ||
            m_name == QLatin1String(".."))
            return refuse(
                QStringLiteral("a path ending in \".\" or \"..\" names no directory of its own"));
        for (auto file = m_files.keyBegin(); file != m_files.keyEnd(); ++file)
            if (!m_target.ownedNames.contains(*file) || file->contains(QLatin1Char('/')) ||
                *file == QLatin1String(".") || *file == QLatin1String(".."))
                return refuse(
                    QStringLiteral("\"%1\" is not a name of a file this tool makes").arg(*file));
        return true;
    }

    // The target, its links resolved, is neither the working directory nor holds it, and
    // holds nothing the tool reads from.
    bool checkPlace()
    {
        const QString targetPath = QDir(resolved(m_parentPath)).filePath(m_name);
        if (within(QDir::current().canonicalPath(), targetPath))
            return refuse(QStringLiteral("it is the working directory or holds it"));
        for (const QString &kept : m_target.keepOut)
            if (within(resolved(kept), targetPath))
                return refuse(QStringLiteral("it is or holds %1, which is read from").arg(kept));
        return true;
    }

    // The parent directory, made if missing and open; a target that a stopped swap left at
    // ".NAME.old" is put back first.
    bool openParent()
    {
        if (!makePath(m_parentPath))
            return fail(QStringLiteral("cannot make the directory %1: %2")
                            .arg(m_parentPath, causeOf(errno)));
        m_parent.reset(
            ::open(native(m_parentPath).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
        if (!m_parent.isValid())
            return fail(QStringLiteral("cannot open the directory %1: %2")
                            .arg(m_parentPath, causeOf(errno)));
        const QString stopped =
            restoreStoppedSwap(m_parent.get(), m_parentPath, m_name, m_warnings);
        return stopped.isEmpty() || fail(stopped);
    }

    // What stands at the target: nothing, a link (replaced itself), or a directory of owned
    // files. It is locked, so that no other run takes it for a leftover once swapped.
    bool lookAtTarget()
    {
        struct stat status;
        if (::fstatat(m_parent.get(), m_nativeName.constData(), &status, AT_SYMLINK_NOFOLLOW) ==
            0) {
            if (S_ISLNK(status.st_mode))
                m_kind = Kind::Link;
            else if (S_ISDIR(status.st_mode))
                m_kind = Kind::Directory;
            else
                return refuse(QStringLiteral("it is not a directory"));
        } else if (errno != ENOENT) {
            return fail(QStringLiteral("cannot look at %1: %2").arg(m_shown, causeOf(errno)));
        }
        if (m_kind != Kind::Directory)
            return true;
        m_old.reset(::openat(m_parent.get(), m_nativeName.constData(),
                             O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!m_old.isValid() || ::flock(m_old.get(), LOCK_EX) != 0)
            return fail(QStringLiteral("cannot open %1: %2").arg(m_shown, causeOf(errno)));
        QList<QByteArray> names;
        const QString foreign = foreignEntry(m_old.get(), m_target.ownedNames, &names);
        return foreign.isEmpty() || refuse(foreign);
    }

    // The files, each write checked, in a fresh directory beside the target, locked so that
    // no other run takes it for a leftover; leftovers of killed runs go first.
    bool writeFresh()
    {
        removeLeftovers(m_parent.get(), m_parentPath, m_name, m_target.ownedNames, m_warnings);
        QByteArray freshPath = native(
            QDir(m_parentPath).filePath(QLatin1Char('.') + m_name + QStringLiteral(".new-XXXXXX")));
        if (!::mkdtemp(freshPath.data()))
            return fail(QStringLiteral("cannot make a directory beside %1 in %2: %3")
                            .arg(m_shown, m_parentPath, causeOf(errno)));
        m_freshName = freshPath.mid(freshPath.lastIndexOf('/') + 1);
        m_oldName = m_freshName; // where the old target goes when the two are exchanged
        m_freshShown = QFile::decodeName(freshPath);
        m_fresh.reset(::openat(m_parent.get(), m_freshName.constData(),
                               O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC));
        if (!m_fresh.isValid() || ::flock(m_fresh.get(), LOCK_EX) != 0) {
            const int cause = errno;
            ::unlinkat(m_parent.get(), m_freshName.constData(), AT_REMOVEDIR);
            return fail(QStringLiteral("cannot open %1: %2").arg(m_freshShown, causeOf(cause)));
        }
        for (auto file = m_files.constBegin(); file != m_files.constEnd(); ++file) {
            const QString fileShown = m_freshShown + QLatin1Char('/') + file.key();
            Descriptor out(::openat(m_fresh.get(), native(file.key()).constData(),
                                    O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0666));
            const QString failure = out.isValid()
                                        ? writeChecked(out, *file)
                                        : QStringLiteral("cannot make it: ") + causeOf(errno);
            if (!failure.isEmpty())
                return discard(QStringLiteral("cannot write %1: %2").arg(fileShown, failure));
        }
        if (::fchmod(m_fresh.get(), 0755) != 0 || ::fsync(m_fresh.get()) != 0)
            return discard(
                QStringLiteral("cannot finish %1: %2").arg(m_freshShown, causeOf(errno)));
        return true;
    }

    // The fresh directory and the target exchange their names at once, so that the target
    // never is missing. Where the file system cannot exchange, two renames (swapByRenames()).
    bool swapIntoPlace()
    {
        const int parent = m_parent.get();
        if (m_kind == Kind::Absent) {
            int done = ::renameat2(parent, m_freshName.constData(), parent,
                                   m_nativeName.constData(), RENAME_NOREPLACE);
            if (done != 0 && (errno == EINVAL || errno == ENOSYS))
                done =
                    ::renameat(parent, m_freshName.constData(), parent, m_nativeName.constData());
            if (done != 0)
                return discard(cannotSwap(causeOf(errno)));
        } else if (::renameat2(parent, m_freshName.constData(), parent, m_nativeName.constData(),
                               RENAME_EXCHANGE) != 0) {
            if (errno != EINVAL && errno != ENOSYS)
                return discard(cannotSwap(causeOf(errno)));
            if (!swapByRenames())
                return false;
        }
        if (::fsync(parent) != 0)
            m_warnings->append(
                QStringLiteral("cannot sync %1 to the disk: %2").arg(m_parentPath, causeOf(errno)));
        return true;
    }

    // The swap in two renames: the target aside to ".NAME.old", the fresh directory in its
    // place; the target is put back when the second rename fails.
    bool swapByRenames()
    {
        const int parent = m_parent.get();
        m_oldName = native(QLatin1Char('.') + m_name + QStringLiteral(".old"));
        const QString oldShown = QDir(m_parentPath).filePath(QFile::decodeName(m_oldName));
        struct stat inTheWay;
        if (::fstatat(parent, m_oldName.constData(), &inTheWay, AT_SYMLINK_NOFOLLOW) == 0)
            return discard(
                QStringLiteral("cannot move %1 aside: %2 is in the way").arg(m_shown, oldShown));
        if (::renameat(parent, m_nativeName.constData(), parent, m_oldName.constData()) != 0)
            return discard(QStringLiteral("cannot move %1 aside to %2: %3")
                               .arg(m_shown, oldShown, causeOf(errno)));
        if (::renameat(parent, m_freshName.constData(), parent, m_nativeName.constData()) == 0)
            return true;
        const QString why = cannotSwap(causeOf(errno));
        if (::renameat(parent, m_oldName.constData(), parent, m_nativeName.constData()) != 0) {
            *m_error = QStringLiteral("%1; the old %2 is at %3 (%4)")
                           .arg(why, m_shown, oldShown, causeOf(errno));
            return false;
        }
        return discard(why);
    }

    QString cannotSwap(const QString &cause) const
    {
        return QStringLiteral("cannot put %1 in place of %2: %3").arg(m_freshShown, m_shown, cause);
    }

    // The old target, now under the other name, goes: a link itself, a directory with its
    // owned files. What stays is named in a warning; the replacement is done.
    void removeOld()
    {
        const QString oldShown = QDir(m_parentPath).filePath(QFile::decodeName(m_oldName));
        if (m_kind == Kind::Link && ::unlinkat(m_parent.get(), m_oldName.constData(), 0) != 0)
            m_warnings->append(QStringLiteral("the link that was %1 stays as %2: %3")
                                   .arg(m_shown, oldShown, causeOf(errno)));
        if (m_kind == Kind::Directory) {
            const QString stays =
                removeOwnedDirectory(m_parent.get(), m_oldName, m_old.get(), m_target.ownedNames);
            if (!stays.isEmpty())
                m_warnings->append(
                    QStringLiteral("the old %1 stays as %2: %3").arg(m_shown, oldShown, stays));
        }
    }

    const OutputDirectory &m_target;
    const OutputFiles &m_files;
    QString *m_error;
    QStringList *m_warnings;
    const QString m_shown; // the target as the caller named it
    QString m_name;        // the target's own name in its parent
    QByteArray m_nativeName;
    QString m_parentPath;
    Descriptor m_parent;
    Kind m_kind = Kind::Absent;
    Descriptor m_old; // the target directory, when it is one
    Descriptor m_fresh;
    QByteArray m_freshName;
    QString m_freshShown;
    QByteArray m_oldName; // where the old target is after the swap
};

} // namespace

bool replaceDirectory(const OutputDirectory &target, const OutputFiles &files, QString *error,
                      QStringList *warnings)
{
    QStringList ownWarnings;
    const bool replaced =
        Replacement(target, files, error, warnings ? warnings : &ownWarnings).run();
    for (const QString &warning : qAsConst(ownWarnings))
        printLine(stderr, QStringLiteral("warning: ") + warning);
    return replaced;
}

bool replaceFile(const QString &path, const QByteArray &bytes, QString *error)
{
    const auto refuse = [&](const QString &why) {
        *error = QStringLiteral("refusing to write %1: %2; nothing was written").arg(path, why);
        return false;
    };
    const auto fail = [&](const QString &why) {
        *error = QStringLiteral("%1; %2 is left as it was").arg(why, path);
        return false;
    };
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (name.isEmpty() || name == QLatin1String(".") || name == QLatin1String(".."))
        return refuse(QStringLiteral("it is not a regular file"));
    const QString dirPath = info.absolutePath();
    Descriptor dir(::open(native(dirPath).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!dir.isValid())
        return fail(
            QStringLiteral("cannot open the directory %1: %2").arg(dirPath, causeOf(errno)));

    const QByteArray nativeName = native(name);
    mode_t mode = 0;
    struct stat status;
    if (::fstatat(dir.get(), nativeName.constData(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
        if (S_ISLNK(status.st_mode))
            return refuse(QStringLiteral("it is a symbolic link"));
        if (!S_ISREG(status.st_mode))
            return refuse(QStringLiteral("it is not a regular file"));
        mode = status.st_mode & 07777;
    } else if (errno == ENOENT) {
        mode = ::umask(0);
        ::umask(mode);
        mode = 0666 & ~mode;
    } else {
        return fail(QStringLiteral("cannot look at %1: %2").arg(path, causeOf(errno)));
    }

    QByteArray freshPath =
        native(QDir(dirPath).filePath(QLatin1Char('.') + name + QStringLiteral(".new-XXXXXX")));
    Descriptor fresh(::mkostemp(freshPath.data(), O_CLOEXEC));
    if (!fresh.isValid())
        return fail(QStringLiteral("cannot make a file beside %1: %2").arg(path, causeOf(errno)));
    const QByteArray freshName = freshPath.mid(freshPath.lastIndexOf('/') + 1);
    const QString freshShown = QFile::decodeName(freshPath);
    QString failure = ::fchmod(fresh.get(), mode) == 0
                          ? writeChecked(fresh, bytes)
                          : QStringLiteral("cannot set its permissions: ") + causeOf(errno);
    if (failure.isEmpty() &&
        ::renameat(dir.get(), freshName.constData(), dir.get(), nativeName.constData()) != 0)
        failure = QStringLiteral("cannot give it the name %1: %2").arg(path, causeOf(errno));
    if (!failure.isEmpty()) {
        ::unlinkat(dir.get(), freshName.constData(), 0);
        return fail(QStringLiteral("cannot write %1: %2").arg(freshShown, failure));
    }
    ::fsync(dir.get());
    return true;
}
