// Replacing a directory of made files, or one file: what may be replaced, what is refused and
// left as it was, leftovers of killed runs, and a write that fails at the size limit as on a
// full disk.

#include "outputdirectory.h"
#include "testdatafiles.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using testdata::u;
using testdata::ul;

namespace {

// A tree of files as lines, relative to its root: "dir/" a directory, "name=text" a file and
// its bytes, "name->target" a symbolic link.
bool makeTree(const QString &root, const QStringList &entries)
{
    for (const QString &entry : entries) {
        const int link = entry.indexOf(QLatin1String("->"));
        const int equals = entry.indexOf(QLatin1Char('='));
        const QString path = root + QLatin1Char('/');
        const bool made = entry.endsWith(QLatin1Char('/')) ? QDir().mkpath(path + entry)
                          : link > 0 ? QFile::link(entry.mid(link + 2), path + entry.left(link))
                                     : testdata::writeFile(path + entry.left(equals),
                                                           entry.mid(equals + 1).toUtf8());
        if (!made)
            return false;
    }
    return true;
}

// The tree under `root` in the form makeTree() takes, sorted; links are not followed.
QStringList treeOf(const QString &root)
{
    QStringList entries;
    QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QFileInfo info(it.next());
        const QString relative = info.filePath().mid(root.size() + 1);
        QFile file(info.filePath());
        if (info.isSymLink())
            entries.append(relative + QStringLiteral("->") +
                           info.dir().relativeFilePath(info.symLinkTarget()));
        else if (info.isDir())
            entries.append(relative + QLatin1Char('/'));
        else if (file.open(QIODevice::ReadOnly))
            entries.append(relative + QLatin1Char('=') + QString::fromUtf8(file.readAll()));
    }
    entries.sort();
    return entries;
}

// What a run is given besides its target: what it must keep out of it, where it runs (relative
// to the tree's root), a directory made read-only (mode 0555) before, the size limit of a file,
// whether the target is one file (made by replaceFile()) and the mode that file has before, to
// be kept, and a directory that another run holds locked meanwhile.
struct Setup
{
    QStringList keepOut = {};
    QString workingDir = {};
    QString readOnly = {};
    int sizeLimit = 0;
    bool file = false;
    int mode = 0;
    QString locked = {};
};

} // namespace

Q_DECLARE_METATYPE(Setup)

class TestOutputDirectory : public QObject
{
    Q_OBJECT

private slots:
    void replace_data();
    void replace();
};

void TestOutputDirectory::replace_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("replaced");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("message"); // in the error, or in a warning when replaced
    QTest::addColumn<Setup>("setup");

    const auto row = [](const char *name, const QStringList &before, const char *target,
                        bool replaced, const QStringList &after, const char *message = "",
                        const Setup &setup = {}) {
        QTest::newRow(name) << before << u(target) << replaced << after << u(message) << setup;
    };
    const auto with = [](QStringList entries, const QStringList &more) {
        entries += more;
        entries.sort();
        return entries;
    };
    const QStringList made = ul({"res/", "res/a.bna=new a", "res/b.bna=new b"});
    const QStringList owned = ul({"res/", "res/a.bna=old a", "res/c.bna=old c"});
    const QStringList foreign = with(owned, ul({"res/notes.txt=mine"}));
    const QStringList subdirectory = ul({"res/", "res/a.bna/"});
    const QStringList file = ul({"res=text"});
    const QStringList shared = ul({"shared/", "shared/README=keep", "shared/a.bna=old a"});
    const QStringList foreignLeftover = ul({".res.new-XyZ789/", ".res.new-XyZ789/notes.txt=mine"});
    const QStringList leftovers =
        ul({".res.new-AbC123/", ".res.new-AbC123/a.bna=half", ".res.old/", ".res.old/b.bna=b"});

    row("absent target made", {}, "res", true, made);
    row("target of owned files replaced", owned, "res", true, made);
    row("trailing slash", owned, "res/", true, made);
    row("foreign file refused", foreign, "res", false, foreign, "notes.txt");
    row("owned name as a subdirectory refused", subdirectory, "res", false, subdirectory, "a.bna");
    row("\".\" refused", owned, ".", false, owned, "\".\"", {{}, u("res")});
    row("working directory by another name refused", owned, "../res", false, owned,
        "working directory", {{}, u("res")});
    row("parent of a file read from refused", owned, "res", false, owned, "read from",
        {ul({"res/a.bna"})});
    row("regular file refused", file, "res", false, file, "not a directory");
    row("symlinked target replaced, linked directory untouched", with(shared, ul({"res->shared"})),
        "res", true, with(made, shared));
    row("read-only old target replaced and removed", owned, "res", true, made, "",
        {{}, {}, u("res")});
    row("leftovers of killed runs removed or named", with(owned, foreignLeftover + leftovers),
        "res", true, with(made, foreignLeftover), ".res.new-XyZ789");
    row("write failing at the size limit leaves the old target", owned, "res", false, owned,
        "File too large", {{}, {}, {}, 4});
    // A run that could not swap at once was stopped after moving the old target aside.
    const QStringList movedAside =
        ul({".res.old/", ".res.old/a.bna=old a", ".res.old/c.bna=old c"}) +
        ul({".res.new-AbC123/", ".res.new-AbC123/a.bna=new a", ".res.new-AbC123/b.bna=new b"});
    row("old target moved aside by a stopped run put back, then replaced", movedAside, "res", true,
        made, "put back");
    row("old target moved aside by a stopped run put back when the write fails", movedAside, "res",
        false, owned, "File too large", {{}, {}, {}, 4});
    row("old target moved aside by a run still running left alone", movedAside, "res", false,
        with(movedAside, {}), "another run", {{}, {}, {}, 0, false, 0, u(".res.old")});

    const QStringList old = ul({"out.bna=old"});
    const QStringList link = ul({"data=old", "out.bna->data"});
    const Setup oneFile{{}, {}, {}, 0, true};
    row("file made", {}, "out.bna", true, ul({"out.bna=new"}), "", oneFile);
    row("file replaced, permissions kept", old, "out.bna", true, ul({"out.bna=new"}), "",
        {{}, {}, {}, 0, true, 0604});
    row("file as symbolic link refused, its target untouched", link, "out.bna", false, link,
        "symbolic link", oneFile);
    row("file write failing at the size limit leaves the old file", old, "out.bna", false, old,
        "File too large", {{}, {}, {}, 2, true});
}

