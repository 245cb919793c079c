// Replacing a directory of made files: what may be replaced, what is refused and left as it
// was, leftovers of killed runs, and a write that fails at the size limit as on a full disk.

#include "outputdirectory.h"

#include <QDirIterator>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>
#include <functional>
#include <optional>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// A tree of files as lines, relative to its root: "dir/" a directory, "name=text" a file and
// its bytes, "name->target" a symbolic link.
bool makeTree(const QString &root, const QStringList &entries)
{
    for (const QString &entry : entries) {
        const int link = entry.indexOf(QLatin1String("->"));
        const int equals = entry.indexOf(QLatin1Char('='));
        const QString path = root + QLatin1Char('/');
        bool made = false;
        if (entry.endsWith(QLatin1Char('/'))) {
            made = QDir().mkpath(path + entry);
        } else if (link > 0) {
            made = ::symlink(QFile::encodeName(entry.mid(link + 2)).constData(),
                             QFile::encodeName(path + entry.left(link)).constData()) == 0;
        } else {
            QFile file(path + entry.left(equals));
            const QByteArray bytes = entry.mid(equals + 1).toUtf8();
            made = file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
        }
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
        const QString path = it.next();
        const QString relative = path.mid(root.size() + 1);
        const QFileInfo info(path);
        if (info.isSymLink()) {
            char target[4096];
            const ssize_t size =
                ::readlink(QFile::encodeName(path).constData(), target, sizeof target);
            entries.append(relative + QStringLiteral("->") +
                           QString::fromUtf8(target, int(qMax<ssize_t>(size, 0))));
        } else if (info.isDir()) {
            entries.append(relative + QLatin1Char('/'));
        } else {
            QFile file(path);
            file.open(QIODevice::ReadOnly);
            entries.append(relative + QLatin1Char('=') + QString::fromUtf8(file.readAll()));
        }
    }
    entries.sort();
    return entries;
}

struct Outcome
{
    bool replaced = false;
    QString error;
    QStringList warnings;
};

// Runs `action` (replaceDirectory() or replaceFile()) in a child process working in `workingDir` of
// the tree `root`, where a file grows no larger than `sizeLimit` bytes when it is not 0 (writing
// past it fails, as on a full disk), and as an unprivileged user owning the tree when the test runs
// as root, so that permissions count.
std::optional<Outcome> replaceInChild(const QString &root, const QString &workingDir,
                                      rlim_t sizeLimit,
                                      const std::function<bool(QString *, QStringList *)> &action)
{
    const uid_t nobody = 65534;
    const bool dropPrivileges = ::geteuid() == 0;
    if (dropPrivileges) {
        QDirIterator it(root, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        QStringList paths{root};
        while (it.hasNext())
            paths.append(it.next());
        for (const QString &path : paths)
            if (::lchown(QFile::encodeName(path).constData(), nobody, nobody) != 0)
                return std::nullopt;
    }
    int channel[2];
    if (::pipe(channel) != 0)
        return std::nullopt;
    const pid_t child = ::fork();
    if (child == 0) {
        ::close(channel[0]);
        if (dropPrivileges && (::setgid(nobody) != 0 || ::setuid(nobody) != 0))
            ::_exit(3);
        if (::chdir(QFile::encodeName(QDir(root).filePath(workingDir)).constData()) != 0)
            ::_exit(3);
        if (sizeLimit > 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit limit{sizeLimit, sizeLimit};
            if (::setrlimit(RLIMIT_FSIZE, &limit) != 0)
                ::_exit(3);
        }
        QString error;
        QStringList warnings;
        const bool replaced = action(&error, &warnings);
        const QByteArray report = (QStringList{error} + warnings).join(QLatin1Char('\n')).toUtf8();
        for (qint64 done = 0; done < report.size();) {
            const ssize_t n = ::write(channel[1], report.constData() + done, report.size() - done);
            if (n <= 0)
                ::_exit(3);
            done += n;
        }
        ::_exit(replaced ? 0 : 1);
    }
    ::close(channel[1]);
    QByteArray report;
    char buffer[4096];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, int(n));
    ::close(channel[0]);
    int status = 0;
    if (child < 0 || ::waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
        WEXITSTATUS(status) > 1)
        return std::nullopt;
    QStringList lines = QString::fromUtf8(report).split(QLatin1Char('\n'));
    Outcome outcome;
    outcome.replaced = WEXITSTATUS(status) == 0;
    outcome.error = lines.takeFirst();
    outcome.warnings = lines;
    return outcome;
}

} // namespace

