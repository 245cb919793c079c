// lexora-bench: measures the viewer on synthetic dictionaries of the real scale and of
// larger ones. For each scale it writes the data files into a temporary res/, then runs
// the window in child processes of its own (so that its peak memory is the window's
// alone, and the time from exec to the first frame is what a user waits for) and prints
// one table.
//
//   lexora-bench [--scales 1,4,16] [--repeat 3] [--starts 10] [--block 100000] [--damaged 30]
//                [--keep DIR]
//
// With --exports it measures the exports of `lexora-data` instead: for each scale it
// writes the data and then runs `lexora-data export stardict` and `export pdf` on it
// --repeat times, each in a child process, and prints their wall-clock and processor
// times and peak memory. With --linearity n it then runs the exports of the smallest scale
// and of the largest side by side, n rounds, and prints how the times compare.

#include "benchdata.h"
#include "datafile.h"
#include "datafilenames.h"
#include "highlighter.h"
#include "linecodec.h"
#include "mylineedit.h"
#include "widget.h"

#include <QAbstractTextDocumentLayout>
#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <QDirIterator>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QProcess>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextLayout>
#include <QTextStream>
#include <QtTest>
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

double milliseconds(qint64 nanoseconds)
{
    return double(nanoseconds) / 1e6;
}

double median(QVector<double> values)
{
    if (values.isEmpty())
        return 0;
    std::sort(values.begin(), values.end());
    const int middle = values.size() / 2;
    return values.size() % 2 ? values.at(middle) : (values.at(middle - 1) + values.at(middle)) / 2;
}

// Peak resident set size of this process, in KiB.
qint64 peakMemoryKib()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly | QIODevice::Text))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    }
    return -1;
}

void out(const QString &text)
{
    std::fputs(text.toUtf8().constData(), stdout);
    std::fflush(stdout);
}

// The monotonic clock, which a parent and its child read alike.
qint64 monotonicNanoseconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return qint64(now.tv_sec) * 1000000000 + now.tv_nsec;
}

// CPU time this process has used so far, user and system, in ms: unlike the time on the
// clock, it hardly grows when other programs share the processors.
double cpuMilliseconds()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto ms = [](const timeval &time) {
        return double(time.tv_sec) * 1e3 + double(time.tv_usec) / 1e3;
    };
    return ms(usage.ru_utime) + ms(usage.ru_stime);
}

// Set by the parent just before it starts a child: when the child was started.
const char startedVariable[] = "LEXORA_BENCH_STARTED_NS";

// The application set up as the viewer's main() sets it up.
void setUpLikeTheViewer()
{
    QApplication::setFont(QFont(QStringLiteral("arial unicode ms"), 10, -1, false));
}

// ---- Child process: the window on one data directory ---------------------------------

// Waits for the first paint of a widget.
class PaintWatcher : public QObject
{
public:
    bool painted = false;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            painted = true;
        return QObject::eventFilter(watched, event);
    }
};

// Types one character into the dictionary field as a user does: the special letters
// through the field's own key combinations.
void typeCharacter(QWidget *field, QChar character)
{
    switch (character.unicode()) {
    case 0x025B: // ɛ
        QTest::keyClick(field, Qt::Key_E, Qt::AltModifier);
        break;
    case 0x0254: // ɔ
        QTest::keyClick(field, Qt::Key_O, Qt::AltModifier);
        break;
    case 0x0272: // ɲ
        QTest::keyClick(field, Qt::Key_Q);
        break;
    case 0x014B: // ŋ
        QTest::keyClick(field, Qt::Key_V);
        break;
    case 0x0283: // ʃ
        QTest::keyClick(field, Qt::Key_X);
        break;
    default:
        QTest::keyClick(field, char(character.toLatin1()));
        break;
    }
}

QLineEdit *lexiconField(Widget &window)
{
    for (QLineEdit *field : window.findChildren<QLineEdit *>()) {
        if (!qobject_cast<MyLineEdit *>(field) &&
            qobject_cast<QWidget *>(field->parent()) ==
                window.findChild<QTableWidget *>()->parentWidget())
            return field;
    }
    return nullptr;
}

