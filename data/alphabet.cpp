#include "alphabet.h"

#include <algorithm>

namespace {

// The capitals of the Bambara alphabet in dictionary order: Л (U+041B) is the capital
// of ɲ, ʃ (U+0283) stays small; q, v and x come where the Latin alphabet has them.
const QString alphabetOrder = QStringLiteral("ABCDE\u0190FGHIJKLMN\u041B\u014AO\u0186PQRS"
                                             "\u0283TUVWXYZ");

int orderOf(QChar c)
{
    const int index = alphabetOrder.indexOf(c);
    return index >= 0 ? index : alphabetOrder.size() + c.unicode();
}

struct LetterKeyException
{
    char16_t initial;
    char16_t key;
};

// Initials whose entries are filed under another letter than their own small form.
constexpr LetterKeyException letterKeyExceptions[] = {
    {0x041B, u'q'}, // Л, the capital of ɲ
    {0x014A, u'v'}, // Ŋ
    {0x0283, u'x'}, // ʃ
};

// A letter a keyboard may lack.
struct SpecialLetter
{
    char16_t letter;
    const char16_t *spellings[2]; // the second one null where there is one spelling
};

// How each special letter is typed without it, the spellings in rank order.
constexpr SpecialLetter specialLetters[] = {
    {0x0272, {u"ny", nullptr}},  // ɲ
    {0x019D, {u"NY", nullptr}},  // Ɲ
    {0x041B, {u"NY", nullptr}},  // Л, the capital of ɲ in headwords
    {0x014B, {u"ng", nullptr}},  // ŋ
    {0x014A, {u"NG", nullptr}},  // Ŋ
    {0x025B, {u"e", u"\u00E8"}}, // ɛ: e, è
    {0x0190, {u"E", u"\u00C8"}}, // Ɛ: E, È
    {0x0254, {u"o", u"\u00F2"}}, // ɔ: o, ò
    {0x0186, {u"O", u"\u00D2"}}, // Ɔ: O, Ò
    {0x0283, {u"sh", nullptr}},  // ʃ
    {0x01A9, {u"SH", nullptr}},  // Ʃ
};

const SpecialLetter *specialLetter(QChar c)
{
    for (const SpecialLetter &special : specialLetters) {
        if (c.unicode() == special.letter)
            return &special;
    }
    return nullptr;
}

} // namespace

QString dictionaryAlphabet()
{
    return QStringLiteral("abcde\u025Bfghijklmno\u0254pqrstuvwxyz");
}

QString searchForm(const QString &text)
{
    QString form = text.toUpper();
    form.replace(QChar(0x019D), QChar(0x041B)); // Ɲ -> Л
    form.replace(QChar(0x01A9), QChar(0x0283)); // Ʃ -> ʃ
    return form.trimmed();
}

QString letterKey(const QString &searchForm)
{
    if (searchForm.isEmpty())
        return QString();
    const QChar initial = searchForm.at(0);
    for (const LetterKeyException &exception : letterKeyExceptions) {
        if (initial.unicode() == exception.initial)
            return QString(QChar(exception.key));
    }
    return QString(initial).toLower();
}

QString smallForm(const QString &searchForm)
{
    QString small = searchForm.toLower();
    small.replace(QChar(0x043B), QChar(0x0272)); // л (U+043B), the small of Л -> ɲ
    return small;
}

QStringList plainSpellings(const QString &word)
{
    QStringList spellings;
    for (int rank = 0; rank < 2; ++rank) {
        QString spelling;
        bool special = false;
        for (const QChar c : word) {
            const SpecialLetter *letter = specialLetter(c);
            if (!letter) {
                spelling.append(c);
                continue;
            }
            special = true;
            const char16_t *written =
                letter->spellings[rank] ? letter->spellings[rank] : letter->spellings[0];
            spelling.append(QString::fromUtf16(written));
        }
        if (!special)
            return {};
        spelling = spelling.normalized(QString::NormalizationForm_C);
        if (!spellings.contains(spelling))
            spellings.append(spelling);
    }
    return spellings;
}

QString toneless(const QString &word)
{
    const QString decomposed = word.normalized(QString::NormalizationForm_D);
    QString bare;
    for (const QChar c : decomposed) {
        if (c.category() != QChar::Mark_NonSpacing && c != QLatin1Char('.'))
            bare.append(c);
    }
    return bare.normalized(QString::NormalizationForm_C);
}

bool comesBefore(const QString &a, const QString &b)
{
    const int n = std::min(a.size(), b.size());
    for (int i = 0; i < n; ++i) {
        const int left = orderOf(a.at(i));
        const int right = orderOf(b.at(i));
        if (left != right)
            return left < right;
    }
    return a.size() < b.size();
}
