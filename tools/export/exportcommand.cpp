#include "exportcommand.h"

#include "pdfexport.h"
#include "stardictexport.h"
#include "webexport.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>

#include <cstdio>

const char exportUsage[] =
    "Usage: lexora-data export stardict RES_DIR OUT_DIR [--name NAME]\n"
    "       lexora-data export web RES_DIR OUT_DIR\n"
    "       lexora-data export pdf RES_DIR OUT.pdf [--paper a4|a5|letter] [--grey]\n"
    "\n"
    "Writes the dictionary in RES_DIR, as the viewer shows it, into OUT_DIR as two\n"
    "dictionaries in the StarDict form that phone, e-reader and desktop dictionary\n"
    "programs read: NAME (Bambara -> French: one article per headword, the entry the\n"
    "viewer shows with its colours, found also in small letters, with the tone marks of\n"
    "its head line and typed without special letters, e.g. 'nyama' for 'ɲama'; a\n"
    "cross-reference leads to the entry it points to) and NAME-fr (French -> Bambara:\n"
    "each gloss of the lexicon, and each part of it between ';' and ',', lists the head\n"
    "lines of the Bambara words that have it; found also in small letters and without\n"
    "accents). Each is NAME.ifo, NAME.idx, NAME.dict.dz and NAME.syn. NAME defaults to\n"
    "the name of OUT_DIR; the title and the description come from RES_DIR's about file.\n"
    "\n"
    "'web' writes the dictionary into OUT_DIR as a web site that needs no server and no\n"
    "network: open OUT_DIR/index.html in a browser, from the file system (a phone, a USB\n"
    "stick) or any static host. It has the viewer's search with its keys for the\n"
    "special letters (also a row of buttons for them), entries with their colours, one\n"
    "address per entry (index.html#WORD), the lexicon, a French -> Bambara search and the\n"
    "about file's credits.\n"
    "\n"
    "A headword without entry is left out and reported as 'file:line: warning: message'.\n"
    "OUT_DIR is replaced as a whole, as 'build' replaces RES_DIR: it must be absent or\n"
    "hold only the files of an export of the same kind (for 'stardict', with the same\n"
    "NAME).\n"
    "\n"
    "Exit status: 0 written, 1 written with headwords left out, 2 RES_DIR or one of its\n"
    "files cannot be read, or OUT_DIR cannot be written or is refused (left as it was).\n"
    "\n"
    "export pdf writes the dictionary in RES_DIR as a print dictionary into OUT.pdf: a\n"
    "title page from the about file with the counts of headwords and lexicon rows; the\n"
    "entries in two columns, in the order of the headword list, as the viewer shows them\n"
    "(homographs together, a cross-reference as 'HEADWORD -> TARGET') with its colours, or\n"
    "in shades of grey with --grey; a heading at each new letter; guide words (the first\n"
    "and last headword beginning on the page) and the page number on every page; then\n"
    "the lexicon as a Bambara - French word list and the French -> Bambara index. The\n"
    "paper is A4 unless --paper says otherwise. The font, DejaVu Sans, is embedded.\n"
    "OUT.pdf is replaced at once, only when the whole PDF is written; a symbolic link or\n"
    "anything but a regular file there is refused. Headwords without entry are left out\n"
    "as for stardict; the exit status is the same.\n";

const char *const exportOptions[] = {"--name", "--paper", nullptr};
const char *const exportFlags[] = {"--grey", nullptr};