class TestOutputDirectory : public QObject
{
    Q_OBJECT

private slots:
    void replaceDirectory_data();
    void replaceDirectory();
    void replaceFile_data();
    void replaceFile();
};

void TestOutputDirectory::replaceDirectory_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QStringList>("keepOut");
    QTest::addColumn<QString>("workingDir"); // relative to the tree's root
    QTest::addColumn<QString>("readOnly");   // a directory made read-only (mode 0555)
    QTest::addColumn<int>("sizeLimit");
    QTest::addColumn<bool>("replaced");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("message"); // in the error, or in a warning when replaced

    const QString none;
    const QStringList made{QStringLiteral("res/"), QStringLiteral("res/a.bna=new a"),
                           QStringLiteral("res/b.bna=new b")};
    const QStringList owned{QStringLiteral("res/"), QStringLiteral("res/a.bna=old a"),
                            QStringLiteral("res/c.bna=old c")};
    const auto with = [](QStringList entries, const QStringList &more) {
        entries += more;
        entries.sort();
        return entries;
    };
    const auto row = [](const char *name, const QStringList &before,
                        const QString &target) -> QTestData & {
        return QTest::newRow(name) << before << target;
    };

    row("absent target made", {}, QStringLiteral("res"))
        << QStringList() << none << none << 0 << true << made << none;
    row("target of owned files replaced", owned, QStringLiteral("res"))
        << QStringList() << none << none << 0 << true << made << none;
    row("trailing slash", owned, QStringLiteral("res/"))
        << QStringList() << none << none << 0 << true << made << none;
    const QStringList foreign = with(owned, {QStringLiteral("res/notes.txt=mine")});
    row("foreign file refused", foreign, QStringLiteral("res"))
        << QStringList() << none << none << 0 << false << foreign << QStringLiteral("notes.txt");
    const QStringList ownedNameAsDirectory{QStringLiteral("res/"), QStringLiteral("res/a.bna/")};
    row("owned name as a subdirectory refused", ownedNameAsDirectory, QStringLiteral("res"))
        << QStringList() << none << none << 0 << false << ownedNameAsDirectory
        << QStringLiteral("a.bna");
    row("\".\" refused", owned, QStringLiteral("."))
        << QStringList() << QStringLiteral("res") << none << 0 << false << owned
        << QStringLiteral("\".\"");
    row("working directory by another name refused", owned, QStringLiteral("../res"))
        << QStringList() << QStringLiteral("res") << none << 0 << false << owned
        << QStringLiteral("working directory");
    row("directory read from refused", owned, QStringLiteral("res"))
        << QStringList{QStringLiteral("res")} << none << none << 0 << false << owned
        << QStringLiteral("read from");
    row("parent of a file read from refused", owned, QStringLiteral("res"))
        << QStringList{QStringLiteral("res/a.bna")} << none << none << 0 << false << owned
        << QStringLiteral("read from");
    const QStringList file{QStringLiteral("res=text")};
    row("regular file refused", file, QStringLiteral("res"))
        << QStringList() << none << none << 0 << false << file << QStringLiteral("not a directory");
    const QStringList shared{QStringLiteral("shared/"), QStringLiteral("shared/README=keep"),
                             QStringLiteral("shared/a.bna=old a")};
    row("symlinked target replaced, linked directory untouched",
        with(shared, {QStringLiteral("res->shared")}), QStringLiteral("res"))
        << QStringList() << none << none << 0 << true << with(made, shared) << none;
    row("read-only old target replaced and removed", owned, QStringLiteral("res"))
        << QStringList() << none << QStringLiteral("res") << 0 << true << made << none;
    const QStringList foreignLeftover{QStringLiteral(".res.new-XyZ789/"),
                                      QStringLiteral(".res.new-XyZ789/notes.txt=mine")};
    row("leftovers of killed runs removed or named",
        with(owned, foreignLeftover + QStringList{QStringLiteral(".res.new-AbC123/"),
                                                  QStringLiteral(".res.new-AbC123/a.bna=half"),
                                                  QStringLiteral(".res.old/"),
                                                  QStringLiteral(".res.old/b.bna=b")}),
        QStringLiteral("res"))
        << QStringList() << none << none << 0 << true << with(made, foreignLeftover)
        << QStringLiteral(".res.new-XyZ789");
    row("write failing at the size limit leaves the old target", owned, QStringLiteral("res"))
        << QStringList() << none << none << 4 << false << owned << QStringLiteral("File too large");
}

