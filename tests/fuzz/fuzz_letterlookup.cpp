// A whole letter text and a lookup in it. The first line of the input is the word looked
// up, the rest is the letter text, filed under every letter so that cross-references
// reach it whatever their initial. The lookup ends, and what it shows agrees with the
// entry found for the word itself.

#include "datafilenames.h"
#include "entrylookup.h"
#include "alphabet.h"

#include <QHash>
#include <QString>
#include <cstdint>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QString input = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    const int lineEnd = input.indexOf(QLatin1Char('\n'));
    const QString word = lineEnd < 0 ? input : input.left(lineEnd);
    const QString letterText = lineEnd < 0 ? QString() : input.mid(lineEnd + 1);

    QHash<QString, QString> letterTexts;
    for (const QChar letter : dictionaryAlphabet())
        letterTexts.insert(QString(letter), letterText);

    const LookupResult result = lookUpWord(letterTexts, word);
    const QString form = searchForm(word);
    const EntryExtract own = extractEntry(letterText, form);
    // Only a word whose letter key names a letter text reaches an entry.
    const bool reachable = letterTexts.contains(letterKey(form));
    switch (result.kind) {
    case LookupResult::Unchanged:
        // Only a blank word, or a cross-reference that names nothing, changes nothing.
        if (!form.isEmpty() && !(reachable && own.isCrossReference))
            std::abort();
        break;
    case LookupResult::Entry:
        if (!reachable || result.text.isEmpty() || !result.text.endsWith(QLatin1Char('\n')))
            std::abort();
        if (own.found && !own.isCrossReference && result.text != own.text)
            std::abort();
        break;
    case LookupResult::NotFound:
        if (result.text.isEmpty())
            std::abort();
        if (reachable && own.found && !own.isCrossReference)
            std::abort();
        break;
    }
    return 0;
}