namespace {

enum ExitCode { Success = 0, Problems = 1, Unusable = 2 };

void printError(const QString &message)
{
    printLine(stderr, QStringLiteral("lexora-data: error: ") + message);
}

// Whether `name` can name files in OUT_DIR: a plain file name, not hidden.
bool isFileName(const QString &name)
{
    return !name.isEmpty() && !name.startsWith(QLatin1Char('.')) &&
           !name.contains(QLatin1Char('/')) && !name.contains(QChar(0));
}

// Reports what an export found and, when it is usable, replaces the output directory by
// its files; gives the exit status.
template <typename Export> int writeExport(const Export &result, const OutputDirectory &target)
{
    for (const Diagnostic &problem : result.diagnostics)
        printLine(stderr, problem.toString());
    if (!result.usable)
        return Unusable;
    QString error;
    QStringList warnings;
    const bool replaced = replaceDirectory(target, result.files, &error, &warnings);
    for (const QString &warning : qAsConst(warnings))
        printLine(stderr, QStringLiteral("lexora-data: warning: ") + warning);
    if (!replaced) {
        printError(error);
        return Unusable;
    }
    return result.diagnostics.isEmpty() ? Success : Problems;
}

} // namespace

std::unique_ptr<QCoreApplication> makeApplication(int &argc, char **argv)
{
    if (argc > 2 && qstrcmp(argv[1], "export") == 0 && qstrcmp(argv[2], "pdf") == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        return std::make_unique<QGuiApplication>(argc, argv);
    }
    return std::make_unique<QCoreApplication>(argc, argv);
}

namespace {

// export pdf RES_DIR OUT.pdf, with the paper named by --paper ("" for the default).
int exportPdfCommand(const QString &resDir, const QString &out, const QString &paper, bool grey)
{
    const QMap<QString, QPageSize::PageSizeId> papers = {
        {QStringLiteral("a4"), QPageSize::A4},
        {QStringLiteral("a5"), QPageSize::A5},
        {QStringLiteral("letter"), QPageSize::Letter}};
    if (!paper.isEmpty() && !papers.contains(paper)) {
        printError(QStringLiteral("unknown paper '%1': a4, a5 or letter").arg(paper));
        return Unusable;
    }
    if (!qobject_cast<QGuiApplication *>(QCoreApplication::instance())) {
        printError(QStringLiteral("export pdf needs the graphical toolkit, started by main()"));
        return Unusable;
    }
    const PdfExport result = exportPdf(resDir, {papers.value(paper, QPageSize::A4), grey});
    for (const Diagnostic &problem : result.diagnostics)
        printLine(stderr, problem.toString());
    if (!result.usable)
        return Unusable;
    QString error;
    if (!replaceFile(out, result.pdf, &error)) {
        printError(error);
        return Unusable;
    }
    return result.diagnostics.isEmpty() ? Success : Problems;
}

} // namespace

int exportCommand(const QStringList &args)
{
    QStringList positional;
    QString name;
    QString paper;
    bool grey = false;
    for (int i = 0; i < args.size(); ++i) {
        if (args.at(i) == QLatin1String("--name") && i + 1 < args.size())
            name = args.at(++i);
        else if (args.at(i) == QLatin1String("--paper") && i + 1 < args.size())
            paper = args.at(++i);
        else if (args.at(i) == QLatin1String("--grey"))
            grey = true;
        else
            positional << args.at(i);
    }
    if (positional.size() == 3 && positional.at(0) == QLatin1String("pdf") && name.isEmpty())
        return exportPdfCommand(positional.at(1), positional.at(2), paper, grey);
    const bool web = positional.value(0) == QLatin1String("web");
    if (positional.size() != 3 || !(web || positional.at(0) == QLatin1String("stardict")) ||
        (web && !name.isEmpty()) || !paper.isEmpty() || grey) {
        std::fputs(exportUsage, stderr);
        return Unusable;
    }
    const QString resDir = positional.at(1);
    const QString outDir = positional.at(2);
    if (web)
        return writeExport(exportWeb(resDir), {outDir, webExportFileNames(), {resDir}});
    if (name.isEmpty())
        name = QFileInfo(QDir(outDir).absolutePath()).fileName();
    if (!isFileName(name)) {
        printError(QStringLiteral("'%1' cannot name the files of a dictionary; give --name NAME")
                       .arg(name));
        return Unusable;
    }
    return writeExport(exportStardict(resDir, name),
                       {outDir, stardictExportFileNames(name), {resDir}});
}
