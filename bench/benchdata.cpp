#include "benchdata.h"

#include "datafile.h"
#include "datafilenames.h"
#include "linecodec.h"
#include "alphabet.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QVector>
#include <algorithm>
#include <cmath>

namespace {

// A small generator of our own rather than the standard distributions, whose results
// differ between standard libraries: the data must be the same wherever it is built.
class Random
{
public:
    explicit Random(quint64 seed) : state(seed) {}

    quint32 next()
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return quint32(state >> 11);
    }
    int below(int bound) { return int(next() % quint32(bound)); }
    int between(int low, int high) { return low + below(high - low + 1); } // both included
    bool chance(int percent) { return below(100) < percent; }
    template <typename T> const T &pick(const QVector<T> &items)
    {
        return items.at(below(items.size()));
    }

private:
    quint64 state;
};

// Letters of the dictionary's writing; q, v and x do not occur, since the search field
// types ɲ, ŋ and ʃ on those keys.
const QVector<QString> consonants = {
    QStringLiteral("b"),      QStringLiteral("b"),      QStringLiteral("d"),
    QStringLiteral("f"),      QStringLiteral("g"),      QStringLiteral("h"),
    QStringLiteral("j"),      QStringLiteral("k"),      QStringLiteral("k"),
    QStringLiteral("l"),      QStringLiteral("m"),      QStringLiteral("m"),
    QStringLiteral("n"),      QStringLiteral("n"),      QStringLiteral("p"),
    QStringLiteral("r"),      QStringLiteral("s"),      QStringLiteral("s"),
    QStringLiteral("t"),      QStringLiteral("t"),      QStringLiteral("w"),
    QStringLiteral("y"),      QStringLiteral("c"),      QStringLiteral("z"),
    QStringLiteral("\u0272"), QStringLiteral("\u014B"), QStringLiteral("\u0283"),
};
const QVector<QString> vowels = {
    QStringLiteral("a"), QStringLiteral("a"), QStringLiteral("e"),      QStringLiteral("i"),
    QStringLiteral("o"), QStringLiteral("u"), QStringLiteral("\u025B"), QStringLiteral("\u0254"),
};
const QVector<QString> initialVowels = {
    QStringLiteral("a"), QStringLiteral("e"),      QStringLiteral("i"),     QStringLiteral("o"),
    QStringLiteral("u"), QStringLiteral("\u025B"), QStringLiteral("\u0254")};
const QVector<QString> tags = {QStringLiteral("N"), QStringLiteral("N"),  QStringLiteral("W"),
                               QStringLiteral("M"), QStringLiteral("TG"), QStringLiteral("TU"),
                               QStringLiteral("D"), QStringLiteral("KB"), QStringLiteral("KR")};
const QVector<QString> glossWords = {
    QStringLiteral("maison"),   QStringLiteral("travail"), QStringLiteral("chemin"),
    QStringLiteral("eau"),      QStringLiteral("enfant"),  QStringLiteral("parler"),
    QStringLiteral("voir"),     QStringLiteral("champ"),   QStringLiteral("village"),
    QStringLiteral("grand"),    QStringLiteral("petit"),   QStringLiteral("marché"),
    QStringLiteral("arbre"),    QStringLiteral("nuit"),    QStringLiteral("femme"),
    QStringLiteral("homme"),    QStringLiteral("mère"),    QStringLiteral("père"),
    QStringLiteral("chercher"), QStringLiteral("ventre"),  QStringLiteral("tête"),
    QStringLiteral("fleuve"),   QStringLiteral("bœuf"),    QStringLiteral("pluie"),
};
const QVector<QString> exampleWords = {
    QStringLiteral("b\u025B"),
    QStringLiteral("ye"),
    QStringLiteral("ka"),
    QStringLiteral("ni"),
    QStringLiteral("k\u0254n\u0254"),
    QStringLiteral("so"),
    QStringLiteral("ma"),
    QStringLiteral("don"),
    QStringLiteral("t\u025B"),
    QStringLiteral("k\u025B"),
    QStringLiteral("a"),
    QStringLiteral("u"),
    QStringLiteral("\u0272\u025B"),
    QStringLiteral("ba"),
    QStringLiteral("de"),
};

struct Word
{
    QString plain;    // small letters, as a user types it
    QString headword; // its search form
    int syllables = 1;
};

Word makeWord(Random &random)
{
    Word word;
    word.syllables = random.chance(10) ? 1 : random.between(2, 4);
    for (int i = 0; i < word.syllables; ++i) {
        if (i == 0 && random.chance(12))
            word.plain += random.pick(initialVowels);
        else
            word.plain += random.pick(consonants) + random.pick(vowels);
        if (random.chance(8))
            word.plain += QStringLiteral("n");
    }
    word.headword = searchForm(word.plain);
    return word;
}

QString tones(Random &random, int syllables)
{
    QStringList marks;
    for (int i = 0; i < syllables; ++i)
        marks << (random.chance(50) ? QStringLiteral("\u00F3") : QStringLiteral("\u00F2"));
    return marks.join(QLatin1Char(' '));
}

QString gloss(Random &random, int words)
{
    QStringList parts;
    for (int i = 0; i < words; ++i)
        parts << random.pick(glossWords);
    return parts.join(QStringLiteral(", "));
}

QString exampleSentence(Random &random, const QVector<Word> &words)
{
    QStringList parts;
    parts << (random.chance(50) ? QStringLiteral("\u0143") : QStringLiteral("A"));
    const int length = random.between(2, 5);
    for (int i = 0; i < length; ++i)
        parts << (random.chance(60) ? random.pick(exampleWords) : random.pick(words).plain);
    return QStringLiteral("\u2666 ") + parts.join(QLatin1Char(' ')) + QStringLiteral(". ") +
           gloss(random, random.between(1, 3)) + QLatin1Char('.');
}

