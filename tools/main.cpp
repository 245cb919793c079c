// lexora-data: builds, checks, decodes and encodes the data files of the dictionary viewer.

#include "alphabet.h"
#include "datafile.h"
#include "datafilenames.h"
#include "dictionarychecker.h"
#include "dictionarycompiler.h"
#include "dictionarysources.h"
#include "exportcommand.h"
#include "handedits.h"
#include "importrecord.h"
#include "liftimport.h"
#include "linecodec.h"
#include "mdfimport.h"
#include "textfile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStringList>

#include <algorithm>
#include <cstdio>

namespace {

enum ExitCode { Success = 0, Problems = 1, Unusable = 2 };

const char usage[] =
    "Usage: lexora-data COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  build SRC_DIR RES_DIR  write the data files of the sources in SRC_DIR into RES_DIR\n"
    "  check RES_DIR          report every problem of the data files in RES_DIR\n"
    "  decode FILE            print the plain lines of a data file\n"
    "  encode FILE [-o OUT]   store a plain UTF-8 file: print it, or write it to OUT\n"
    "  import-mdf FILE SRC_DIR\n"
    "                         write the sources of a dictionary database with MDF markers\n"
    "                         into SRC_DIR\n"
    "  import-lift FILE SRC_DIR\n"
    "                         write the sources of a LIFT dictionary into SRC_DIR\n"
    "  import-mdf|import-lift --again SRC_DIR\n"
    "                         repeat the import recorded in SRC_DIR, with the hand edits\n"
    "                         beside it\n"
    "  export stardict RES_DIR OUT_DIR [--name NAME]\n"
    "                         write the dictionary in RES_DIR into OUT_DIR for StarDict\n"
    "                         readers, with a French -> Bambara index\n"
    "  export web RES_DIR OUT_DIR\n"
    "                         write the dictionary in RES_DIR into OUT_DIR as a web site\n"
    "                         that works offline, from the file system or any host\n"
    "  export pdf RES_DIR OUT.pdf [--paper a4|a5|letter] [--grey]\n"
    "                         write the dictionary in RES_DIR as a print dictionary\n"
    "\n"
    "Run 'lexora-data COMMAND --help' for the details of a command.\n";

const char buildUsage[] =
    "Usage: lexora-data build SRC_DIR RES_DIR\n"
    "\n"
    "Reads headwords.txt, entries.txt and lexicon.txt from SRC_DIR and writes entries.bna,\n"
    "lexic.bna and the 28 letter files into RES_DIR, and about.bna from about.txt (whose\n"
    "dictionary it is: title, authors, sources, licence) and reversal.bna from reversal.txt\n"
    "(keys of the exports' French index) when SRC_DIR has them. Each entry\n"
    "goes to the letter file of its headword's letter key. Problems are printed as 'file:line: "
    "error: message'; if\n"
    "there is any, RES_DIR is left untouched. Sources without any headword or entry are\n"
    "refused too.\n"
    "\n"
    "RES_DIR is replaced as a whole: the files are written into a new directory beside it,\n"
    "each checked to its last byte, which then takes its place at once. RES_DIR must be\n"
    "absent, or a directory holding only files that a build writes; anything else (another\n"
    "file, a subdirectory, a regular file, the working directory, SRC_DIR or a directory\n"
    "holding it) is refused and left untouched. A symbolic link as RES_DIR is replaced by\n"
    "the new directory: the link itself goes, the directory it points to is not touched.\n"
    "Leftovers of interrupted builds beside RES_DIR (.RES_DIR.new-*, .RES_DIR.old) are\n"
    "removed when they hold only such files, and named in a warning otherwise.\n"
    "\n"
    "Exit status: 0 written, 1 problems in the sources (nothing written), 2 RES_DIR cannot\n"
    "be written or is refused (left as it was).\n";

const char checkUsage[] =
    "Usage: lexora-data check RES_DIR\n"
    "\n"
    "Decodes every data file in RES_DIR and reports each problem as\n"
    "'file:line: error|warning: message': a listed headword without an entry; an entry\n"
    "that no listed headword reaches, or that stands in another letter file than its\n"
    "headword's; a cross-reference to a headword without entry; cross-references in a\n"
    "circle; a related word (\xE2\x86\x91WORD, \xE2\x86\x93WORD) that names no entry (warning);\n"
    "a homograph separated from its first entry by another entry (never shown);\n"
    "a headword not in search form; a lexicon line without '|'; control characters and\n"
    "trailing blanks; a line whose colours would draw text in front of a '(' or a '['\n"
    "as a headword (warning); no about file (warning); a reversal line without '|', or\n"
    "of a word the lexicon lacks (warning).\n"
    "\n"
    "Exit status: 0 no problem, 1 problems found, 2 RES_DIR or one of its files cannot be\n"
    "read.\n";

const char decodeUsage[] =
    "Usage: lexora-data decode FILE\n"
    "\n"
    "Prints the plain lines of the data file FILE (any of a dictionary's, about.bna\n"
    "included), line n decoded with phase n.\n";

const char encodeUsage[] =
    "Usage: lexora-data encode FILE [-o OUTPUT]\n"
    "\n"
    "Prints the stored form of the plain UTF-8 file FILE, line n encoded with phase n, so\n"
    "that 'decode', an editor and 'encode' make a round trip. With -o the stored form is\n"
    "written to OUTPUT instead: into a new file beside it, checked to its last byte, which\n"
    "then takes its name; OUTPUT keeps its permissions. A symbolic link or anything but a\n"
    "regular file as OUTPUT is refused.\n"
    "\n"
    "A line holding a character that cannot be stored at its place is reported as\n"
    "'FILE:line: error: message'; then nothing is printed and OUTPUT is left as it was.\n"
    "\n"
    "Exit status: 0 stored, 1 a line cannot be stored, 2 FILE cannot be read or OUTPUT\n"
    "cannot be written.\n";

// What both imports do beyond reading their file, said alike in their usages.
#define IMPORT_USAGE_TAIL                                                                          \
    "SRC_DIR is replaced as a whole, and only if it holds nothing but the files an import\n"       \
    "writes.\n"                                                                                    \
    "\n"                                                                                           \
    "Hand edits: the entries, lexicon rows and about lines in SRC_DIR.handmade/entries.txt,\n"     \
    "lexicon.txt and about.txt (beside SRC_DIR, never written by an import) take the place\n"      \
    "of the imported ones of the same headword or word after every import; one whose\n"            \
    "headword the import does not have is added and reported. The import records the file,\n"      \
    "its options (import-options.txt) and a copy of MAPFILE (import.map) in SRC_DIR;\n"            \
    "--again SRC_DIR repeats it with them. A source file (or import.map, but with --again)\n"      \
    "changed by hand since the import wrote it is never replaced.\n"                               \
    "\n"                                                                                           \
    "Warnings of one kind are printed together: their first three places (all of them\n"           \
    "with --verbose), then a note with their count and the map line or option that would\n"        \
    "change them.\n"                                                                               \
    "\n"                                                                                           \
    "Exit status: 0 imported, nothing a reader would see lost (warnings may be printed);\n"        \
    "1 imported, but records, glosses, relations or lines were dropped (the warnings say\n"        \
    "which); 2 unusable input (nothing imported, no entry or no gloss written: the file's\n"       \
    "languages are named), SRC_DIR cannot be written, its hand edits cannot be read, a\n"          \
    "file in it was changed by hand or (--again) it holds no recorded import (nothing is\n"        \
    "written).\n"

const char importMdfUsage[] =
    "Usage: lexora-data import-mdf FILE [--map MAPFILE] [--encoding utf-8|latin1]\n"
    "                              [--verbose] SRC_DIR\n"
    "       lexora-data import-mdf --again SRC_DIR [--verbose]\n"
    "\n"
    "Reads FILE, a dictionary database in the standard format with MDF markers (\\lx, \\ps,\n"
    "\\ge, ...), and writes headwords.txt, entries.txt, lexicon.txt and about.txt into\n"
    "SRC_DIR, ready for 'lexora-data build'. MAPFILE says what markers mean and which tag\n"
    "each part of speech gets, on top of the built-in map (docs/import-map.md). FILE is\n"
    "UTF-8 unless\n"
    "--encoding latin1 is given. Whatever is left out or changed is reported as\n"
    "'FILE:line: warning: message'; a summary line follows. Senses are numbered as the\n"
    "sense field numbers them; the fields before the first record become about.txt;\n"
    "reversal fields (\\re, \\rn), the keys of the exports' French index, "
    "reversal.txt.\n" IMPORT_USAGE_TAIL;

const char importLiftUsage[] =
    "Usage: lexora-data import-lift FILE.lift [--lang CODE[,CODE...]] [--vernacular CODE]\n"
    "                               [--map MAPFILE] [--verbose] SRC_DIR\n"
    "       lexora-data import-lift --again SRC_DIR [--verbose]\n"
    "\n"
    "Reads FILE.lift, a dictionary in the Lexicon Interchange Format (LIFT 0.13), and writes\n"
    "headwords.txt, entries.txt, lexicon.txt and about.txt into SRC_DIR, ready for\n"
    "'lexora-data build'.\n"
    "Glosses, definitions, translations and notes are taken in the languages CODE (default:\n"
    "the language of most glosses and definitions), and those without a language; the\n"
    "headword is the lexical unit's form in the vernacular language CODE (default: its\n"
    "first form). The part-of-speech\n"
    "lines of MAPFILE ('ps VALUE TAG') extend the built-in table (docs/import-map.md).\n"
    "Whatever is left out or changed is reported as 'FILE:line: warning: message';\n"
    "malformed XML as 'FILE:line: error: message (column N)'. A summary line follows.\n"
    "The header's description becomes about.txt; <reversal> forms, the keys of the\n"
    "exports' French index, reversal.txt.\n" IMPORT_USAGE_TAIL;

#undef IMPORT_USAGE_TAIL

bool wantsHelp(const QStringList &args)
{
    return args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"));
}

int usageError(const char *text)
{
    std::fputs(text, stderr);
    return Unusable;
}

void printError(const QString &message)
{
    printLine(stderr, QStringLiteral("lexora-data: error: ") + message);
}

void printWarnings(const QStringList &warnings)
{
    for (const QString &warning : warnings)
        printLine(stderr, QStringLiteral("lexora-data: warning: ") + warning);
}

// Whether the data files hold no headword and no entry: sources that would make an empty
// dictionary, most likely the wrong directory or emptied files.
bool holdsNothing(const DictionaryCompiler::DataFiles &files)
{
    for (const QChar letter : dictionaryAlphabet())
        if (!files.value(letterFileName(letter)).isEmpty())
            return false;
    return files.value(headwordFileName()).isEmpty();
}

int build(const QStringList &args)
{
    DictionaryCompiler compiler;
    const DictionaryCompiler::DataFiles files = compiler.compile(args.at(0));
    for (const Diagnostic &problem : compiler.diagnostics())
        printLine(stderr, problem.toString());
    if (!compiler.diagnostics().isEmpty())
        return Problems;
    if (holdsNothing(files)) {
        printError(QStringLiteral("%1 holds no headword and no entry; %2 is left as it was")
                       .arg(args.at(0), args.at(1)));
        return Problems;
    }
    QString error;
    QStringList warnings;
    const OutputDirectory target{args.at(1), DictionaryCompiler::dataFileNames(), {args.at(0)}};
    const bool replaced =
        replaceDirectory(target, DictionaryCompiler::encode(files), &error, &warnings);
    printWarnings(warnings);
    if (!replaced) {
        printError(error);
        return Unusable;
    }
    return Success;
}

int check(const QStringList &args)
{
    DictionaryChecker checker;
    const DictionaryChecker::Outcome outcome = checker.check(args.at(0));
    for (const Diagnostic &problem : checker.diagnostics())
        printLine(stderr, problem.toString());
    switch (outcome) {
    case DictionaryChecker::Outcome::Unusable:
        printLine(stderr, QStringLiteral("lexora-data: cannot check ") + args.at(0));
        return Unusable;
    case DictionaryChecker::Outcome::Problems:
        printLine(stderr, QStringLiteral("lexora-data: %1: %2 error(s), %3 warning(s)")
                              .arg(args.at(0))
                              .arg(checker.errorCount())
                              .arg(checker.warningCount()));
        return Problems;
    case DictionaryChecker::Outcome::Clean:
        break;
    }
    printLine(stdout, QStringLiteral("%1: %2 headwords, %3 entries, %4 lexicon rows: no problems")
                          .arg(args.at(0))
                          .arg(checker.headwordCount())
                          .arg(checker.entryCount())
                          .arg(checker.lexiconRowCount()));
    return Success;
}

// Prints the problems of a file that was read, or why it could not be read; returns
// whether it was read without flaws.
bool reportRead(const QString &path, bool read, const TextReadReport &report)
{
    if (!read) {
        printLine(stderr,
                  QStringLiteral("lexora-data: cannot read %1: %2").arg(path, report.failure));
        return false;
    }
    for (const TextFlaw &flaw : report.flaws)
        printLine(
            stderr,
            Diagnostic{path, flaw.line, Diagnostic::Error, messages::textFlaw(flaw)}.toString());
    return report.flaws.isEmpty();
}

int decode(const QStringList &args)
{
    TextReadReport report;
    const auto lines = readDataFile(args.at(0), &report);
    if (!reportRead(args.at(0), bool(lines), report))
        return lines ? Problems : Unusable;
    for (const QString &line : *lines)
        printLine(stdout, line);
    return Success;
}

// A command's arguments: the options that take a value ("--map FILE"), and the others in
// their order.
struct Arguments
{
    QStringList positional;
    QHash<QString, QString> options;
    QSet<QString> flags; // options without a value: "--verbose"
    QString error;       // why the arguments cannot be taken; empty when they can
};

Arguments parseArguments(const QStringList &args, const char *const *valueOptions,
                         const char *const *flagOptions = nullptr)
{
    Arguments parsed;
    for (int i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (!arg.startsWith(QLatin1Char('-')) || arg.size() == 1) {
            parsed.positional.append(arg);
            continue;
        }
        if (arg == QLatin1String("--verbose")) {
            parsed.flags.insert(arg);
            continue;
        }
        bool known = false;
        for (const char *const *option = valueOptions; option && *option; ++option)
            known = known || arg == QLatin1String(*option);
        bool flag = false;
        for (const char *const *option = flagOptions; option && *option; ++option)
            flag = flag || arg == QLatin1String(*option);
        if (flag)
            parsed.options.insert(arg, QString());
        else if (!known)
            parsed.error = QStringLiteral("unknown option ") + arg;
        else if (i + 1 == args.size())
            parsed.error = QStringLiteral("option %1 needs a value").arg(arg);
        else
            parsed.options.insert(arg, args.at(++i));
        if (!parsed.error.isEmpty())
            break;
    }
    return parsed;
}

const char *const encodeOptions[] = {"-o", nullptr};

int encode(const QStringList &arguments)
{
    const Arguments parsed = parseArguments(arguments, encodeOptions);
    const QStringList &args = parsed.positional;
    const QString output = parsed.options.value(QStringLiteral("-o"));

    TextReadReport report;
    const auto lines = readTextLines(args.at(0), &report);
    if (!reportRead(args.at(0), bool(lines), report))
        return lines ? Problems : Unusable;
    if (const int stored = firstStoredLookingLine(*lines)) {
        printLine(stderr, Diagnostic{args.at(0), stored, Diagnostic::Error,
                                     QStringLiteral("this line reads as a stored line already "
                                                    "(lexora-data decode gives it as text); "
                                                    "nothing was encoded")}
                              .toString());
        return Unusable;
    }
    bool storable = true;
    for (int i = 0; i < lines->size(); ++i) {
        const UnstorableCharacter bad = unstorablePosition(lines->at(i), i + 1);
        if (bad.position < 0)
            continue;
        const Diagnostic problem{args.at(0), i + 1, Diagnostic::Error,
                                 QStringLiteral("character %1 at column %2 cannot be stored: it %3")
                                     .arg(codePointName(lines->at(i).at(bad.position)))
                                     .arg(bad.position + 1)
                                     .arg(unstorableReasonText(bad.reason))};
        printLine(stderr, problem.toString());
        storable = false;
    }
    if (!storable)
        return Problems;
    if (output.isEmpty()) {
        print(stdout, encodeDataFile(*lines));
        return Success;
    }
    QString error;
    if (!replaceFile(output, encodeDataFile(*lines), &error)) {
        printError(error);
        return Unusable;
    }
    return Success;
}

// What an import reads besides its file: its options (given, or recorded in SRC_DIR), the
// map they name and the producer's hand edits; where it writes, and what it must not be
// written over.
struct ImportSetup
{
    ImportOptions options;
    ImportMap map;
    HandEdits edits;
    QString srcDir;
    QStringList readDirs; // the directories SRC_DIR must neither be nor hold
    bool verbose = false;
};

void printProblems(const QVector<Diagnostic> &problems)
{
    for (const Diagnostic &problem : problems)
        printLine(stderr, problem.toString());
}

// Prints an import's diagnostics, grouped by kind, and its summary, writes its sources with
// the hand edits and the record of the import into SRC_DIR unless it is unusable, and
// gives the exit status: 0 when nothing a reader would see was lost, 1 when something was
// (the warnings say what), 2 when nothing is written.
int finishImport(ImportResult result, const ImportSetup &setup)
{
    const QString &input = setup.options.file;
    HandEditCounts handEdits;
    if (result.usable && !setup.edits.isEmpty())
        handEdits = applyHandEdits(setup.edits, &result.sources, &result.diagnostics);
    // The kinds in the order of their first place; the first few places of each, all with
    // --verbose, then their count and what would change them.
    constexpr int placesShown = 3;
    QStringList kinds;
    QHash<QString, QVector<const Diagnostic *>> places;
    for (const Diagnostic &problem : result.diagnostics) {
        if (problem.severity == Diagnostic::Error) {
            printLine(stderr, problem.toString());
            continue;
        }
        const QString kind = problem.kind.isEmpty() ? problem.message : problem.kind;
        if (!places.contains(kind))
            kinds.append(kind);
        places[kind].append(&problem);
    }
    int lossKinds = 0;
    QStringList counts;
    for (const QString &kind : qAsConst(kinds)) {
        const QVector<const Diagnostic *> &list = places.value(kind);
        // Fields reported at their first place only are counted in the summary.
        const int count = std::max(int(list.size()), result.summary.ignoredFields.value(kind));
        for (int i = 0; i < list.size() && (setup.verbose || i < placesShown); ++i)
            printLine(stderr, list.at(i)->toString());
        const Diagnostic &first = *list.first();
        if (count > 1 || !first.hint.isEmpty()) {
            QString line = QStringLiteral("%1: note: %2: %3 in all").arg(input, kind).arg(count);
            if (!setup.verbose && list.size() > placesShown)
                line += QStringLiteral(", %1 more places with --verbose")
                            .arg(list.size() - placesShown);
            if (!first.hint.isEmpty())
                line += QStringLiteral("; ") + first.hint;
            printLine(stderr, line);
        }
        counts.append(QStringLiteral("%1 %2").arg(kind).arg(count));
        if (first.loss)
            ++lossKinds;
    }
    if (!result.usable)
        return Unusable;
    OutputFiles files = sourceFiles(result.sources);
    const OutputFiles record = importRecordFiles(setup.options, setup.srcDir, files);
    for (auto file = record.constBegin(); file != record.constEnd(); ++file)
        files.insert(file.key(), *file);
    // A directory an earlier import wrote may hold the files of any import.
    const QStringList owned{headwordSourceName(), entrySourceName(),    lexiconSourceName(),
                            aboutSourceName(),    reversalSourceName(), importOptionsName(),
                            importMapName()};
    // The hand-edit folder stands beside SRC_DIR: the replacement never touches it.
    QString error;
    if (!replaceDirectory({setup.srcDir, owned, setup.readDirs}, files, &error)) {
        printLine(stderr, QStringLiteral("lexora-data: ") + error);
        return Unusable;
    }
    QString summary = result.summary.text(input);
    if (!setup.edits.isEmpty())
        summary += QStringLiteral("; ") + handEdits.text();
    if (!counts.isEmpty())
        summary += QStringLiteral("; warnings: ") + counts.join(QStringLiteral(", "));
    printLine(stderr, summary);
    if (lossKinds > 0) {
        printLine(stderr, QStringLiteral("%1: %2 kind(s) of warning above lost something a "
                                         "reader would see")
                              .arg(input)
                              .arg(lossKinds));
        return Problems;
    }
    return Success;
}

// What an import reads and where it writes: the options given on the command line, or
// with --again SRC_DIR those recorded there; the built-in map with the map lines on top;
// the hand edits beside SRC_DIR. Nothing when one of them cannot be used (the reason is
// printed), so that nothing is written.
std::optional<ImportSetup> importSetup(const char *command, const Arguments &parsed,
                                       const char *usageText)
{
    ImportSetup setup;
    setup.verbose = parsed.flags.contains(QStringLiteral("--verbose"));
    if (parsed.options.contains(QStringLiteral("--again"))) {
        if (parsed.options.size() > 1) {
            printLine(stderr, QStringLiteral("lexora-data %1: --again repeats the recorded "
                                             "import and takes no other option but --verbose; "
                                             "to change one, import the file anew")
                                  .arg(QLatin1String(command)));
            usageError(usageText);
            return std::nullopt;
        }
        setup.srcDir = parsed.options.value(QStringLiteral("--again"));
        QVector<Diagnostic> problems;
        const std::optional<ImportOptions> recorded = readImportRecord(setup.srcDir, &problems);
        printProblems(problems);
        if (!recorded)
            return std::nullopt;
        if (recorded->command != QLatin1String(command)) {
            printLine(stderr, QStringLiteral("lexora-data: %1 was imported by %2: run "
                                             "'lexora-data %2 --again %1'")
                                  .arg(setup.srcDir, recorded->command));
            return std::nullopt;
        }
        setup.options = *recorded;
    } else {
        setup.srcDir = parsed.positional.at(1);
        setup.options.command = QLatin1String(command);
        setup.options.file = parsed.positional.at(0);
        setup.options.encoding = parsed.options.value(QStringLiteral("--encoding"));
        setup.options.lang = parsed.options.value(QStringLiteral("--lang"));
        setup.options.vernacular = parsed.options.value(QStringLiteral("--vernacular"));
        const QString mapFile = parsed.options.value(QStringLiteral("--map"));
        if (!mapFile.isEmpty()) {
            TextReadReport report;
            setup.options.mapLines = readTextLines(mapFile, &report);
            if (!reportRead(mapFile, bool(setup.options.mapLines), report))
                return std::nullopt;
            setup.options.mapFile = mapFile;
            // A map file given is the producer's own: SRC_DIR, which is replaced, must not
            // hold it. The import keeps a copy of it in SRC_DIR.
            setup.readDirs.append(QFileInfo(mapFile).absolutePath());
        }
    }
    setup.readDirs.append(QFileInfo(setup.options.file).absolutePath());
    // What the producer changed in the sources an import wrote is not replaced.
    const QString handEdits = handEditFolder(setup.srcDir);
    std::optional<ImportOptions> recorded = setup.options;
    // --again reads the map in SRC_DIR, changed or not, and writes it as it read it.
    recorded->written.remove(importMapName());
    if (!parsed.options.contains(QStringLiteral("--again")) &&
        QFileInfo::exists(QDir(setup.srcDir).filePath(importOptionsName()))) {
        QVector<Diagnostic> problems;
        recorded = readImportRecord(setup.srcDir, &problems);
        printProblems(problems);
        if (!recorded)
            return std::nullopt;
    }
    const QVector<Diagnostic> changed = changedSinceImport(setup.srcDir, *recorded, handEdits);
    printProblems(changed);
    if (!changed.isEmpty()) {
        printLine(stderr, QStringLiteral("lexora-data: nothing was imported"));
        return std::nullopt;
    }
    setup.map = ImportMap::standard();
    if (setup.options.mapLines) {
        const QVector<Diagnostic> problems =
            setup.map.read(*setup.options.mapLines, setup.options.mapFile);
        printProblems(problems);
        if (!problems.isEmpty())
            return std::nullopt;
    }
    QVector<Diagnostic> problems;
    const std::optional<HandEdits> edits = readHandEdits(handEdits, &problems);
    printProblems(problems);
    if (!edits) {
        printLine(stderr, QStringLiteral("lexora-data: the hand edits cannot be read; nothing "
                                         "was imported"));
        return std::nullopt;
    }
    setup.edits = *edits;
    return setup;
}

const char *const importMdfOptions[] = {"--map", "--encoding", "--again", nullptr};

int importMdf(const QStringList &args)
{
    const Arguments parsed = parseArguments(args, importMdfOptions);
    const std::optional<ImportSetup> setup = importSetup("import-mdf", parsed, importMdfUsage);
    if (!setup)
        return Unusable;
    const QString &input = setup->options.file;
    const QString encoding =
        setup->options.encoding.isEmpty() ? QStringLiteral("utf-8") : setup->options.encoding;
    if (encoding != QLatin1String("latin1") && encoding != QLatin1String("utf-8")) {
        printLine(stderr, QStringLiteral("lexora-data: unknown encoding %1").arg(encoding));
        return usageError(importMdfUsage);
    }
    TextReadReport report;
    const ImportResult result = importMdfFile(
        input, setup->map,
        encoding == QLatin1String("latin1") ? TextEncoding::Latin1 : TextEncoding::Unicode,
        &report);
    const bool read = report.failure.isEmpty();
    if (!reportRead(input, read, report)) {
        if (read && encoding != QLatin1String("latin1"))
            printLine(stderr, QStringLiteral("lexora-data: nothing written; if %1 is in "
                                             "Latin-1, give --encoding latin1")
                                  .arg(input));
        return Unusable;
    }
    return finishImport(result, *setup);
}

const char *const importLiftOptions[] = {"--lang", "--vernacular", "--map", "--again", nullptr};

int importLift(const QStringList &args)
{
    const Arguments parsed = parseArguments(args, importLiftOptions);
    const std::optional<ImportSetup> setup = importSetup("import-lift", parsed, importLiftUsage);
    if (!setup)
        return Unusable;
    const QString &input = setup->options.file;
    QFile file(input);
    // Only a regular file, so that a FIFO or a device never blocks the import.
    const bool regular = QFileInfo(input).isFile();
    if (!regular || !file.open(QIODevice::ReadOnly)) {
        printLine(stderr, QStringLiteral("lexora-data: cannot read %1: %2")
                              .arg(input, regular ? file.errorString()
                                                  : QStringLiteral("not a regular file")));
        return Unusable;
    }
    const LiftOptions options{setup->options.lang, setup->options.vernacular};
    const ImportResult result = importLift(&file, input, setup->map, options);
    // The XML reader notices bytes that are not text where it decodes them, which may be
    // far from where they stand: the text reader tells where.
    TextReadReport report;
    if (!result.usable && readFileText(input, &report))
        reportRead(input, true, report);
    return finishImport(result, *setup);
}

// The commands, with their usage text, the number of arguments each takes besides its
// options, and the options that take a value.
struct Command
{
    const char *name;
    const char *usage;
    int argumentCount;
    int (*run)(const QStringList &args);
    const char *const *valueOptions = nullptr;
    const char *const *flagOptions = nullptr;
};

constexpr Command commands[] = {
    {"build", buildUsage, 2, build},
    {"check", checkUsage, 1, check},
    {"decode", decodeUsage, 1, decode},
    {"encode", encodeUsage, 1, encode, encodeOptions},
    {"import-mdf", importMdfUsage, 2, importMdf, importMdfOptions},
    {"import-lift", importLiftUsage, 2, importLift, importLiftOptions},
    {"export", exportUsage, 3, exportCommand, exportOptions, exportFlags},
};

} // namespace

int main(int argc, char *argv[])
{
    const std::unique_ptr<QCoreApplication> app = makeApplication(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return usageError(usage);
    const QString name = args.takeFirst();
    for (const Command &command : commands) {
        if (name != QLatin1String(command.name))
            continue;
        if (wantsHelp(args)) {
            std::fputs(command.usage, stdout);
            return Success;
        }
        const Arguments parsed = parseArguments(args, command.valueOptions, command.flagOptions);
        if (!parsed.error.isEmpty())
            std::fprintf(stderr, "lexora-data %s: %s\n\n", command.name, qPrintable(parsed.error));
        // --again DIR repeats the import recorded in DIR: it takes no other argument.
        const int argumentCount =
            parsed.options.contains(QStringLiteral("--again")) ? 0 : command.argumentCount;
        if (!parsed.error.isEmpty() || parsed.positional.size() != argumentCount)
            return usageError(command.usage);
        return command.run(args);
    }
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        std::fputs(usage, stdout);
        return Success;
    }
    std::fprintf(stderr, "lexora-data: unknown command '%s'\n\n", qPrintable(name));
    return usageError(usage);
}
