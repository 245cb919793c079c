#include "frenchindex.h"

#include "articlehtml.h"
#include "dictionarysources.h"
#include "searchform.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>

QStringList glossKeys(const QString &gloss)
{
    QStringList keys{plainArticleText(gloss).trimmed()};
    static const QRegularExpression separator(QStringLiteral("[;,]"));
    for (const QString &part : keys.first().split(separator))
        keys << part.trimmed();
    keys.removeAll(QString());
    keys.removeDuplicates();
    return keys;
}

QVector<FrenchIndexKey> frenchIndex(const QVector<LexiconRow> &lexicon)
{
    QVector<FrenchIndexKey> index;
    QHash<QString, int> positions;     // key -> its place in `index`
    QVector<QSet<QString>> formsOfKey; // by place in `index`
    for (int row = 0; row < lexicon.size(); ++row) {
        const QString form = searchForm(lexicon.at(row).word);
        if (form.isEmpty())
            continue;
        for (const QString &key : glossKeys(lexicon.at(row).gloss)) {
            auto found = positions.find(key);
            if (found == positions.end()) {
                found = positions.insert(key, index.size());
                index.append({key, {}});
                formsOfKey.append(QSet<QString>());
            }
            if (!formsOfKey[*found].contains(form)) {
                formsOfKey[*found].insert(form);
                index[*found].words.append({form, row});
            }
        }
    }
    for (FrenchIndexKey &entry : index) {
        std::stable_sort(entry.words.begin(), entry.words.end(), [](const auto &a, const auto &b) {
            return comesBefore(a.first, b.first);
        });
    }
    return index;
}