void TestOutputDirectory::replaceDirectory()
{
    QFETCH(QStringList, before);
    QFETCH(QString, target);
    QFETCH(QStringList, keepOut);
    QFETCH(QString, workingDir);
    QFETCH(QString, readOnly);
    QFETCH(int, sizeLimit);
    QFETCH(bool, replaced);
    QFETCH(QStringList, after);
    QFETCH(QString, message);

    QTemporaryDir dir;
    QVERIFY(makeTree(dir.path(), before));
    QCOMPARE(treeOf(dir.path()), before);
    if (!readOnly.isEmpty())
        QCOMPARE(::chmod(QFile::encodeName(dir.filePath(readOnly)).constData(), 0555), 0);
    const QStringList ownedNames{QStringLiteral("a.bna"), QStringLiteral("b.bna"),
                                 QStringLiteral("c.bna")};
    const OutputFiles files{{QStringLiteral("a.bna"), "new a"}, {QStringLiteral("b.bna"), "new b"}};

    const auto outcome = replaceInChild(
        dir.path(), workingDir, rlim_t(sizeLimit), [&](QString *error, QStringList *warnings) {
            return ::replaceDirectory({target, ownedNames, keepOut}, files, error, warnings);
        });
    QVERIFY(outcome);
    QCOMPARE(outcome->replaced, replaced);
    QCOMPARE(treeOf(dir.path()), after);
    if (replaced) {
        struct stat made;
        QCOMPARE(::stat(QFile::encodeName(dir.filePath(QStringLiteral("res"))).constData(), &made),
                 0);
        QCOMPARE(int(made.st_mode & 0777), 0755); // readable by all, as the data it replaces
        QCOMPARE(outcome->error, QString());
        QCOMPARE(outcome->warnings.join(QLatin1Char('\n')).contains(message), true);
        QCOMPARE(outcome->warnings.isEmpty(), message.isEmpty());
    } else {
        QVERIFY2(outcome->error.contains(target) && outcome->error.contains(message),
                 qPrintable(outcome->error));
    }
}

void TestOutputDirectory::replaceFile_data()
{
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<int>("mode"); // of the file before, to be kept; 0: none
    QTest::addColumn<int>("sizeLimit");
    QTest::addColumn<bool>("replaced");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("message");

    const QStringList old{QStringLiteral("out.bna=old")};
    const QStringList link{QStringLiteral("data=old"), QStringLiteral("out.bna->data")};
    QTest::newRow("made") << QStringList() << 0 << 0 << true
                          << QStringList{QStringLiteral("out.bna=new")} << QString();
    QTest::newRow("replaced, permissions kept")
        << old << 0604 << 0 << true << QStringList{QStringLiteral("out.bna=new")} << QString();
    QTest::newRow("symbolic link refused, its target untouched")
        << link << 0 << 0 << false << link << QStringLiteral("symbolic link");
    QTest::newRow("write failing at the size limit leaves the old file")
        << old << 0 << 2 << false << old << QStringLiteral("File too large");
}

void TestOutputDirectory::replaceFile()
{
    QFETCH(QStringList, before);
    QFETCH(int, mode);
    QFETCH(int, sizeLimit);
    QFETCH(bool, replaced);
    QFETCH(QStringList, after);
    QFETCH(QString, message);

    QTemporaryDir dir;
    QVERIFY(makeTree(dir.path(), before));
    const QByteArray out = QFile::encodeName(dir.filePath(QStringLiteral("out.bna")));
    if (mode)
        QCOMPARE(::chmod(out.constData(), mode_t(mode)), 0);

    const auto outcome = replaceInChild(
        dir.path(), QString(), rlim_t(sizeLimit), [&](QString *error, QStringList *) {
            return ::replaceFile(QStringLiteral("out.bna"), "new", error);
        });
    QVERIFY(outcome);
    QCOMPARE(outcome->replaced, replaced);
    QCOMPARE(treeOf(dir.path()), after);
    QVERIFY2(outcome->error.contains(message) && outcome->error.isEmpty() == replaced,
             qPrintable(outcome->error));
    struct stat status;
    if (mode)
        QCOMPARE(::stat(out.constData(), &status) == 0 ? int(status.st_mode & 07777) : -1, mode);
}

QTEST_GUILESS_MAIN(TestOutputDirectory)
#include "tst_outputdirectory.moc"
