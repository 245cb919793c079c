#include "stardict.h"

#include "dictzip.h"

#include <algorithm>
#include <cstring>
#include <limits>

namespace {

// The order of the index and the synonym file: the bytes compared with the ASCII
// capitals taken as small letters, and where they are equal so, the bytes themselves.
bool comesFirst(const QByteArray &a, const QByteArray &b)
{
    const auto small = [](char c) {
        return (c >= 'A' && c <= 'Z') ? (unsigned char)(c - 'A' + 'a') : (unsigned char)c;
    };
    const int n = std::min(a.size(), b.size());
    for (int i = 0; i < n; ++i) {
        if (small(a.at(i)) != small(b.at(i)))
            return small(a.at(i)) < small(b.at(i));
    }
    if (a.size() != b.size())
        return a.size() < b.size();
    return std::memcmp(a.constData(), b.constData(), size_t(n)) < 0;
}

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

std::optional<OutputFiles> stardictFiles(const StardictDictionary &dictionary, const QString &name)
{
    QVector<QByteArray> words;
    words.reserve(dictionary.words.size());
    for (const QString &word : dictionary.words)
        words.append(word.toUtf8());
    QVector<int> order(words.size());
    for (int i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](int a, int b) { return comesFirst(words.at(a), words.at(b)); });

    QVector<int> position(words.size()); // word -> its place in the index
    QByteArray articles;
    QByteArray index;
    for (int place = 0; place < order.size(); ++place) {
        const int word = order.at(place);
        position[word] = place;
        const QByteArray article = dictionary.articles.at(word).toUtf8();
        if (qint64(articles.size()) + article.size() > qint64(0xffffffffu) ||
            articles.size() > std::numeric_limits<int>::max() - article.size())
            return std::nullopt;
        index.append(words.at(word));
        index.append('\0');
        appendBigEndian32(index, quint32(articles.size()));
        appendBigEndian32(index, quint32(article.size()));
        articles.append(article);
    }
    const std::optional<QByteArray> compressed = dictzip(articles);
    if (!compressed)
        return std::nullopt;

    QVector<QPair<QByteArray, int>> synonyms;
    synonyms.reserve(dictionary.synonyms.size());
    for (const auto &[word, target] : dictionary.synonyms) {
        if (word != dictionary.words.at(target))
            synonyms.append({word.toUtf8(), position.at(target)});
    }
    // Equal words by the place of their article, so that a synonym given twice is
    // written once.
    std::sort(synonyms.begin(), synonyms.end(), [](const auto &a, const auto &b) {
        return comesFirst(a.first, b.first) || (a.first == b.first && a.second < b.second);
    });
    synonyms.erase(std::unique(synonyms.begin(), synonyms.end()), synonyms.end());
    QByteArray synonymFile;
    for (const auto &[word, place] : synonyms) {
        synonymFile.append(word);
        synonymFile.append('\0');
        appendBigEndian32(synonymFile, quint32(place));
    }

    QString info = QStringLiteral("StarDict's dict ifo file\nversion=3.0.0\n");
    info += QStringLiteral("bookname=%1\n").arg(oneLine(dictionary.bookName));
    info += QStringLiteral("wordcount=%1\n").arg(words.size());
    if (!synonyms.isEmpty())
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
    if (!synonyms.isEmpty())
        files.insert(names.at(3), synonymFile);
    return files;
}
