#include "linecodec.h"

#include <algorithm>

namespace {

constexpr char16_t bullet = 0x2022;
constexpr int keyLength = 5;
constexpr int keyDigits[keyLength] = {5, 2, 4, 1, 3}; // the key "52413"

// The key position of the first unit of a line. Phases are >= 1 in practice; a
// negative phase still gives a position in 0..4.
int firstKeyPosition(int phase)
{
    const int k = phase % keyLength;
    return k < 0 ? k + keyLength : k;
}

// Moves every unit but the bullet by the key digit of its position, plus `offset`, with
// 16-bit wrap-around. The key position advances over the bullet as over any unit.
void shiftUnits(QChar *units, int length, int phase, int sign, int offset)
{
    int k = firstKeyPosition(phase);
    for (int i = 0; i < length; ++i) {
        const char16_t unit = units[i].unicode();
        if (unit != bullet)
            units[i] = QChar(char16_t((unit + sign * keyDigits[k] + offset) & 0xFFFF));
        if (++k == keyLength)
            k = 0;
    }
}

} // namespace

void descrambleInPlace(QChar *units, int length, int phase)
{
    shiftUnits(units, length, phase, -1, 5);
}

QString descrambleLine(const QString &line, int phase)
{
    QString plain = line;
    descrambleInPlace(plain.data(), plain.size(), phase);
    return plain;
}

QString scrambleLine(const QString &line, int phase)
{
    QString stored = line;
    shiftUnits(stored.data(), stored.size(), phase, 1, -5);
    return stored;
}

UnstorableCharacter unstorablePosition(const QString &line, int phase)
{
    const QString stored = scrambleLine(line, phase);
    const int n = stored.size();
    for (int i = 0; i < n; ++i) {
        const QChar plain = line.at(i);
        const QChar unit = stored.at(i);
        if (i == 0 && phase == 1 && unit.unicode() == 0xFEFF)
            return {i, UnstorableReason::BecomesByteOrderMark};
        if (plain.unicode() != bullet && unit.unicode() == bullet)
            return {i, UnstorableReason::BecomesBullet};
        if (unit == QLatin1Char('\n') || unit == QLatin1Char('\r'))
            return {i, UnstorableReason::BecomesLineBreak};
        if (unit.isHighSurrogate()) {
            if (i + 1 < n && stored.at(i + 1).isLowSurrogate()) {
                ++i;
                continue;
            }
            return {i, UnstorableReason::UnpairedSurrogate};
        }
        if (unit.isLowSurrogate()) {
            // A low surrogate without a high one before it; report the character whose
            // stored unit is unpaired.
            return {i, UnstorableReason::UnpairedSurrogate};
        }
    }
    return {};
}

bool holdsControlCharacter(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(),
                       [](QChar c) { return c.unicode() < 0x20 && c != QLatin1Char('\t'); });
}

bool readsAsStoredLine(const QString &line, int phase)
{
    return holdsControlCharacter(line) && !holdsControlCharacter(descrambleLine(line, phase));
}

QString unstorableReasonText(UnstorableReason reason)
{
    switch (reason) {
    case UnstorableReason::None:
        return QString();
    case UnstorableReason::BecomesBullet:
        return QStringLiteral("would be stored as the bullet U+2022 and read back as a bullet");
    case UnstorableReason::BecomesLineBreak:
        return QStringLiteral("would be stored as a line break and split the line");
    case UnstorableReason::UnpairedSurrogate:
        return QStringLiteral("would be stored as an unpaired surrogate, which UTF-8 cannot carry");
    case UnstorableReason::BecomesByteOrderMark:
        return QStringLiteral("would open the file with a byte-order mark, which the reader drops");
    }
    return QString();
}
