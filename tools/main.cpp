// lexora-data: builds, decodes and encodes the data files of the dictionary viewer.

#include "datafile.h"
#include "dictionarycompiler.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>

#include <cstdio>

namespace {

enum ExitCode { Success = 0, Problems = 1, Unusable = 2 };

const char usage[] =
    "Usage: lexora-data COMMAND [ARGUMENTS]\n"
    "\n"
    "Commands:\n"
    "  build SRC_DIR RES_DIR  write the data files of the sources in SRC_DIR into RES_DIR\n"
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

const char decodeUsage[] =
    "Usage: lexora-data decode FILE\n"
    "\n"
    "Prints the plain lines of the data file FILE, line n decoded with phase n.\n";

const char encodeUsage[] =
    "Usage: lexora-data encode FILE\n"
    "\n"
    "Prints the stored form of the plain UTF-8 file FILE, line n encoded with phase n, so\n"
    "that 'decode', an editor and 'encode' make a round trip.\n";

void print(FILE *stream, const QByteArray &bytes)
{
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stream);
}

void printLine(FILE *stream, const QString &text)
{
    print(stream, text.toUtf8() + '\n');
}

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
    if (wantsHelp(args)) {
        std::fputs(buildUsage, stdout);
        return Success;
    }
    if (args.size() != 2)
        return usageError(buildUsage);
    DictionaryCompiler compiler;
    const DictionaryCompiler::DataFiles files = compiler.compile(args.at(0));
    for (const Diagnostic &problem : compiler.diagnostics())
        printLine(stderr, problem.toString());
    if (!compiler.diagnostics().isEmpty())
        return Problems;
    QString error;
    if (!DictionaryCompiler::writeDataFiles(files, args.at(1), &error)) {
        printLine(stderr, QStringLiteral("lexora-data: ") + error);
        return Unusable;
    }
    return Success;
}

int decode(const QStringList &args)
{
    if (wantsHelp(args)) {
        std::fputs(decodeUsage, stdout);
        return Success;
    }
    if (args.size() != 1)
        return usageError(decodeUsage);
    const auto lines = readDataFile(args.at(0));
    if (!lines) {
        printLine(stderr, QStringLiteral("lexora-data: cannot read ") + args.at(0));
        return Unusable;
    }
    for (const QString &line : *lines)
        printLine(stdout, line);
    return Success;
}

int encode(const QStringList &args)
{
    if (wantsHelp(args)) {
        std::fputs(encodeUsage, stdout);
        return Success;
    }
    if (args.size() != 1)
        return usageError(encodeUsage);
    QFile file(args.at(0));
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        printLine(stderr, QStringLiteral("lexora-data: cannot read ") + args.at(0));
        return Unusable;
    }
    QStringList lines = QString::fromUtf8(file.readAll()).split(QLatin1Char('\n'));
    if (lines.constLast().isEmpty())
        lines.removeLast();
    print(stdout, DictionaryCompiler::encodeDataFile(lines));
    return Success;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QStringList args = QCoreApplication::arguments().mid(1);
    if (args.isEmpty())
        return usageError(usage);
    const QString command = args.takeFirst();
    if (command == QLatin1String("build"))
        return build(args);
    if (command == QLatin1String("decode"))
        return decode(args);
    if (command == QLatin1String("encode"))
        return encode(args);
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        std::fputs(usage, stdout);
        return Success;
    }
    std::fprintf(stderr, "lexora-data: unknown command '%s'\n\n", qPrintable(command));
    return usageError(usage);
}
