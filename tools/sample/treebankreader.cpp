#include "treebankreader.h"

#include "textfile.h"

namespace {

// Columns of a token line.
enum Column { Id, Form, Lemma, UniversalTag, LanguageTag, Features, Head, Relation, Deps, Misc };
constexpr int columnCount = 10;

QString fieldValue(const QString &field)
{
    return field == QLatin1String("_") ? QString() : field;
}

// The value of `key` in the "Key=Value|Key=Value" list of the last column.
QString miscValue(const QString &misc, const QString &key)
{
    const QString prefix = key + QLatin1Char('=');
    for (const QString &item : misc.split(QLatin1Char('|'))) {
        if (item.startsWith(prefix))
            return fieldValue(item.mid(prefix.size()));
    }
    return QString();
}

} // namespace

std::optional<QVector<TreebankSentence>> TreebankReader::readFile(const QString &path,
                                                                  QString *error)
{
    TextReadReport report;
    const auto text = readFileText(path, &report);
    if (!text) {
        *error = path + QStringLiteral(": ") + report.failure;
        return std::nullopt;
    }
    return parse(*text);
}

QVector<TreebankSentence> TreebankReader::parse(const QString &text)
{
    QVector<TreebankSentence> sentences;
    TreebankSentence current;
    const auto finish = [&] {
        if (!current.tokens.isEmpty() || !current.text.isEmpty())
            sentences.append(current);
        current = TreebankSentence();
    };
    for (QString line : text.split(QLatin1Char('\n'))) {
        if (line.endsWith(QLatin1Char('\r')))
            line.chop(1);
        if (line.trimmed().isEmpty()) {
            finish();
            continue;
        }
        if (line.startsWith(QLatin1Char('#'))) {
            const int equals = line.indexOf(QLatin1Char('='));
            if (equals < 0)
                continue;
            const QString key = line.mid(1, equals - 1).trimmed();
            const QString value = line.mid(equals + 1).trimmed();
            if (key == QLatin1String("sent_id"))
                current.id = value;
            else if (key == QLatin1String("text"))
                current.text = value;
            continue;
        }
        const QStringList fields = line.split(QLatin1Char('\t'));
        if (fields.size() != columnCount)
            continue;
        const QString &id = fields.at(Id);
        if (id.contains(QLatin1Char('-')) || id.contains(QLatin1Char('.')))
            continue;
        TreebankToken token;
        token.form = fields.at(Form);
        token.lemma = fieldValue(fields.at(Lemma));
        token.partOfSpeech = fieldValue(fields.at(UniversalTag));
        token.gloss = miscValue(fields.at(Misc), QStringLiteral("Gloss"));
        const QString morphemes = miscValue(fields.at(Misc), QStringLiteral("Morf"));
        if (!morphemes.isEmpty())
            token.morphemes = morphemes.split(QLatin1Char(','));
        current.tokens.append(token);
    }
    finish();
    return sentences;
}
