#!/usr/bin/env python3
"""Writes a synthetic dictionary database with MDF markers, for timing the importer.

Usage: python3 scripts/make-mdf.py [--records N] [--seed S] [--senses] [--lift] OUTPUT

The records are made of random Bambara-like syllables with tone marks (some written
decomposed), and have what real databases have: homonym numbers, parts of speech, two
senses, English and French glosses, examples with translations wrapped over two lines,
definitions, sub-entries, variants, cross-references, notes and a date field the default map does not
know. The default, 13 000 records, makes a file of about 2.5 MB. With --lift the same
records are written as a LIFT file instead (entries, senses, glosses in English and
French, examples, variants, relations by id). With --senses the records are shaped as
real ones with several meanings are: senses numbered 1.1, 1.2, 2, 3 (\\sn), each with its
own French gloss, often a definition and an example, and glosses, definitions and
translations holding parentheses and brackets, as "aider (à -- mà)" or "c'est sa mère
(la mère de lui, d'elle)". The same arguments always write the same bytes.
"""

import argparse
import random
import unicodedata
from xml.sax.saxutils import escape, quoteattr

ONSETS = ["b", "d", "f", "g", "h", "j", "k", "l", "m", "n", "ɲ", "ŋ", "p", "s", "t", "w", "y", "c", "r"]
VOWELS = ["a", "e", "ɛ", "i", "o", "ɔ", "u"]
TONES = ["", "\u0301", "\u0300"]  # none, acute, grave
PARTS_OF_SPEECH = ["n", "v", "adj", "adv", "pp", "conj", "prn", "ptcl", "num", "intj"]
WORDS = ["water", "house", "field", "child", "market", "road", "tree", "night", "rain",
         "work", "song", "village", "river", "friend", "fire", "bread", "morning", "name"]
MOTS = ["eau", "maison", "champ", "enfant", "marché", "route", "arbre", "nuit", "pluie",
        "travail", "chanson", "village", "fleuve", "ami", "feu", "pain", "matin", "nom"]


def syllable(rng):
    text = rng.choice(ONSETS) + rng.choice(VOWELS) + rng.choice(TONES)
    if rng.random() < 0.2:
        text += "n"
    return text


def word(rng, syllables):
    text = "".join(syllable(rng) for _ in range(syllables))
    # Most databases hold composed characters; some tools write them decomposed.
    form = "NFD" if rng.random() < 0.3 else "NFC"
    return unicodedata.normalize(form, text)


def sentence(rng):
    return " ".join(word(rng, rng.randint(1, 2)) for _ in range(rng.randint(3, 6))).capitalize()


def record(rng, headword, homonym, lines):
    lines.append("\\lx " + headword)
    if homonym:
        lines.append("\\hm %d" % homonym)
    lines.append("\\ps " + rng.choice(PARTS_OF_SPEECH))
    for sense in range(1, rng.choice([2, 2, 3]) if rng.random() < 0.3 else 2):
        lines.append("\\sn %d" % sense)
        k = rng.randrange(len(WORDS))
        lines.append("\\ge " + WORDS[k])
        lines.append("\\gn " + MOTS[k])
    if rng.random() < 0.5:
        lines.append("\\de a kind of " + rng.choice(WORDS) + " used for " + rng.choice(WORDS))
    lines.append("\\xv " + sentence(rng) + ".")
    lines.append("\\xe The " + rng.choice(WORDS) + " of the " + rng.choice(WORDS))
    lines.append("    is near the " + rng.choice(WORDS) + ".")
    if rng.random() < 0.2:
        lines.append("\\va " + headword + word(rng, 1))
    if rng.random() < 0.2:
        lines.append("\\cf " + word(rng, 2))
    if rng.random() < 0.3:
        lines.append("\\nt Heard in " + rng.choice(MOTS) + ", said of a " + rng.choice(WORDS) + ".")
    if rng.random() < 0.15:
        lines.append("\\se " + headword + word(rng, 1))
        lines.append("\\ps n")
        lines.append("\\ge " + rng.choice(WORDS) + " " + rng.choice(WORDS))
    lines.append("\\dt 0%d/Mar/2021" % rng.randint(1, 9))
    lines.append("")


ASIDES = ["(d'un animal)", "(fils, fille, neveu, nièce)", "(à -- mà)", "[figuré]",
          "(la mère de lui, d'elle)", "(ò)", "(surtout au pluriel)", "[vieilli]"]


