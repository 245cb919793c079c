#!/usr/bin/env python3
"""Draws single-token faults at random from the shipped C++ sources, for scripts/mutation.sh.

    scripts/random-mutants.py --seed S --count N [--only GLOB] [--root DIR] [-o FILE]

Writes the faults in the record format of scripts/mutants.txt (to FILE, or to standard
output), so that mutation.sh applies, builds, tests and restores them as it does the
curated ones. The same seed, count, glob and sources always give the same faults.

Where faults are drawn: the .cpp and .h files under data/, window/, input/,
highlighting/, app/ and tools/ known to git. Every line of code that holds at least one
place to mutate has the same chance, so files are drawn by their size; N distinct lines
are drawn, and one fault on each. Comments, string and character literals and
preprocessor lines are never touched. The kinds of fault:

  comparison    a comparison flipped: == and != swapped, < <= > >= moved across the
                boundary or turned round (written with blanks around it, as clang-format
                writes a comparison and never a template's brackets)
  logic         && turned into || and back
  negate        the condition of an if or a while negated
  number        an integer literal one more or one less
  delete        a whole statement of one line deleted: a call, an assignment, ++/--,
                break or continue
  success       a failure returned as success: return false -> return true, return
                Problems/Unusable -> return Success (Outcome::Clean), return 1/2 -> return 0
                in a program's main file
"""
import argparse
import fnmatch
import os
import random
import re
import subprocess
import sys

AREAS = ("data/", "window/", "input/", "highlighting/", "app/", "tools/")
MAIN_FILES = ("tools/main.cpp", "tools/sample/import.cpp", "app/main.cpp")


def code_mask(text):
    """A copy of text in which every character of a comment, a string or character literal
    and a preprocessor line is replaced by \x01 (line breaks are kept)."""
    out = list(text)
    i, n = 0, len(text)
    line_start = True
    while i < n:
        c = text[i]
        if c == "\n":
            line_start = True
            i += 1
            continue
        if line_start and c in " \t":
            i += 1
            continue
        if line_start and c == "#":
            # A preprocessor line, with its continuations.
            while i < n and text[i] != "\n":
                if text[i] == "\\" and i + 1 < n and text[i + 1] == "\n":
                    out[i] = "\x01"
                    i += 2
                    continue
                out[i] = "\x01"
                i += 1
            continue
        line_start = False
        if text.startswith("//", i):
            while i < n and text[i] != "\n":
                out[i] = "\x01"
                i += 1
            continue
        if text.startswith("/*", i):
            end = text.find("*/", i + 2)
            end = n if end < 0 else end + 2
            for j in range(i, end):
                if text[j] != "\n":
                    out[j] = "\x01"
            i = end
            continue
        if c in "\"'":
            # A digit separator (1'000) is not a literal; the sources use none.
            j = i + 1
            while j < n and text[j] != c and text[j] != "\n":
                j += 2 if text[j] == "\\" else 1
            for k in range(i, min(j + 1, n)):
                out[k] = "\x01"
            i = j + 1
            continue
        i += 1
    return "".join(out)


def matching_paren(masked, open_at):
    depth = 0
    for j in range(open_at, len(masked)):
        if masked[j] == "(":
            depth += 1
        elif masked[j] == ")":
            depth -= 1
            if depth == 0:
                return j
    return -1


COMPARISONS = {
    "==": ["!="],
    "!=": ["=="],
    "<": ["<=", ">="],
    "<=": ["<", ">"],
    ">": [">=", "<="],
    ">=": [">", "<"],
}
CALL = re.compile(r"(emit\s+)?[A-Za-z_][\w:.\->\[\]]*(<[\w:, ]*>)?\(.*\)")
ASSIGNMENT = re.compile(r"[*]?[A-Za-z_][\w.\->\[\]]*\s*([-+*/|&^]|<<|>>)?=\s.*")
STEP = re.compile(r"(\+\+|--)[A-Za-z_][\w.\->\[\]]*|[A-Za-z_][\w.\->\[\]]*(\+\+|--)")
NOT_CALLS = re.compile(r"(return|delete|throw|Q_[A-Z_]+|static_assert)\b")