QString continuationLine(Random &random, const Word &word, const QVector<Word> &words, int sense)
{
    switch (random.below(10)) {
    case 0:
    case 1:
    case 2:
        return exampleSentence(random, words);
    case 3:
        return QStringLiteral("\u2191") + random.pick(words).headword + QStringLiteral(" \u2193") +
               random.pick(words).headword;
    case 4:
        return QStringLiteral("{var. ") + random.pick(words).headword + QStringLiteral("}");
    case 5:
        return QLatin1Char('/') + word.plain + QStringLiteral("/ ") + gloss(random, 1);
    case 6:
        return QStringLiteral("\u2022 syn. ") + random.pick(words).headword +
               QStringLiteral(" ; ") + random.pick(words).headword;
    default:
        return QString::number(sense) + QStringLiteral(". ") + gloss(random, random.between(1, 4)) +
               (random.chance(40)
                    ? QStringLiteral(" (fr. ") + random.pick(glossWords) + QStringLiteral(")")
                    : QString()) +
               QLatin1Char('.');
    }
}

QStringList entryLines(Random &random, const Word &word, const QVector<Word> &words)
{
    QStringList lines;
    lines << word.headword + QStringLiteral(" [") + tones(random, word.syllables) +
                 QStringLiteral("] ") + random.pick(tags) + QLatin1Char(' ') +
                 gloss(random, random.between(1, 3)) + QLatin1Char('.');
    // Entries of 3 to 12 lines, most of them short.
    const int continuations = random.chance(80) ? random.between(2, 3) : random.between(4, 11);
    for (int i = 0; i < continuations; ++i)
        lines << continuationLine(random, word, words, i + 1);
    return lines;
}

int alphabetPosition(const QString &headword)
{
    return dictionaryAlphabet().indexOf(letterKey(headword));
}

} // namespace

BenchData generateBenchData(double scale)
{
    Random random(0x5eed1e55u);
    const int headwordCount = std::max(1, int(std::lround(13400 * scale)));
    const int lexiconCount = std::max(1, int(std::lround(10000 * scale)));

    QVector<Word> words;
    QSet<QString> seen;
    while (words.size() < headwordCount) {
        Word word = makeWord(random);
        if (!seen.contains(word.headword)) {
            seen.insert(word.headword);
            words.append(word);
        }
    }
    // Dictionary order: by the letter file, then by the headword.
    std::sort(words.begin(), words.end(), [](const Word &a, const Word &b) {
        const int pa = alphabetPosition(a.headword), pb = alphabetPosition(b.headword);
        return pa != pb ? pa < pb : a.headword < b.headword;
    });

    BenchData data;
    for (const QChar letter : dictionaryAlphabet())
        data.letters.insert(QString(letter), {});
    for (const Word &word : words) {
        data.headwords << word.headword;
        QStringList &letterLines = data.letters[letterKey(word.headword)];
        if (random.chance(5)) {
            const Word &target = random.pick(words);
            if (target.headword != word.headword) {
                letterLines << word.headword + QStringLiteral(" [") +
                                   tones(random, word.syllables) + QStringLiteral("] => ") +
                                   target.headword;
                continue;
            }
        }
        const QStringList lines = entryLines(random, word, words);
        letterLines << lines;
        if (data.sampleEntry.isEmpty() && lines.size() >= 6 && lines.size() <= 8)
            data.sampleEntry = lines.join(QLatin1Char('\n'));
        if (random.chance(8)) // a homograph right after it
            letterLines << entryLines(random, word, words);
    }

    QStringList lexicon;
    for (int i = 0; i < lexiconCount; ++i) {
        const Word word = random.chance(50) ? random.pick(words) : makeWord(random);
        lexicon << word.plain.toUpper() + QLatin1Char('|') + gloss(random, random.between(1, 4));
    }
    lexicon.sort();
    data.lexicon = lexicon;

    // Words typed into the search field, spread over the alphabet.
    const int typed = std::min(60, words.size());
    for (int i = 0; i < typed; ++i)
        data.typingScript << words.at(int(qint64(i) * words.size() / typed)).plain;
    return data;
}

namespace {

bool writeStored(const QString &path, const QStringList &plainLines)
{
    for (int i = 0; i < plainLines.size(); ++i) {
        if (unstorablePosition(plainLines.at(i), i + 1).position >= 0)
            return false;
    }
    const QByteArray bytes = encodeDataFile(plainLines);
    QFile file(path);
    return file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size();
}

} // namespace

bool writeBenchData(const BenchData &data, const QString &dir)
{
    if (!QDir().mkpath(dir))
        return false;
    bool ok = writeStored(dataFilePath(dir, headwordFileName()), data.headwords) &&
              writeStored(dataFilePath(dir, lexiconFileName()), data.lexicon);
    for (auto letter = data.letters.constBegin(); letter != data.letters.constEnd(); ++letter)
        ok = ok && writeStored(dataFilePath(dir, letterFileName(letter.key().at(0))), *letter);
    return ok;
}

QString markedBlock(int length)
{
    const QString piece = QStringLiteral(
        "BAARA [\u00F3 \u00F2] N TG travail \u2022 \u2666 A b\u025B baara k\u025B so "
        "k\u0254n\u0254. \u2191k\u0254n\u0254 \u2193sira (fr. maison) {var. BARA} /baara/ KR W ");
    QString block;
    block.reserve(length + piece.size());
    while (block.size() < length)
        block += piece;
    block.truncate(length);
    return block;
}
