#include "importedtext.h"

#include <algorithm>
#include <iterator>

namespace {

struct LookAlike
{
    char16_t plain;
    char16_t shown;
};

// The characters the colouring rules read as mark-up, each with the look-alike that
// stands for it in imported text. All are in DejaVu Sans, the font the viewer uses.
constexpr LookAlike lookAlikes[] = {
    {u'(', 0x2768},   // ❨ MEDIUM LEFT PARENTHESIS ORNAMENT
    {u')', 0x2769},   // ❩ MEDIUM RIGHT PARENTHESIS ORNAMENT
    {u'[', 0x2045},   // ⁅ LEFT SQUARE BRACKET WITH QUILL
    {u']', 0x2046},   // ⁆ RIGHT SQUARE BRACKET WITH QUILL
    {u'{', 0x2774},   // ❴ MEDIUM LEFT CURLY BRACKET ORNAMENT
    {u'}', 0x2775},   // ❵ MEDIUM RIGHT CURLY BRACKET ORNAMENT
    {u'/', 0x2215},   // ∕ DIVISION SLASH
    {0x2666, 0x25C6}, // ♦ black diamond suit -> ◆ BLACK DIAMOND
    {0x2191, 0x21E1}, // ↑ upwards arrow -> ⇡ UPWARDS DASHED ARROW
    {0x2193, 0x21E3}, // ↓ downwards arrow -> ⇣ DOWNWARDS DASHED ARROW
    {0x2022, 0x2219}, // • bullet -> ∙ BULLET OPERATOR
};

constexpr char16_t joinerCode = 0x034F; // COMBINING GRAPHEME JOINER: a mark, so a word character
const QChar joiner(joinerCode);

// The smallest of the characters withPlainCharacters() changes (the look-alikes and the
// joiner): no character below it is changed.
constexpr char16_t smallestChanged()
{
    char16_t smallest = joinerCode;
    for (const LookAlike &pair : lookAlikes)
        smallest = std::min(smallest, pair.shown);
    return smallest;
}

// The words the colouring rules draw as part-of-speech tags where they stand as words.
const char *const tagWords[] = {"TG", "W", "M", "N", "TU", "D", "KB", "KR"};

// A word character as the colouring rules' word boundaries see it.
bool isWordCharacter(QChar c)
{
    return c.isLetterOrNumber() || c.isMark() || c == QLatin1Char('_');
}

// The length of the tag word standing as a whole word at `position`, or 0.
int tagWordAt(const QString &text, int position)
{
    if (position > 0 && isWordCharacter(text.at(position - 1)))
        return 0;
    for (const char *word : tagWords) {
        const QLatin1String tag(word);
        const int end = position + tag.size();
        if (QStringView(text).mid(position).startsWith(tag) &&
            (end == text.size() || !isWordCharacter(text.at(end))))
            return tag.size();
    }
    return 0;
}

} // namespace

QString withoutMarkup(const QString &text)
{
    QString shown;
    shown.reserve(text.size() + 1);
    for (int i = 0; i < text.size(); ++i) {
        QChar c = text.at(i);
        if (c.unicode() < 0x80 && c.isUpper()) {
            const int tag = tagWordAt(text, i);
            if (tag > 0) {
                shown += QStringView(text).mid(i, tag);
                shown += joiner;
                i += tag - 1;
                continue;
            }
        }
        for (const LookAlike &pair : lookAlikes) {
            if (c.unicode() == pair.plain) {
                c = QChar(pair.shown);
                break;
            }
        }
        shown += c;
    }
    return shown;
}

QString withPlainCharacters(const QString &text)
{
    // Most text holds neither a look-alike nor the joiner: it is given back as it is.
    const auto changed = [](QChar c) {
        return c.unicode() >= smallestChanged() &&
               (c == joiner ||
                std::any_of(std::begin(lookAlikes), std::end(lookAlikes),
                            [c](const LookAlike &pair) { return c.unicode() == pair.shown; }));
    };
    if (std::none_of(text.begin(), text.end(), changed))
        return text;
    QString plain;
    plain.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        QChar c = text.at(i);
        if (c == joiner) {
            // Only a joiner right after a tag word is the importer's.
            int start = i;
            while (start > 0 && isWordCharacter(text.at(start - 1)))
                --start;
            if (start < i && tagWordAt(text.left(i), start) == i - start)
                continue;
        }
        for (const LookAlike &pair : lookAlikes) {
            if (c.unicode() == pair.shown)
                c = QChar(pair.plain);
        }
        plain += c;
    }
    return plain;
}
