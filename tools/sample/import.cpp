// lexora-import: makes the sample dictionary's sources from an annotated Bambara
// treebank, locale names and the project's hand-written supplement.

#include "cldrnames.h"
#include "diagnostic.h"
#include "dictionarysources.h"
#include "handedits.h"
#include "outputdirectory.h"
#include "sampledictionarybuilder.h"
#include "textfile.h"
#include "treebankreader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

#include <cstdio>

namespace {

const char usage[] =
    "Usage: lexora-import TREEBANK CLDR_DIR SUPPLEMENT_DIR SRC_DIR\n"
    "\n"
    "Writes headwords.txt, entries.txt and lexicon.txt into SRC_DIR, ready for\n"
    "'lexora-data build SRC_DIR RES_DIR':\n"
    "  TREEBANK        the Bambara treebank in CoNLL-U format (.conllu)\n"
    "  CLDR_DIR        the directory holding the locale files bm.xml and en.xml\n"
    "  SUPPLEMENT_DIR  the hand-written entries.txt and lexicon.txt, in the form of an\n"
    "                  import's hand edits, merged into the result: their entries replace\n"
    "                  imported ones of the same headword, their lexicon rows are added\n";

int fail(const QString &message)
{
    printLine(stderr, QStringLiteral("lexora-import: ") + message);
    return 2;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments().mid(1);
    if (args.contains(QStringLiteral("--help")) || args.contains(QStringLiteral("-h"))) {
        std::fputs(usage, stdout);
        return 0;
    }
    if (args.size() != 4) {
        std::fputs(usage, stderr);
        return 2;
    }
    const QString treebankPath = args.at(0);
    const QDir cldr(args.at(1));
    const QString supplementDir = args.at(2);
    const QString target = args.at(3);

    QString error;
    const auto sentences = TreebankReader::readFile(treebankPath, &error);
    if (!sentences)
        return fail(error);
    const auto bambara = CldrNames::readFile(cldr.filePath(QStringLiteral("bm.xml")), &error);
    if (!bambara)
        return fail(error);
    const auto english = CldrNames::readFile(cldr.filePath(QStringLiteral("en.xml")), &error);
    if (!english)
        return fail(error);
    if (!QFileInfo(supplementDir).isDir())
        return fail(supplementDir + QStringLiteral(": not a directory"));
    QVector<Diagnostic> problems;
    const std::optional<HandEdits> supplement = readHandEdits(supplementDir, &problems);
    if (!supplement)
        return fail(problems.constFirst().toString());

    SampleDictionaryBuilder builder;
    builder.addTreebank(*sentences);
    builder.addLocaleNames(*bambara, *english);
    builder.addSupplement(*supplement);
    QVector<Diagnostic> warnings;
    const DictionarySources sources = builder.sources(&warnings);
    for (const Diagnostic &warning : qAsConst(warnings))
        printLine(stderr, warning.toString());

    // Each file is written whole and checked to its last byte, or left as it was. SRC_DIR
    // may hold more (the supplement lives in it), so the files are replaced one by one.
    if (!QDir().mkpath(target))
        return fail(QStringLiteral("cannot create ") + target);
    const OutputFiles files = sourceFiles(sources);
    for (auto file = files.constBegin(); file != files.constEnd(); ++file) {
        if (!replaceFile(QDir(target).filePath(file.key()), *file, &error))
            return fail(error);
    }
    printLine(stderr, QStringLiteral("lexora-import: %1 sentences read; %2 headwords, %3 entry "
                                     "lines, %4 lexicon rows written to %5")
                          .arg(sentences->size())
                          .arg(sources.headwords.size())
                          .arg(sources.entries.size())
                          .arg(sources.lexicon.size())
                          .arg(target));
    return warnings.isEmpty() ? 0 : 1;
}