// Shows `window` and returns once its first frame is painted (or after 30 s).
void showUntilPainted(Widget &window)
{
    auto *entryView = window.findChild<QTextEdit *>();
    PaintWatcher watcher;
    entryView->viewport()->installEventFilter(&watcher);
    window.show();
    QElapsedTimer limit;
    limit.start();
    while (!watcher.painted && limit.elapsed() < 30000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    entryView->viewport()->removeEventFilter(&watcher);
}

// The viewer started in `dir` as a user starts it: prints the time from the exec of this
// process to the first frame of its window.
int measureStart(const QString &dir)
{
    if (!QDir::setCurrent(dir)) {
        out(QStringLiteral("error=cannot enter %1\n").arg(dir));
        return 1;
    }
    Widget window;
    showUntilPainted(window);
    const qint64 painted = monotonicNanoseconds();
    const qint64 started = qgetenv(startedVariable).toLongLong();
    out(QStringLiteral("start_to_frame_ms=%1\n").arg(milliseconds(painted - started)));
    out(QStringLiteral("start_to_frame_cpu_ms=%1\n").arg(cpuMilliseconds()));
    return 0;
}

int measureWindow(const QString &dir, const QString &scriptPath)
{
    if (!QDir::setCurrent(dir)) {
        out(QStringLiteral("error=cannot enter %1\n").arg(dir));
        return 1;
    }
    QElapsedTimer timer;
    timer.start();
    Widget window;
    const qint64 constructed = timer.nsecsElapsed();
    showUntilPainted(window);
    const qint64 firstFrame = timer.nsecsElapsed();
    auto *entryView = window.findChild<QTextEdit *>();

    out(QStringLiteral("headwords=%1\n").arg(window.findChild<QListWidget *>()->count()));
    out(QStringLiteral("rows=%1\n").arg(window.findChild<QTableWidget *>()->rowCount()));
    out(QStringLiteral("construct_ms=%1\n").arg(milliseconds(constructed)));
    out(QStringLiteral("first_frame_ms=%1\n").arg(milliseconds(firstFrame)));

    // Keystroke -> entry shown: the entry view is written inside the key event's call.
    auto *field = window.findChild<MyLineEdit *>();
    QFile script(scriptPath);
    QStringList words;
    if (!scriptPath.isEmpty() && script.open(QIODevice::ReadOnly | QIODevice::Text))
        words = QString::fromUtf8(script.readAll()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    int shownEntries = 0;
    QString lastShown;
    for (const QString &word : words) {
        field->clear();
        QCoreApplication::processEvents();
        for (const QChar character : word) {
            timer.restart();
            typeCharacter(field, character);
            out(QStringLiteral("key_ms=%1\n").arg(milliseconds(timer.nsecsElapsed())));
        }
        const QString shown = entryView->toPlainText();
        if (shown != lastShown)
            ++shownEntries;
        lastShown = shown;
    }
    out(QStringLiteral("entries_shown=%1\n").arg(shownEntries));

    // The lexicon filter on a text that no row begins with reads every row.
    QLineEdit *lexicon = lexiconField(window);
    if (lexicon) {
        const QString nothing[] = {QStringLiteral("\u01B7\u01B7"), QStringLiteral("\u01B7")};
        for (int i = 0; i < 6; ++i) {
            timer.restart();
            lexicon->setText(nothing[i % 2]);
            out(QStringLiteral("scan_ms=%1\n").arg(milliseconds(timer.nsecsElapsed())));
        }
    }
    out(QStringLiteral("peak_kib=%1\n").arg(peakMemoryKib()));
    return 0;
}

// ---- Parent process ------------------------------------------------------------------

// The floor: the same files read and decoded to plain lines, and nothing else.
double measureFloor(const QString &dataDir)
{
    QVector<double> runs;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        qint64 characters = 0;
        QDirIterator files(dataDir, {QStringLiteral("*.bna")}, QDir::Files);
        while (files.hasNext()) {
            for (const QString &line : readDataFile(files.next()).value_or(QStringList()))
                characters += line.size();
        }
        runs << milliseconds(timer.nsecsElapsed());
        if (characters < 0)
            out(QString()); // keeps the decoding from being optimised away
    }
    return median(runs);
}

int formattedRanges = 0; // of the last highlighted text: shows that highlighting ran

double measureHighlighting(const QString &text, int runs)
{
    QVector<double> times;
    for (int run = 0; run < runs; ++run) {
        QTextDocument document;
        document.documentLayout(); // laid out as in the entry view; changes are announced
        new Highlighter(&document);
        // A new highlighter colours the document once from the event loop, and reacts to
        // changes only after that.
        QCoreApplication::processEvents();
        QElapsedTimer timer;
        timer.start();
        document.setPlainText(text);
        times << milliseconds(timer.nsecsElapsed());
        formattedRanges = 0;
        for (QTextBlock block = document.begin(); block != document.end(); block = block.next())
            formattedRanges += block.layout()->formats().size();
    }
    return median(times);
}

struct ChildRun
{
    QMap<QString, QVector<double>> values;
    bool ok = false;
    QString error;
};

ChildRun runChild(const QStringList &arguments, const QString &expected)
{
    ChildRun run;
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QString::fromLatin1(startedVariable),
                       QString::number(monotonicNanoseconds()));
    child.setProcessEnvironment(environment);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    if (!child.waitForFinished(600000) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0) {
        run.error = QStringLiteral("window process failed (exit %1)").arg(child.exitCode());
        return run;
    }
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const int equals = line.indexOf('=');
        if (equals > 0)
            run.values[QString::fromUtf8(line.left(equals))] << line.mid(equals + 1).toDouble();
    }
    run.ok = run.values.contains(expected);
    if (!run.ok)
        run.error = QStringLiteral("window process printed no results");
    return run;
}