void TestOutputDirectory::replace()
{
    QFETCH(QStringList, before);
    QFETCH(QString, target);
    QFETCH(bool, replaced);
    QFETCH(QStringList, after);
    QFETCH(QString, message);
    QFETCH(Setup, setup);

    QTemporaryDir dir;
    QVERIFY(makeTree(dir.path(), before));
    if (!setup.readOnly.isEmpty())
        QCOMPARE(::chmod(QFile::encodeName(dir.filePath(setup.readOnly)).constData(), 0555), 0);
    const QByteArray made = QFile::encodeName(dir.filePath(target));
    const int locked = setup.locked.isEmpty()
                           ? -1
                           : ::open(QFile::encodeName(dir.filePath(setup.locked)).constData(),
                                    O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    QVERIFY(setup.locked.isEmpty() || (locked >= 0 && ::flock(locked, LOCK_EX) == 0));
    if (setup.mode)
        QCOMPARE(::chmod(made.constData(), mode_t(setup.mode)), 0);
    const QStringList ownedNames = ul({"a.bna", "b.bna", "c.bna"});
    const OutputFiles files{{u("a.bna"), "new a"}, {u("b.bna"), "new b"}};

    // The run works in `workingDir`, with files growing no larger than the size limit when
    // there is one (writing past it fails, as on a full disk), and, when the test runs as
    // root, as an unprivileged user owning the tree, so that permissions count.
    const uid_t nobody = 65534;
    const bool asRoot = ::geteuid() == 0;
    QStringList paths{dir.path()};
    for (QDirIterator it(dir.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                         QDirIterator::Subdirectories);
         asRoot && it.hasNext();)
        paths.append(it.next());
    for (const QString &path : paths)
        QVERIFY(!asRoot || ::lchown(QFile::encodeName(path).constData(), nobody, nobody) == 0);
    const QString home = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.filePath(setup.workingDir)));
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit;
    QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
    const rlim_t noLimit = limit.rlim_cur;
    limit.rlim_cur = setup.sizeLimit ? rlim_t(setup.sizeLimit) : noLimit;
    const bool dropped = asRoot && ::setegid(nobody) == 0 && ::seteuid(nobody) == 0;
    const bool limited = ::setrlimit(RLIMIT_FSIZE, &limit) == 0;
    const mode_t userMask = ::umask(027); // a file made new gets 0666 less these bits: 0640
    QString error;
    QStringList warnings;
    const bool done = setup.file ? ::replaceFile(target, "new", &error)
                                 : ::replaceDirectory({target, ownedNames, setup.keepOut}, files,
                                                      &error, &warnings);
    ::umask(userMask);
    limit.rlim_cur = noLimit;
    ::setrlimit(RLIMIT_FSIZE, &limit);
    QVERIFY(!asRoot || (::seteuid(0) == 0 && ::setegid(0) == 0));
    QVERIFY(QDir::setCurrent(home));
    if (locked >= 0)
        ::close(locked);
    QVERIFY(limited && dropped == asRoot);
    QCOMPARE(done, replaced);
    QCOMPARE(treeOf(dir.path()), after);
    if (replaced) {
        // A directory readable by all, as the data it replaces; a file keeps its mode, and a
        // new file gets the one the user's umask gives.
        const int mode = !setup.file ? 0755 : setup.mode ? setup.mode : 0640;
        struct stat status;
        QCOMPARE(::stat(made.constData(), &status), 0);
        QCOMPARE(int(status.st_mode & 07777), mode);
        QCOMPARE(error, QString());
        QCOMPARE(warnings.join(QLatin1Char('\n')).contains(message), true);
        QCOMPARE(warnings.isEmpty(), message.isEmpty());
    } else {
        QVERIFY2(error.contains(target) && error.contains(message), qPrintable(error));
    }
}

QTEST_GUILESS_MAIN(TestOutputDirectory)
#include "tst_outputdirectory.moc"
