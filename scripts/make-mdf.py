#!/usr/bin/env python3
"""Writes a synthetic dictionary database with MDF markers, for timing the importer.

Usage: python3 scripts/make-mdf.py [--records N] [--seed S] OUTPUT

The records are made of random Bambara-like syllables with tone marks (some written
decomposed), and have what real databases have: homonym numbers, parts of speech, two
senses, English and French glosses, examples with translations wrapped over two lines,
definitions, sub-entries, variants, cross-references, notes and a date field the default map does not
know. The default, 13 000 records, makes a file of about 2.5 MB. The same arguments
always write the same bytes.
"""

import argparse
import random
import unicodedata

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


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--records", type=int, default=13000)
    parser.add_argument("--seed", type=int, default=1)
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
            record(rng, headword, number if homonyms > 1 else 0, lines)
            written += 1
    with open(args.output, "w", encoding="utf-8", newline="\n") as out:
        out.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