ChildRun runWindow(const QString &dir, const QString &scriptPath)
{
    return runChild(
        {QStringLiteral("--measure-window"), dir, QStringLiteral("--script"), scriptPath},
        QStringLiteral("peak_kib"));
}

// Process exec -> first frame, started `starts` times in `dir` and in `emptyDir`
// alternately, so that both meet the same load of the machine.
bool runStarts(const QString &dir, const QString &emptyDir, int starts,
               QMap<QString, QVector<double>> *withData, QMap<QString, QVector<double>> *empty)
{
    for (int i = 0; i < starts; ++i) {
        for (const bool data : {false, true}) {
            const ChildRun run =
                runChild({QStringLiteral("--measure-start"), data ? dir : emptyDir},
                         QStringLiteral("start_to_frame_ms"));
            if (!run.ok) {
                out(QStringLiteral("lexora-bench: start: %1\n").arg(run.error));
                return false;
            }
            for (auto value = run.values.constBegin(); value != run.values.constEnd(); ++value)
                (*(data ? withData : empty))[value.key()] << *value;
        }
    }
    return true;
}

qint64 directorySize(const QString &dir)
{
    qint64 size = 0;
    QDirIterator files(dir, QDir::Files);
    while (files.hasNext()) {
        files.next();
        size += files.fileInfo().size();
    }
    return size;
}

QString grouped(qint64 number)
{
    QString digits = QString::number(number);
    for (int i = digits.size() - 3; i > 0; i -= 3)
        digits.insert(i, QLatin1Char(' '));
    return digits;
}

QString row(const QString &what, const QString &value, const QString &note = QString())
{
    return QStringLiteral("  %1 %2  %3\n").arg(what, -46).arg(value, 12).arg(note);
}

QString ms(double value)
{
    return QStringLiteral("%1 ms").arg(value, 0, 'f', value < 10 ? 2 : 1);
}

QString mib(double kib)
{
    return QStringLiteral("%1 MiB").arg(kib / 1024.0, 0, 'f', 1);
}

