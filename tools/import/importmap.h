#pragma once

#include "diagnostic.h"

#include <QHash>
#include <QString>
#include <QVector>
#include <optional>

// What the fields of a producer's dictionary file mean, for the importers: the role of
// each field marker and the viewer's tag for each part-of-speech value.

// The meaning of a field.
enum class FieldRole {
    Headword,           // begins a record: the word as written, tone marks and all
    HomonymNumber,      // the place of the record among the homographs of its headword
    Form,               // what the head line shows in brackets (default: the headword)
    PartOfSpeech,       // a value of the part-of-speech table
    SenseNumber,        // begins a new sense
    Gloss,              // a short translation: head line and lexicon
    Definition,         // a continuation line
    Example,            // "♦ example. translation"
    ExampleTranslation, // the translation of the example above it
    RelatedUp,          // "↑WORD": a word this one comes from
    RelatedDown,        // "↓WORD": a related word, or one that comes from this one
    Variant,            // another spelling: an entry "VARIANT [form] => HEADWORD"
    MainEntry,          // the record is a variant of this word: "HEADWORD [form] => MAIN"
    SubEntry,           // begins a sub-entry: its own entry, with ↑ to the record's headword
    Note,               // a continuation line
    Synonym,            // "• = WORD"
    Antonym,            // "• ≠ WORD"
    Compare,            // "• cf. WORD": a word to compare, see also
    Reversal,           // a key of the French index in place of the glosses; "*": none
    Ignore,             // left out, counted in the summary
};

// The role names a map file uses ("headword", "gloss", ...), in FieldRole order.
QString roleName(FieldRole role);
std::optional<FieldRole> roleFromName(const QString &name);

class ImportMap
{
public:
    // The built-in map: the standard markers of the MDF set, and the default
    // part-of-speech table.
    static ImportMap standard();

    // Reads a map file's lines on top of this map. A line is "\marker role" or
    // "ps VALUE TAG"; blank lines and lines beginning with "#" are comments. A "headword"
    // line makes its marker the one that begins records, in place of the former one.
    // Problems are errors; the map is usable only when there are none.
    QVector<Diagnostic> read(const QStringList &lines, const QString &fileName);

    // The role of a marker ("\ge"), or nothing when the map does not name it.
    std::optional<FieldRole> role(const QString &marker) const;
    QString recordMarker() const { return m_recordMarker; }

    // The viewer's tag for a part-of-speech value (compared without regard to case and to
    // blanks around it); empty when the table has none.
    QString tag(const QString &partOfSpeech) const;

    void setRole(const QString &marker, FieldRole role);
    void setTag(const QString &partOfSpeech, const QString &tag);

private:
    QHash<QString, FieldRole> m_roles;
    QHash<QString, QString> m_tags; // folded value -> tag
    QString m_recordMarker;
};
