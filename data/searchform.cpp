#include "searchform.h"

namespace {

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

} // namespace

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