// A headword file of `megabytes` MB of random bytes (a damaged disk, a wrong file) beside
// nothing else: exec -> first frame, as the window without data meets the same load.
bool measureDamagedHeadwords(const QString &base, const QString &emptyDir, int starts,
                             double megabytes)
{
    const QString dir = base + QStringLiteral("/damaged");
    QDir().mkpath(dir + QStringLiteral("/res"));
    QFile file(dir + QStringLiteral("/res/") + headwordFileName());
    QByteArray bytes(int(megabytes * 1e6), Qt::Uninitialized);
    quint32 state = 2463534242u; // xorshift32: the same bytes in every run
    for (char &byte : bytes) {
        state ^= state << 13, state ^= state >> 17, state ^= state << 5;
        byte = char(state >> 24);
    }
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.flush()) {
        out(QStringLiteral("lexora-bench: cannot write %1\n").arg(file.fileName()));
        return false;
    }
    file.close();
    QMap<QString, QVector<double>> damaged;
    QMap<QString, QVector<double>> empty;
    if (!runStarts(dir, emptyDir, starts, &damaged, &empty))
        return false;
    const QString startRuns = QStringLiteral("median of %1, alternating").arg(starts);
    QString table = QStringLiteral("\nA headword file of %1 MB of random bytes, no other file\n")
                        .arg(megabytes, 0, 'f', 1);
    table += row(QStringLiteral("process exec -> first frame, window without data"),
                 ms(median(empty.value(QStringLiteral("start_to_frame_ms")))), startRuns);
    table += row(QStringLiteral("process exec -> first frame, damaged headwords"),
                 ms(median(damaged.value(QStringLiteral("start_to_frame_ms")))), startRuns);
    table += row(QStringLiteral("  the same in CPU time (both threads)"),
                 ms(median(damaged.value(QStringLiteral("start_to_frame_cpu_ms")))), startRuns);
    out(table);
    return true;
}

// ---- The exports of lexora-data ----------------------------------------------------

// One run of a command in a child process: its wall-clock time, processor time (user and
// system) and peak memory, taken from the kernel's account of the child.
struct CommandRun
{
    bool ok = false;
    double wallMs = 0;
    double cpuMs = 0;
    double peakKib = 0;
};

CommandRun runCommand(const QString &program, const QStringList &arguments)
{
    CommandRun run;
    QList<QByteArray> bytes{QFile::encodeName(program)};
    for (const QString &argument : arguments)
        bytes << QFile::encodeName(argument);
    std::vector<char *> argv;
    for (QByteArray &argument : bytes)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    const qint64 started = monotonicNanoseconds();
    const pid_t child = fork();
    if (child < 0)
        return run;
    if (child == 0) {
        execv(argv.front(), argv.data());
        _exit(127);
    }
    int status = 0;
    rusage usage{};
    if (wait4(child, &status, 0, &usage) != child)
        return run;
    run.wallMs = milliseconds(monotonicNanoseconds() - started);
    const auto ms = [](const timeval &time) {
        return double(time.tv_sec) * 1e3 + double(time.tv_usec) / 1e3;
    };
    run.cpuMs = ms(usage.ru_utime) + ms(usage.ru_stime);
    run.peakKib = double(usage.ru_maxrss);
    // Exit 1 is an export made with warnings (left-out headwords): still measured.
    run.ok = WIFEXITED(status) && WEXITSTATUS(status) <= 1;
    return run;
}

double loadAverage()
{
    double load[1] = {0};
    return getloadavg(load, 1) == 1 ? load[0] : -1;
}

// Whether the exports grow in proportion to the dictionary: `rounds` times, the exports of
// the small dictionary run `times` times in a row and then the export of the large one,
// `times` times larger, once. The time of the large one over that of the run of small ones
// is 1 for an export in linear time. Run side by side, the two see the machine alike,
// which a comparison of medians taken minutes apart does not on a machine whose speed
// drifts.
struct LinearityCheck
{
    QString smallDir;
    QString largeDir;
    int times = 0;
    int rounds = 0;
};

