// One block of any text through the entry highlighter. For short blocks the linear
// matchers must also find exactly the matches of the regular expressions they replace.

#include "highlighter.h"
#include "rulematchers.h"

#include <QGuiApplication>
#include <QRegExp>
#include <QTextDocument>
#include <cstdint>
#include <cstdlib>

namespace {

// Made once and kept until the process ends, so that nothing of them counts as a leak.
QGuiApplication *application = nullptr;
QTextDocument *document = nullptr;
Highlighter *highlighter = nullptr;

struct MatcherPair
{
    RuleMatcher matcher;
    const char *pattern;
};

const MatcherPair matcherPairs[] = {
    {matchExampleSentence, "\u2666[^\\.]*[\\.!\\?]"},
    {matchBeforeLastBracket, "\\b.*(?=\\[)"},
    {matchBeforeLastParenthesis, "\\b.*(?=\\()"},
    {matchBraceStretch, "\\{.*\\}"},
    {matchSlashStretch, "/.*/"},
};

// The regular-expression searches are quadratic; short blocks keep them quick.
constexpr int longestComparedBlock = 120;

void compareWithRegularExpressions(const QString &text)
{
    for (const MatcherPair &pair : matcherPairs) {
        QRegExp expression(QString::fromUtf8(pair.pattern), Qt::CaseSensitive, QRegExp::RegExp);
        for (int from = 0; from <= text.size(); ++from) {
            int length = -1;
            const int fast = pair.matcher(text, from, &length);
            const int slow = expression.indexIn(text, from, QRegExp::CaretAtZero);
            if (fast != slow || (slow >= 0 && length != expression.matchedLength()))
                std::abort();
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    application = new QGuiApplication(*argc, *argv);
    document = new QTextDocument;
    highlighter = new Highlighter(document);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    QString text = QString::fromUtf8(reinterpret_cast<const char *>(data), int(size));
    text.replace(QLatin1Char('\n'), QLatin1Char(' ')); // one block
    document->setPlainText(text);
    highlighter->rehighlight();
    if (text.size() <= longestComparedBlock)
        compareWithRegularExpressions(text);
    return 0;
}
