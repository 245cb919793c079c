// lexora-data: builds, checks, decodes and encodes the data files of the dictionary viewer.

#include "datafile.h"
#include "dictionarychecker.h"
#include "dictionarycompiler.h"
#include "linecodec.h"
#include "textfile.h"

#include <QCoreApplication>
#include <QStringList>

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
    "  encode FILE            print the stored form of a plain UTF-8 file\n"
    "\n"
    "Run 'lexora-data COMMAND --help' for the details of a command.\n";

const char buildUsage[] =
    "Usage: lexora-data build SRC_DIR RES_DIR\n"
    "\n"
    "Reads headwords.txt, entries.txt and lexicon.txt from SRC_DIR and writes entries.bna,\n"
    "lexic.bna and the 28 letter files into RES_DIR. Each entry goes to the letter file of\n"
    "its headword's letter key. Problems are printed as 'file:line: error: message'; if\n"
    "there is any, RES_DIR is left untouched. RES_DIR is replaced as a whole.\n";

const char checkUsage[] =
    "Usage: lexora-data check RES_DIR\n"
    "\n"
    "Decodes every data file in RES_DIR and reports each problem as\n"
    "'file:line: error|warning: message': a listed headword without an entry; an entry\n"
    "that no listed headword reaches, or that stands in another letter file than its\n"
    "headword's; a cross-reference to a headword without entry; cross-references in a\n"
    "circle; a homograph separated from its first entry by another entry (never shown);\n"
    "a headword not in search form; a lexicon line without '|'; control characters and\n"
    "trailing blanks.\n"
    "\n"
    "Exit status: 0 no problem, 1 problems found, 2 RES_DIR or one of its files cannot be\n"
    "read.\n";

const char decodeUsage[] =
    "Usage: lexora-data decode FILE\n"
    "\n"
    "Prints the plain lines of the data file FILE, line n decoded with phase n.\n";

const char encodeUsage[] =
    "Usage: lexora-data encode FILE\n"
    "\n"
    "Prints the stored form of the plain UTF-8 file FILE, line n encoded with phase n, so\n"
    "that 'decode', an editor and 'encode' make a round trip. A line holding a character\n"
    "that cannot be stored at its place is reported as 'FILE:line: error: message' and\n"
    "nothing is printed (exit status 1).\n";

bool wantsHelp(const QStringList &args)
{
    return args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"));
}

int usageError(const char *text)
{
    std::fputs(text, stderr);
    return Unusable;
}

int build(const QStringList &args)
{
    DictionaryCompiler compiler;
    const DictionaryCompiler::DataFiles files = compiler.compile(args.at(0));
    for (const Diagnostic &problem : compiler.diagnostics())
        printLine(stderr, problem.toString());
    if (!compiler.diagnostics().isEmpty())
        return Problems;
    QString error;
    const OutputDirectory target{args.at(1), DictionaryCompiler::dataFileNames(), {args.at(0)}};
    if (!replaceDirectory(target, DictionaryCompiler::encode(files), &error)) {
        printLine(stderr, QStringLiteral("lexora-data: ") + error);
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

int encode(const QStringList &args)
{
    TextReadReport report;
    const auto lines = readTextLines(args.at(0), &report);
    if (!reportRead(args.at(0), bool(lines), report))
        return lines ? Problems : Unusable;
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
    print(stdout, encodeDataFile(*lines));
    return Success;
}

// The commands, with their usage text and the number of arguments each takes.
struct Command
{
    const char *name;
    const char *usage;
    int argumentCount;
    int (*run)(const QStringList &args);
};

constexpr Command commands[] = {
    {"build", buildUsage, 2, build},
    {"check", checkUsage, 1, check},
    {"decode", decodeUsage, 1, decode},
    {"encode", encodeUsage, 1, encode},
};

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
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
        if (args.size() != command.argumentCount)
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