QString linearityTable(const QString &tool, const LinearityCheck &check, const QString &outDir)
{
    const auto arguments = [&](const QString &format, const QString &dataDir) {
        const QString target =
            outDir + (format == QLatin1String("pdf") ? QStringLiteral("/linearity.pdf")
                                                     : QStringLiteral("/linearity"));
        return QStringList{QStringLiteral("export"), format, dataDir, target};
    };
    QString table =
        QStringLiteral("\nLinearity: %1 exports of the small dictionary in a row, "
                       "then one of the %1 times larger; ratio large / small run, median of %2 "
                       "rounds\n")
            .arg(check.times)
            .arg(check.rounds);
    for (const QString &format : {QStringLiteral("stardict"), QStringLiteral("pdf")}) {
        QVector<double> cpuRatios, wallRatios;
        double smallCpu = 0, largeCpu = 0;
        for (int round = 0; round < check.rounds; ++round) {
            double cpu = 0, wall = 0;
            for (int i = 0; i < check.times; ++i) {
                const CommandRun run = runCommand(tool, arguments(format, check.smallDir));
                if (!run.ok)
                    return QString();
                cpu += run.cpuMs;
                wall += run.wallMs;
            }
            const CommandRun large = runCommand(tool, arguments(format, check.largeDir));
            if (!large.ok)
                return QString();
            cpuRatios << large.cpuMs / cpu;
            wallRatios << large.wallMs / wall;
            smallCpu += cpu;
            largeCpu += large.cpuMs;
        }
        const auto ratio = [](double value) { return QString::number(value, 'f', 2); };
        const auto range = [&](const QVector<double> &values) {
            const auto [low, high] = std::minmax_element(values.begin(), values.end());
            return QStringLiteral("%1 to %2").arg(ratio(*low), ratio(*high));
        };
        const QString name = QStringLiteral("export ") + format;
        table += row(name + QStringLiteral(", processor time ratio"), ratio(median(cpuRatios)),
                     range(cpuRatios));
        table += row(name + QStringLiteral(", wall clock ratio"), ratio(median(wallRatios)),
                     range(wallRatios));
        table +=
            row(name + QStringLiteral(", processor time, small run"), ms(smallCpu / check.rounds));
        table +=
            row(name + QStringLiteral(", processor time, large one"), ms(largeCpu / check.rounds));
    }
    return table;
}

int runExportBenchmark(const QList<double> &scales, int repeat, const QString &keep,
                       int linearityRounds)
{
    QTemporaryDir temporary;
    const QString base = keep.isEmpty() ? temporary.path() : QDir(keep).absolutePath();
    if (!temporary.isValid() && keep.isEmpty()) {
        out(QStringLiteral("lexora-bench: cannot create a temporary directory\n"));
        return 1;
    }
    const QString tool =
        QCoreApplication::applicationDirPath() + QStringLiteral("/../tools/lexora-data");
    if (!QFileInfo(tool).isExecutable()) {
        out(QStringLiteral("lexora-bench: %1 is not built\n").arg(tool));
        return 1;
    }
    for (const double scale : scales) {
        const QString scaleDir = base + QStringLiteral("/scale-%1").arg(scale);
        const QString dataDir = scaleDir + QStringLiteral("/res");
        const BenchData data = generateBenchData(scale);
        if (!writeBenchData(data, dataDir)) {
            out(QStringLiteral("lexora-bench: cannot write the data into %1\n").arg(dataDir));
            return 1;
        }
        QString table = QStringLiteral("\nScale %1x: %2 headwords, %3 lexicon rows, exports "
                                       "(median of %4 runs; load average %5 before)\n")
                            .arg(scale)
                            .arg(grouped(data.headwords.size()))
                            .arg(grouped(data.lexicon.size()))
                            .arg(repeat)
                            .arg(loadAverage(), 0, 'f', 2);
        const QString stardictDir = scaleDir + QStringLiteral("/stardict");
        const QString pdfFile = scaleDir + QStringLiteral("/dictionary.pdf");
        const QList<QPair<QString, QStringList>> commands{
            {QStringLiteral("export stardict"),
             {QStringLiteral("export"), QStringLiteral("stardict"), dataDir, stardictDir}},
            {QStringLiteral("export pdf"),
             {QStringLiteral("export"), QStringLiteral("pdf"), dataDir, pdfFile}},
        };
        for (const auto &[name, arguments] : commands) {
            QVector<double> wall, cpu, peak;
            for (int i = 0; i < repeat; ++i) {
                const CommandRun run = runCommand(tool, arguments);
                if (!run.ok) {
                    out(QStringLiteral("lexora-bench: lexora-data %1 failed at scale %2\n")
                            .arg(name)
                            .arg(scale));
                    return 1;
                }
                wall << run.wallMs;
                cpu << run.cpuMs;
                peak << run.peakKib;
            }
            const auto range = [](const QVector<double> &values) {
                const auto [low, high] = std::minmax_element(values.begin(), values.end());
                return QStringLiteral("%1 to %2").arg(ms(*low), ms(*high));
            };
            table += row(name + QStringLiteral(", processor time"), ms(median(cpu)), range(cpu));
            table += row(name + QStringLiteral(", wall clock"), ms(median(wall)), range(wall));
            table += row(name + QStringLiteral(", peak memory"), mib(median(peak)));
        }
        table +=
            row(QStringLiteral("written: stardict / pdf"),
                QStringLiteral("%1 MB").arg(double(directorySize(stardictDir)) / 1e6, 0, 'f', 2),
                QStringLiteral("%1 MB").arg(double(QFileInfo(pdfFile).size()) / 1e6, 0, 'f', 2));
        table += row(QStringLiteral("load average after"), QString::number(loadAverage(), 'f', 2));
        out(table);
    }
    if (linearityRounds > 0) {
        const double small = *std::min_element(scales.begin(), scales.end());
        const double large = *std::max_element(scales.begin(), scales.end());
        const double times = large / small;
        if (times < 2 || times != std::round(times)) {
            out(QStringLiteral("lexora-bench: --linearity needs a largest scale a whole "
                               "multiple of the smallest\n"));
            return 1;
        }
        const auto dataDir = [&](double scale) {
            return base + QStringLiteral("/scale-%1/res").arg(scale);
        };
        const QString table = linearityTable(
            tool, {dataDir(small), dataDir(large), int(times), linearityRounds}, base);
        if (table.isEmpty()) {
            out(QStringLiteral("lexora-bench: an export failed in the linearity check\n"));
            return 1;
        }
        out(table +
            row(QStringLiteral("load average after"), QString::number(loadAverage(), 'f', 2)));
    }
    if (!keep.isEmpty())
        out(QStringLiteral("\nData and exports kept in %1\n").arg(base));
    return 0;
}

