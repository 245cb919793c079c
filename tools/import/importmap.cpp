#include "importmap.h"

#include <QRegularExpression>

namespace {

// Role names of map files, in FieldRole order.
const char *const roleNames[] = {
    "headword", "homonym",     "form",    "pos",     "sense",    "gloss",  "definition",
    "example",  "translation", "up",      "down",    "variant",  "main",   "subentry",
    "note",     "synonym",     "antonym", "compare", "reversal", "ignore",
};

struct MarkerRole
{
    const char *marker;
    FieldRole role;
};

// The standard markers of the MDF set and what they mean.
const MarkerRole standardMarkers[] = {
    {"\\lx", FieldRole::Headword},
    {"\\hm", FieldRole::HomonymNumber},
    {"\\ps", FieldRole::PartOfSpeech},
    {"\\sn", FieldRole::SenseNumber},
    {"\\ge", FieldRole::Gloss},
    {"\\gn", FieldRole::Gloss},
    {"\\de", FieldRole::Definition},
    {"\\dn", FieldRole::Definition},
    {"\\xv", FieldRole::Example},
    {"\\xe", FieldRole::ExampleTranslation},
    {"\\xn", FieldRole::ExampleTranslation},
    {"\\cf", FieldRole::Compare},
    {"\\sy", FieldRole::Synonym},
    {"\\an", FieldRole::Antonym},
    {"\\va", FieldRole::Variant},
    {"\\mn", FieldRole::MainEntry},
    {"\\se", FieldRole::SubEntry},
    {"\\nt", FieldRole::Note},
    {"\\re", FieldRole::Reversal},
    {"\\rn", FieldRole::Reversal},
};

struct PartOfSpeechTag
{
    const char *value;
    const char *tag;
};

// The default part-of-speech table: the usual abbreviations and names of parts of speech
// and the viewer's tag for each (see docs/import-map.md).
const PartOfSpeechTag standardTags[] = {
    {"n", "N"},
    {"noun", "N"},
    {"n.prop", "N"},
    {"proper noun", "N"},
    {"v", "W"},
    {"verb", "W"},
    {"vt", "W"},
    {"vi", "W"},
    {"vq", "W"},
    {"adj", "M"},
    {"adjective", "M"},
    {"pro", "TU"},
    {"pron", "TU"},
    {"prn", "TU"},
    {"pers", "TU"},
    {"pronoun", "TU"},
    {"det", "D"},
    {"dtm", "D"},
    {"determiner", "D"},
    {"num", "D"},
    {"numeral", "D"},
    {"prep", "KB"},
    {"postp", "KB"},
    {"pp", "KB"},
    {"adp", "KB"},
    {"preposition", "KB"},
    {"postposition", "KB"},
    {"adposition", "KB"},
    {"conj", "KB"},
    {"conjunction", "KB"},
    {"adv", "KR"},
    {"adverb", "KR"},
    {"interj", "KR"},
    {"intj", "KR"},
    {"interjection", "KR"},
    {"ptcl", "TG"},
    {"prt", "TG"},
    {"particle", "TG"},
    {"aux", "TG"},
    {"auxiliary", "TG"},
    {"pm", "TG"},
    {"cop", "TG"},
    {"copula", "TG"},
};

QString folded(const QString &value)
{
    return value.simplified().toCaseFolded();
}

} // namespace

QString roleName(FieldRole role)
{
    return QLatin1String(roleNames[int(role)]);
}

std::optional<FieldRole> roleFromName(const QString &name)
{
    for (int i = 0; i <= int(FieldRole::Ignore); ++i) {
        if (name == QLatin1String(roleNames[i]))
            return FieldRole(i);
    }
    return std::nullopt;
}

ImportMap ImportMap::standard()
{
    ImportMap map;
    for (const MarkerRole &entry : standardMarkers)
        map.setRole(QLatin1String(entry.marker), entry.role);
    for (const PartOfSpeechTag &entry : standardTags)
        map.setTag(QLatin1String(entry.value), QLatin1String(entry.tag));
    return map;
}

QVector<Diagnostic> ImportMap::read(const QStringList &lines, const QString &fileName)
{
    QVector<Diagnostic> problems;
    const auto error = [&](int line, const QString &message) {
        problems.append({fileName, line, Diagnostic::Error, message});
    };
    const QRegularExpression blanks(QStringLiteral("\\s+"));
    for (int i = 0; i < lines.size(); ++i) {
        const QString line = lines.at(i).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList words = line.split(blanks);
        if (words.first() == QLatin1String("ps")) {
            // The value may hold blanks ("proper noun"); the tag is the last word.
            if (words.size() < 3) {
                error(i + 1, QStringLiteral("a part-of-speech line is \"ps VALUE TAG\""));
                continue;
            }
            setTag(words.mid(1, words.size() - 2).join(QLatin1Char(' ')), words.last());
            continue;
        }
        if (!words.first().startsWith(QLatin1Char('\\')) || words.first().size() < 2 ||
            words.size() != 2) {
            error(i + 1, QStringLiteral("a line is \"\\marker role\" or \"ps VALUE TAG\""));
            continue;
        }
        const std::optional<FieldRole> role = roleFromName(words.at(1));
        if (!role) {
            QStringList known;
            for (int k = 0; k <= int(FieldRole::Ignore); ++k)
                known.append(roleName(FieldRole(k)));
            error(i + 1, QStringLiteral("unknown role \"%1\"; the roles are: %2")
                             .arg(words.at(1), known.join(QStringLiteral(", "))));
            continue;
        }
        setRole(words.first(), *role);
    }
    if (m_recordMarker.isEmpty())
        error(0, QStringLiteral("no marker has the role \"headword\", so no record can begin"));
    return problems;
}

std::optional<FieldRole> ImportMap::role(const QString &marker) const
{
    const auto found = m_roles.constFind(marker);
    if (found == m_roles.constEnd())
        return std::nullopt;
    return *found;
}

QString ImportMap::tag(const QString &partOfSpeech) const
{
    return m_tags.value(folded(partOfSpeech));
}

void ImportMap::setRole(const QString &marker, FieldRole role)
{
    if (role == FieldRole::Headword) {
        m_roles.remove(m_recordMarker);
        m_recordMarker = marker;
    } else if (marker == m_recordMarker) {
        m_recordMarker.clear();
    }
    m_roles.insert(marker, role);
}

void ImportMap::setTag(const QString &partOfSpeech, const QString &tag)
{
    m_tags.insert(folded(partOfSpeech), tag);
}