def sites(rel, text):
    """Every fault that can be made in text: (start, end, replacement, kind) where the
    characters start..end of text are replaced."""
    masked = code_mask(text)
    found = []
    for m in re.finditer(r"(?<= )(==|!=|<=|>=|<|>)(?= )", masked):
        for to in COMPARISONS[m.group(1)]:
            found.append((m.start(), m.end(), to, "comparison"))
    for m in re.finditer(r"(?<= )(&&|\|\|)(?= )", masked):
        found.append((m.start(), m.end(), "||" if m.group(1) == "&&" else "&&", "logic"))
    for m in re.finditer(r"\b(if|while) \(", masked):
        open_at = m.end() - 1
        close = matching_paren(masked, open_at)
        if close < 0:
            continue
        inner = text[open_at + 1 : close]
        if ";" in masked[open_at + 1 : close]:
            continue  # an if with an initialiser: negating it would not compile
        found.append((open_at, close + 1, "(!(" + inner + "))", "negate"))
    for m in re.finditer(r"(?<![\w.])(0[xX][0-9a-fA-F]+|\d+)(?![\w.'])", masked):
        token = m.group(1)
        hexadecimal = token[:2].lower() == "0x"
        value = int(token, 16 if hexadecimal else 10)
        for new in (value + 1, value - 1):
            if new < 0:
                continue
            to = ("0x%0*X" % (len(token) - 2, new)) if hexadecimal else str(new)
            found.append((m.start(), m.end(), to, "number"))
    # Statements of one line: the line holds the whole statement and the code before it
    # ends one (so that it is neither a continuation nor the body of an if without braces).
    offset, previous_end = 0, ";"
    for line in masked.split("\n"):
        stripped = line.replace("\x01", "").strip()
        code = line.strip()
        if code.endswith(";") and "\x01" not in code:
            statement = code[:-1].strip()
            whole = (
                previous_end in (";", "{", "}", ":")
                and statement.count("(") == statement.count(")")
                and not NOT_CALLS.match(statement)
                and (
                    statement in ("break", "continue")
                    or CALL.fullmatch(statement)
                    or ASSIGNMENT.fullmatch(statement)
                    or STEP.fullmatch(statement)
                )
            )
            if whole:
                start = offset + line.index(code[0])
                found.append((start, start + len(code), "", "delete"))
        if stripped:
            previous_end = stripped[-1]
        offset += len(line) + 1
    patterns = [
        (r"\breturn false;", "return true;"),
        (r"\breturn (Problems|Unusable);", "return Success;"),
        (r"\breturn Outcome::(Problems|Unusable);", "return Outcome::Clean;"),
    ]
    if rel in MAIN_FILES:
        patterns.append((r"\breturn [12];", "return 0;"))
    for pattern, to in patterns:
        for m in re.finditer(pattern, masked):
            found.append((m.start(), m.end(), to, "success"))
    return found


def escape(value):
    """The text as a value of a record: backslashes, line breaks, tabs and the blanks at
    either end escaped."""
    value = value.replace("\\", "\\\\").replace("\n", "\\n").replace("\t", "\\t")
    lead = len(value) - len(value.lstrip(" "))
    trail = len(value) - len(value.rstrip(" "))
    if lead == len(value):
        return "\\s" * lead
    return "\\s" * lead + value.strip(" ") + "\\s" * trail


def unique_context(text, start, end):
    """The smallest run of whole lines around start..end that occurs once in text."""
    first = text.rfind("\n", 0, start) + 1
    last = text.find("\n", end)
    last = len(text) if last < 0 else last
    while text.count(text[first:last]) > 1:
        if first > 0:
            first = text.rfind("\n", 0, first - 1) + 1
        elif last < len(text):
            nxt = text.find("\n", last + 1)
            last = len(text) if nxt < 0 else nxt
        else:
            break
    return first, last


def source_files(root, only):
    listed = subprocess.run(
        ["git", "-C", root, "ls-files", "--", *AREAS],
        check=True, capture_output=True, text=True).stdout.split()
    files = sorted(f for f in listed if f.endswith((".cpp", ".h")))
    if only:
        files = [f for f in files if fnmatch.fnmatch(f, only)]
    return files


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--seed", type=int, required=True)
    parser.add_argument("--count", type=int, required=True)
    parser.add_argument("--only", default="", help="only source files matching this glob")
    parser.add_argument("--root", default=os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    parser.add_argument("-o", "--output")
    args = parser.parse_args()
    if args.count < 1:
        parser.error("--count must be at least 1")

    files = source_files(args.root, args.only)
    if not files:
        print(f"random-mutants.py: no source file matches '{args.only}'", file=sys.stderr)
        return 2
    # Every line with at least one site, in a fixed order: (file, line number, its sites).
    lines = []
    texts = {}
    for rel in files:
        with open(os.path.join(args.root, rel), encoding="utf-8", newline="") as f:
            text = f.read()
        texts[rel] = text
        by_line = {}
        for site in sites(rel, text):
            by_line.setdefault(text.count("\n", 0, site[0]) + 1, []).append(site)
        for number in sorted(by_line):
            lines.append((rel, number, sorted(by_line[number])))

    # The lines in an order fixed by the seed, so that the first N faults of a larger
    # count are the N faults of a smaller one; the fault on each line has its own draw.
    order = list(lines)
    random.Random(args.seed).shuffle(order)
    records = []
    for k, (rel, number, line_sites) in enumerate(order[: args.count], 1):
        start, end, to, kind = random.Random(f"{args.seed}/{rel}/{number}").choice(line_sites)
        text = texts[rel]
        first, last = unique_context(text, start, end)
        before = text[first:last]
        after = text[first:start] + to + text[end:last]
        shown = " ".join(text[start:end].split())
        if len(shown) > 60:
            shown = shown[:57] + "..."
        what = f"{rel}:{number}: {kind}: '{shown}' -> '{' '.join(to.split())[:60]}'"
        records.append(
            f"id:   s{args.seed}-{k:02d}\nfile: {rel}\nwhat: {what}\n"
            f"from: {escape(before)}\nto:   {escape(after)}\n")
    header = (f"# {len(records)} faults drawn by scripts/random-mutants.py --seed {args.seed}"
              f" --count {args.count}" + (f" --only '{args.only}'" if args.only else "") + "\n\n")
    output = header + "\n".join(records)
    if args.output:
        with open(args.output, "w", encoding="utf-8") as f:
            f.write(output)
    else:
        sys.stdout.write(output)
    return 0


if __name__ == "__main__":
    sys.exit(main())