def record_with_senses(rng, headword, homonym, lines):
    """A record with numbered senses, each with its gloss, definition and example."""
    lines.append("\\lx " + headword)
    if homonym:
        lines.append("\\hm %d" % homonym)
    lines.append("\\ps " + rng.choice(PARTS_OF_SPEECH))
    numbers = rng.choice([["1"], ["1", "2"], ["1.1", "1.2", "2"], ["1.1", "1.2", "2", "3"]])
    for number in numbers:
        if len(numbers) > 1:
            lines.append("\\sn " + number)
        gloss = rng.choice(MOTS)
        if rng.random() < 0.3:
            gloss += " " + rng.choice(ASIDES)
        lines.append("\\gn " + gloss)
        if rng.random() < 0.5:
            lines.append("\\dn " + rng.choice(ASIDES))
        if rng.random() < 0.6:
            lines.append("\\xv " + sentence(rng) + ".")
            translation = "C'est le " + rng.choice(MOTS)
            if rng.random() < 0.4:
                translation += " " + rng.choice(ASIDES)
            lines.append("\\xn " + translation + ".")
    if rng.random() < 0.3:
        lines.append("\\nt Entendu à " + rng.choice(MOTS) + " " + rng.choice(ASIDES) + ".")
    lines.append("\\dt 0%d/Mar/2021" % rng.randint(1, 9))
    lines.append("")


def mdf_to_lift(lines):
    """The records of MDF lines as a LIFT document (sub-entries become entries with a
    component relation to their main entry)."""
    entries = []
    for line in lines:
        if line.startswith("\\_") or not line.strip():
            continue
        if not line.startswith("\\"):
            entries[-1]["fields"][-1][1] += " " + line.strip()
            continue
        marker, _, value = line.partition(" ")
        if marker in ("\\lx", "\\se"):
            main = entries[-1]["id"] if marker == "\\se" and entries else None
            entries.append({"id": "e%d" % len(entries), "main": main, "fields": []})
        entries[-1]["fields"].append([marker, value])
    ids = {}
    out = ['<?xml version="1.0" encoding="UTF-8"?>', '<lift version="0.13">']
    for entry in entries:
        fields = entry["fields"]
        ids.setdefault(unicodedata.normalize("NFC", fields[0][1]), entry["id"])
    for entry in entries:
        fields = dict()
        order = ""
        senses = []
        body = []
        for marker, value in entry["fields"]:
            text = escape(value)
            if marker in ("\\lx", "\\se"):
                body.append('<lexical-unit><form lang="bm"><text>%s</text></form></lexical-unit>' % text)
            elif marker == "\\hm":
                order = ' order="%s"' % value
            elif marker == "\\ps":
                senses.append({"ps": value, "items": []})
            elif marker == "\\sn" and senses and senses[-1]["items"]:
                senses.append({"ps": senses[-1]["ps"], "items": []})
            elif marker == "\\ge":
                senses[-1]["items"].append('<gloss lang="en"><text>%s</text></gloss>' % text)
            elif marker == "\\gn":
                senses[-1]["items"].append('<gloss lang="fr"><text>%s</text></gloss>' % text)
            elif marker == "\\de":
                senses[-1]["items"].append('<definition><form lang="en"><text>%s</text></form></definition>' % text)
            elif marker == "\\xv":
                senses[-1]["items"].append('<example><form lang="bm"><text>%s</text></form>' % text)
            elif marker == "\\xe":
                senses[-1]["items"][-1] += ('<translation><form lang="en"><text>%s</text></form>'
                                            '</translation></example>' % text)
            elif marker == "\\va":
                body.append('<variant><form lang="bm"><text>%s</text></form></variant>' % text)
            elif marker == "\\cf":
                target = ids.get(unicodedata.normalize("NFC", value))
                if target:
                    body.append('<relation type="compare" ref="%s"/>' % target)
            elif marker == "\\nt":
                body.append('<note><form lang="en"><text>%s</text></form></note>' % text)
            elif marker == "\\dt":
                body.append('<field type="date"><form lang="en"><text>%s</text></form></field>' % text)
        if entry["main"]:
            body.append('<relation type="_component-lexeme" ref="%s"/>' % entry["main"])
        for sense in senses:
            body.append('<sense><grammatical-info value=%s/>%s</sense>'
                        % (quoteattr(sense["ps"]), "".join(sense["items"])))
        out.append('<entry id="%s"%s>' % (entry["id"], order))
        out.extend(body)
        out.append("</entry>")
    out.append("</lift>")
    return out


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--records", type=int, default=13000)
    parser.add_argument("--seed", type=int, default=1)
    parser.add_argument("--lift", action="store_true", help="write LIFT instead of MDF")
    parser.add_argument("--senses", action="store_true",
                        help="numbered senses with definitions, examples and parentheses")
    parser.add_argument("output")
    args = parser.parse_args()
    rng = random.Random(args.seed)
    lines = ["\\_sh v3.0  400  MDF 4.0", "\\_DateStampHasFourDigitYear", ""]
    written = 0
    while written < args.records:
        headword = word(rng, rng.randint(1, 3))
        homonyms = 2 if rng.random() < 0.08 else 1
        for number in range(1, homonyms + 1):
            if written == args.records:
                break
            make = record_with_senses if args.senses else record
            make(rng, headword, number if homonyms > 1 else 0, lines)
            written += 1
    if args.lift:
        lines = mdf_to_lift(lines)
    with open(args.output, "w", encoding="utf-8", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