int runBenchmark(const QList<double> &scales, int repeat, int starts, int blockLength,
                 const QString &keep, double damagedMegabytes)
{
    QTemporaryDir temporary;
    const QString base = keep.isEmpty() ? temporary.path() : QDir(keep).absolutePath();
    if (!temporary.isValid() && keep.isEmpty()) {
        out(QStringLiteral("lexora-bench: cannot create a temporary directory\n"));
        return 1;
    }

    // The window without data: a working directory with no res/ in it.
    const QString emptyDir = base + QStringLiteral("/empty");
    QDir().mkpath(emptyDir);
    const ChildRun empty = runWindow(emptyDir, QString());
    if (!empty.ok) {
        out(QStringLiteral("lexora-bench: empty window: %1\n").arg(empty.error));
        return 1;
    }
    const double emptyPeak = median(empty.values.value(QStringLiteral("peak_kib")));

    const QString block = markedBlock(blockLength);
    for (const double scale : scales) {
        const QString scaleDir = base + QStringLiteral("/scale-%1").arg(scale);
        const QString dataDir = scaleDir + QStringLiteral("/res");
        QElapsedTimer generation;
        generation.start();
        const BenchData data = generateBenchData(scale);
        if (!writeBenchData(data, dataDir)) {
            out(QStringLiteral("lexora-bench: cannot write the data into %1\n").arg(dataDir));
            return 1;
        }
        const QString scriptPath = scaleDir + QStringLiteral("/typing.txt");
        QFile script(scriptPath);
        if (!script.open(QIODevice::WriteOnly) ||
            script.write(data.typingScript.join(QLatin1Char('\n')).toUtf8()) < 0) {
            out(QStringLiteral("lexora-bench: cannot write %1\n").arg(scriptPath));
            return 1;
        }
        script.close();
        const double generated = milliseconds(generation.nsecsElapsed());

        const double floor = measureFloor(dataDir);
        QMap<QString, QVector<double>> window;
        for (int i = 0; i < repeat; ++i) {
            const ChildRun run = runWindow(scaleDir, scriptPath);
            if (!run.ok) {
                out(QStringLiteral("lexora-bench: scale %1: %2\n").arg(scale).arg(run.error));
                return 1;
            }
            for (auto value = run.values.constBegin(); value != run.values.constEnd(); ++value)
                window[value.key()] << *value;
        }
        QMap<QString, QVector<double>> startsWithData;
        QMap<QString, QVector<double>> startsEmpty;
        if (!runStarts(scaleDir, emptyDir, starts, &startsWithData, &startsEmpty))
            return 1;
        const double entry = measureHighlighting(data.sampleEntry, 21);
        const int entryRanges = formattedRanges;
        const double blockTime = measureHighlighting(block, 3);
        const int blockRanges = formattedRanges;

        const QVector<double> keys = window.value(QStringLiteral("key_ms"));
        const double worstKey = keys.isEmpty() ? 0 : *std::max_element(keys.begin(), keys.end());
        const int keystrokes = keys.size() / std::max(1, repeat);
        const QString runs = QStringLiteral("median of %1 runs").arg(repeat);

        const qint64 dataBytes = directorySize(dataDir);
        const double peak = median(window.value(QStringLiteral("peak_kib")));
        const QString wall = QStringLiteral("start_to_frame_ms");
        const QString cpu = QStringLiteral("start_to_frame_cpu_ms");
        const double startWithData = median(startsWithData.value(wall));
        const double startEmpty = median(startsEmpty.value(wall));
        const double cpuWithData = median(startsWithData.value(cpu));
        const double cpuEmpty = median(startsEmpty.value(cpu));
        const QString startRuns = QStringLiteral("median of %1, alternating").arg(starts);

        QString table;
        table += QStringLiteral("\nScale %1x: %2 headwords, %3 lexicon rows, %4 MB in %5 data "
                                "files (generated in %6)\n")
                     .arg(scale)
                     .arg(grouped(qint64(median(window.value(QStringLiteral("headwords"))))))
                     .arg(grouped(qint64(median(window.value(QStringLiteral("rows"))))))
                     .arg(double(dataBytes) / 1e6, 0, 'f', 2)
                     .arg(QDir(dataDir).entryList(QDir::Files).size())
                     .arg(ms(generated));
        table += row(QStringLiteral("process exec -> first frame, window without data"),
                     ms(startEmpty), startRuns);
        table +=
            row(QStringLiteral("process exec -> first frame, this dictionary"), ms(startWithData),
                QStringLiteral("%1 x the window without data")
                    .arg(startWithData / std::max(startEmpty, 1e-9), 0, 'f', 2));
        table += row(QStringLiteral("  the same in CPU time, window without data"), ms(cpuEmpty),
                     startRuns);
        table += row(QStringLiteral("  the same in CPU time, this dictionary"), ms(cpuWithData),
                     QStringLiteral("%1 x the window without data")
                         .arg(cpuWithData / std::max(cpuEmpty, 1e-9), 0, 'f', 2));
        table += row(QStringLiteral("floor: read + decode the files to lines"), ms(floor),
                     QStringLiteral("median of 3"));
        table += row(QStringLiteral("window construction"),
                     ms(median(window.value(QStringLiteral("construct_ms")))), runs);
        table += row(QStringLiteral("construction to first shown frame"),
                     ms(median(window.value(QStringLiteral("first_frame_ms")))), runs);
        table += row(QStringLiteral("keystroke -> entry shown, median"), ms(median(keys)),
                     QStringLiteral("%1 keystrokes x %2 runs, %3 words, %4 entries shown")
                         .arg(keystrokes)
                         .arg(repeat)
                         .arg(data.typingScript.size())
                         .arg(median(window.value(QStringLiteral("entries_shown")))));
        table += row(QStringLiteral("keystroke -> entry shown, worst"), ms(worstKey));
        table +=
            row(QStringLiteral("lexicon filter, no match (full scan)"),
                ms(median(window.value(QStringLiteral("scan_ms")))),
                QStringLiteral("median of %1").arg(window.value(QStringLiteral("scan_ms")).size()));
        table +=
            row(QStringLiteral("highlight one entry (%1 lines)")
                    .arg(data.sampleEntry.count(QLatin1Char('\n')) + 1),
                ms(entry), QStringLiteral("median of 21, %1 coloured ranges").arg(entryRanges));
        table +=
            row(QStringLiteral("highlight a %1-character block").arg(grouped(blockLength)),
                ms(blockTime), QStringLiteral("median of 3, %1 coloured ranges").arg(blockRanges));
        table += row(QStringLiteral("peak memory (VmHWM)"), mib(peak),
                     QStringLiteral("window without data: %1").arg(mib(emptyPeak)));
        table +=
            row(QStringLiteral("peak memory above the window without data"), mib(peak - emptyPeak),
                QStringLiteral("%1 x the data files (%2)")
                    .arg((peak - emptyPeak) * 1024.0 / std::max<double>(dataBytes, 1), 0, 'f', 2)
                    .arg(mib(double(dataBytes) / 1024.0)));
        out(table);
    }
    if (!measureDamagedHeadwords(base, emptyDir, starts, damagedMegabytes))
        return 1;
    if (!keep.isEmpty())
        out(QStringLiteral("\nData kept in %1\n").arg(base));
    return 0;
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Measures Lexora on synthetic dictionaries."));
    parser.addHelpOption();
    const QCommandLineOption scalesOption(QStringLiteral("scales"),
                                          QStringLiteral("Comma-separated scales (1 = 13 400 "
                                                         "headwords)."),
                                          QStringLiteral("list"), QStringLiteral("1,4,16"));
    const QCommandLineOption repeatOption(QStringLiteral("repeat"),
                                          QStringLiteral("Window runs per scale."),
                                          QStringLiteral("n"), QStringLiteral("3"));
    const QCommandLineOption startsOption(QStringLiteral("starts"),
                                          QStringLiteral("Process starts per scale, with data "
                                                         "and without, for exec -> first frame."),
                                          QStringLiteral("n"), QStringLiteral("10"));
    const QCommandLineOption blockOption(QStringLiteral("block"),
                                         QStringLiteral("Length of the highlighted block."),
                                         QStringLiteral("characters"), QStringLiteral("100000"));
    const QCommandLineOption damagedOption(QStringLiteral("damaged"),
                                           QStringLiteral("Size of the random headword file."),
                                           QStringLiteral("MB"), QStringLiteral("30"));
    const QCommandLineOption keepOption(QStringLiteral("keep"),
                                        QStringLiteral("Write the data into DIR and keep it."),
                                        QStringLiteral("DIR"));
    const QCommandLineOption windowOption(QStringLiteral("measure-window"),
                                          QStringLiteral("(internal) Measure the window in DIR."),
                                          QStringLiteral("DIR"));
    const QCommandLineOption startOption(QStringLiteral("measure-start"),
                                         QStringLiteral("(internal) Start the viewer in DIR."),
                                         QStringLiteral("DIR"));
    const QCommandLineOption scriptOption(QStringLiteral("script"),
                                          QStringLiteral("(internal) Typing script."),
                                          QStringLiteral("file"));
    const QCommandLineOption exportsOption(
        QStringLiteral("exports"),
        QStringLiteral("Measure lexora-data's StarDict and PDF exports instead of the window."));
    const QCommandLineOption linearityOption(
        QStringLiteral("linearity"),
        QStringLiteral("With --exports: in each of n rounds, the exports of the smallest scale "
                       "run largest/smallest times in a row, then that of the largest once."),
        QStringLiteral("n"), QStringLiteral("0"));
    parser.addOptions({scalesOption, repeatOption, startsOption, blockOption, damagedOption,
                       keepOption, exportsOption, linearityOption, windowOption, startOption,
                       scriptOption});
    parser.process(app);

    if (parser.isSet(startOption)) {
        setUpLikeTheViewer();
        return measureStart(parser.value(startOption));
    }
    if (parser.isSet(windowOption)) {
        setUpLikeTheViewer();
        return measureWindow(parser.value(windowOption), parser.value(scriptOption));
    }

    QList<double> scales;
    for (const QString &scale : parser.value(scalesOption).split(QLatin1Char(','))) {
        bool ok = false;
        const double value = scale.toDouble(&ok);
        if (!ok || value <= 0 || value > 64) {
            out(QStringLiteral("lexora-bench: bad scale \"%1\"\n").arg(scale));
            return 2;
        }
        scales << value;
    }
    const int repeat = std::max(1, parser.value(repeatOption).toInt());
    const int starts = std::max(1, parser.value(startsOption).toInt());
    const int blockLength = std::max(1, parser.value(blockOption).toInt());
    const double damaged = qBound(0.001, parser.value(damagedOption).toDouble(), 500.0);
    if (parser.isSet(exportsOption))
        return runExportBenchmark(scales, repeat, parser.value(keepOption),
                                  std::max(0, parser.value(linearityOption).toInt()));
    return runBenchmark(scales, repeat, starts, blockLength, parser.value(keepOption), damaged);
}
