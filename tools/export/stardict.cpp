#include "stardict.h"

#include "dictzip.h"

#include <algorithm>
#include <limits>
#include <utility>
#include <vector>

namespace {

// A word as the index and the synonym file order it: its bytes with the ASCII capitals
// taken as small letters, and where those are equal, the bytes themselves.
struct SortKey
{
    QByteArray small;
    QByteArray bytes;

    explicit SortKey(const QByteArray &word) : small(word), bytes(word)
    {
        for (char &c : small) {
            if (c >= 'A' && c <= 'Z')
                c = char(c - 'A' + 'a');
        }
    }

    bool operator<(const SortKey &other) const
    {
        const int compared = small.compare(other.small);
        return compared != 0 ? compared < 0 : bytes < other.bytes;
    }
};

void appendBigEndian32(QByteArray &bytes, quint32 value)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        bytes.append(char((value >> shift) & 0xff));
}

// A value of the description file: on one line.
QString oneLine(QString value)
{
    value.replace(QLatin1Char('\r'), QLatin1Char(' '));
    value.replace(QLatin1Char('\n'), QLatin1Char(' '));
    return value;
}

} // namespace

bool isIndexableWord(const QString &word)
{
    return !word.isEmpty() && !word.contains(QChar(0)) && !word.contains(QLatin1Char('\n')) &&
           !word.contains(QLatin1Char('\r')) && word.toUtf8().size() <= 255;
}

QStringList stardictFileNames(const QString &name)
{
    return {name + QStringLiteral(".ifo"),     name + QStringLiteral(".idx"),
            name + QStringLiteral(".dict.dz"), name + QStringLiteral(".syn"),
            name + QStringLiteral(".idx.oft"), name + QStringLiteral(".syn.oft")};
}

std::optional<OutputFiles> stardictFiles(StardictDictionary dictionary, const QString &name)
{
    std::vector<SortKey> words;
    words.reserve(size_t(dictionary.words.size()));
    for (const QString &word : dictionary.words)
        words.emplace_back(word.toUtf8());
    QVector<int> order(int(words.size()));
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return words.at(size_t(a)) < words.at(size_t(b)); });

    QVector<int> position(int(words.size())); // word -> its place in the index
    QByteArray articles;
    QByteArray index;
    for (int place = 0; place < order.size(); ++place) {
        const int word = order.at(place);
        position[word] = place;
        const QByteArray article = dictionary.articles.at(word).toUtf8();
        dictionary.articles[word].clear(); // held once: as text or as bytes
        if (qint64(articles.size()) + article.size() > qint64(0xffffffffu) ||
            articles.size() > std::numeric_limits<int>::max() - article.size())
            return std::nullopt;
        index.append(words.at(size_t(word)).bytes);
        index.append('\0');
        appendBigEndian32(index, quint32(articles.size()));
        appendBigEndian32(index, quint32(article.size()));
        articles.append(article);
    }
    const std::optional<QByteArray> compressed = dictzip(articles);
    articles.clear();
    if (!compressed)
        return std::nullopt;

    std::vector<std::pair<SortKey, int>> synonyms;
    synonyms.reserve(size_t(dictionary.synonyms.size()));
    for (const auto &[word, target] : dictionary.synonyms) {
        if (word != dictionary.words.at(target))
            synonyms.emplace_back(SortKey(word.toUtf8()), position.at(target));
    }
    // Equal words by the place of their article, so that a synonym given twice is
    // written once.
    std::sort(synonyms.begin(), synonyms.end(), [](const auto &a, const auto &b) {
        return a.first < b.first || (a.first.bytes == b.first.bytes && a.second < b.second);
    });
    synonyms.erase(std::unique(synonyms.begin(), synonyms.end(),
                               [](const auto &a, const auto &b) {
                                   return a.first.bytes == b.first.bytes && a.second == b.second;
                               }),
                   synonyms.end());
    QByteArray synonymFile;
    for (const auto &[word, place] : synonyms) {
        synonymFile.append(word.bytes);
        synonymFile.append('\0');
        appendBigEndian32(synonymFile, quint32(place));
    }

    QString info = QStringLiteral("StarDict's dict ifo file\nversion=3.0.0\n");
    info += QStringLiteral("bookname=%1\n").arg(oneLine(dictionary.bookName));
    info += QStringLiteral("wordcount=%1\n").arg(words.size());
    if (!synonyms.empty())
        info += QStringLiteral("synwordcount=%1\n").arg(synonyms.size());
    info += QStringLiteral("idxfilesize=%1\n").arg(index.size());
    info += QStringLiteral("sametypesequence=h\n");
    if (!dictionary.description.isEmpty())
        info += QStringLiteral("description=%1\n").arg(oneLine(dictionary.description));
    if (!dictionary.date.isEmpty())
        info += QStringLiteral("date=%1\n").arg(oneLine(dictionary.date));

    const QStringList names = stardictFileNames(name);
    OutputFiles files{
        {names.at(0), info.toUtf8()}, {names.at(1), index}, {names.at(2), *compressed}};
    if (!synonyms.empty())
        files.insert(names.at(3), synonymFile);
    return files;
}
