#!/usr/bin/env bash
# Mutation check: applies each deliberate fault of scripts/mutants.txt, or faults drawn
# at random by scripts/random-mutants.py, to the shipped sources, one at a time, rebuilds,
# runs the test suite and reports which faults the suite kills and which survive. A
# developer tool; CI does not run it.
#
#   scripts/mutation.sh [--build DIR] [--only ID[,ID...]] [--list] [--timeout S] [--mutants FILE]
#   scripts/mutation.sh --seed S [--count N] [--only GLOB] [--build DIR] [--list] [--timeout S]
#
# Every mutated source is restored byte for byte from a copy, after each fault and on
# any exit (error, Ctrl-C, kill). The restored file gets a fresh modification time, so
# that every build directory compiles it again instead of keeping the mutant's object.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
mutants_file="$root/scripts/mutants.txt"
build_dir="$root/build-mutation"
only=""
list_only=0
test_timeout=120
excluded_tests='^(debpackage|bench_smoke|fuzz_.*)$'
seed=""
count=""

usage() {
    cat <<'EOF'
Usage: scripts/mutation.sh [--build DIR] [--only ID[,ID...]] [--list] [--timeout S] [--mutants FILE]
       scripts/mutation.sh --seed S [--count N] [--only GLOB] [--build DIR] [--list] [--timeout S]

Applies each fault listed in scripts/mutants.txt to its source file, one at a time,
rebuilds DIR incrementally and runs the test suite (without debpackage and bench_smoke;
a test still running after 120 s is stopped, and that kills the fault). Prints how many
faults the suite kills, which survive, which do not apply (their text is missing or not
unique in the file) and which do not compile, and writes the same to
DIR/mutation-results.txt; the build and test output of each fault goes to
DIR/mutation-logs/.

  --build DIR   the build directory (default: build-mutation at the repository root);
                configured as RelWithDebInfo with the tests
  --only IDS    run only these faults (comma-separated ids)
  --list        list the faults and whether each applies; build nothing
  --timeout S   stop a test after S seconds instead of 120
  --mutants F   read the faults from F instead of scripts/mutants.txt (its format is
                described at the top of that file)

Random faults: with --seed (or --count), N faults (default 40) are drawn at random by
scripts/random-mutants.py from the sources of data/, window/, input/, highlighting/,
app/ and tools/ (one token on one line: a comparison flipped, && for ||, a condition
negated, a number off by one, a statement deleted, a failure returned as success) and
run instead of the list; the same seed draws the same faults. The run stops the suite
at the first failing test, and the results go to DIR/mutation-results-seedS.txt.
  --seed S      the seed of the draw (a whole number)
  --count N     how many faults to draw (default 40; the first N of a larger count)
  --only GLOB   draw only from the source files matching GLOB (as 'tools/*' or
                'data/entrylookup.cpp')

Only the test programs and the programs they run are built, and a test runs only when
its program, or a program it runs, differs from the unmutated build.

Exit status: 0 when the run completed (whatever the score), 1 when the unmutated suite
fails or the build cannot be set up, 2 on unusable arguments or fault list.
EOF
}

while [ $# -gt 0 ]; do
    case "$1" in
    --build)
        [ $# -ge 2 ] || { usage >&2; exit 2; }
        build_dir="$2"
        shift 2
        ;;
    --only)
        [ $# -ge 2 ] || { usage >&2; exit 2; }
        only="$2"
        shift 2
        ;;
    --mutants)
        [ $# -ge 2 ] || { usage >&2; exit 2; }
        mutants_file="$(cd "$(dirname "$2")" && pwd)/$(basename "$2")"
        shift 2
        ;;
    --timeout)
        [ $# -ge 2 ] && [[ "$2" =~ ^[1-9][0-9]*$ ]] || { usage >&2; exit 2; }
        test_timeout="$2"
        shift 2
        ;;
    --seed)
        [ $# -ge 2 ] && [[ "$2" =~ ^[0-9]+$ ]] || { usage >&2; exit 2; }
        seed="$2"
        shift 2
        ;;
    --count)
        [ $# -ge 2 ] && [[ "$2" =~ ^[1-9][0-9]*$ ]] || { usage >&2; exit 2; }
        count="$2"
        shift 2
        ;;
    --list) list_only=1; shift ;;
    -h | --help) usage; exit 0 ;;
    *)
        echo "mutation.sh: unknown argument '$1'" >&2
        usage >&2
        exit 2
        ;;
    esac
done
case "$build_dir" in
/*) ;;
*) build_dir="$PWD/$build_dir" ;;
esac
results_name="mutation-results.txt"
if [ -n "$seed$count" ]; then
    # Random faults: drawn into a fault list of their own, which the rest reads as usual.
    seed="${seed:-1}"
    count="${count:-40}"
    mkdir -p "$build_dir"
    mutants_file="$build_dir/random-faults-seed$seed.txt"
    python3 "$root/scripts/random-mutants.py" --root "$root" --seed "$seed" --count "$count" \
        --only "$only" -o "$mutants_file" || exit 2
    only=""
    results_name="mutation-results-seed$seed.txt"
fi

# --------------------------------------------------------------------------------------
# The fault list: reading it and applying one fault, in Python (exact text, no patterns).
mutants_py() {
    python3 - "$@" <<'PY'
import os, re, sys

def fail(message, status=2):
    print("mutation.sh: " + message, file=sys.stderr)
    sys.exit(status)

def unescape(value, where):
    out, i = [], 0
    while i < len(value):
        c = value[i]
        if c != "\\":
            out.append(c); i += 1; continue
        nxt = value[i + 1] if i + 1 < len(value) else ""
        repl = {"n": "\n", "t": "\t", "s": " ", "\\": "\\"}.get(nxt)
        if repl is None:
            fail(f"{where}: unknown escape '\\{nxt}' (use \\n, \\t, \\s or \\\\)")
        out.append(repl); i += 2
    return "".join(out)

def read_mutants(path):
    fields = ("id", "file", "what", "from", "to")
    records, current, start = [], {}, 0
    def finish():
        if not current:
            return
        where = f"{path}:{start}"
        missing = [f for f in fields if f not in current]
        if missing:
            fail(f"{where}: record without {', '.join(missing)}")
        if not re.fullmatch(r"[A-Za-z0-9_-]+", current["id"]):
            fail(f"{where}: id '{current['id']}' is not letters, digits, '-' and '_'")
        if current["file"].startswith("/") or ".." in current["file"].split("/"):
            fail(f"{where}: file '{current['file']}' is not a path inside the repository")
        for f in ("id", "file", "what", "from"):
            if not current[f]:
                fail(f"{where}: empty '{f}'")
        if current["from"] == current["to"]:
            fail(f"{where}: 'from' and 'to' are the same text")
        records.append(dict(current))
    with open(path, encoding="utf-8") as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip("\n")
            if line.startswith("#"):
                continue
            if not line.strip():
                finish(); current.clear(); continue
            m = re.match(r"([a-z]+):(.*)$", line)
            if not m or m.group(1) not in fields:
                fail(f"{path}:{number}: expected 'id:', 'file:', 'what:', 'from:' or 'to:'")
            key, value = m.group(1), m.group(2).strip(" \t")
            if key in current:
                fail(f"{path}:{number}: '{key}' given twice in one record")
            if not current:
                start = number
            current[key] = unescape(value, f"{path}:{number}") if key in ("from", "to") else value
        finish()
    ids = [r["id"] for r in records]
    for i in set(ids):
        if ids.count(i) > 1:
            fail(f"{path}: id '{i}' is used twice")
    if not records:
        fail(f"{path}: no faults")
    return records

def check(root, record):
    """None when the fault applies, else why it does not."""
    path = os.path.join(root, record["file"])
    if not os.path.isfile(path):
        return f"no file {record['file']}"
    with open(path, encoding="utf-8", newline="") as f:
        text = f.read()
    count = text.count(record["from"])
    if count == 0:
        return "its text is not in the file"
    if count > 1:
        return f"its text occurs {count} times in the file"
    return None

command, path = sys.argv[1], sys.argv[2]
records = read_mutants(path)
if command == "records":
    # id, file, description, and why it does not apply (empty when it does), tab-separated.
    root = sys.argv[3]
    wanted = [w for w in sys.argv[4].split(",") if w] if len(sys.argv) > 4 else []
    known = {r["id"] for r in records}
    for w in wanted:
        if w not in known:
            fail(f"no fault with id '{w}' in {path}")
    for r in records:
        if wanted and r["id"] not in wanted:
            continue
        print("\t".join([r["id"], r["file"], r["what"], check(root, r) or ""]))
elif command == "apply":
    # Writes the mutated text of the fault's file to OUTPUT; exit 3 when it does not apply.
    root, wanted, output = sys.argv[3], sys.argv[4], sys.argv[5]
    record = next(r for r in records if r["id"] == wanted)
    reason = check(root, record)
    if reason:
        print(reason)
        sys.exit(3)
    with open(os.path.join(root, record["file"]), encoding="utf-8", newline="") as f:
        text = f.read()
    with open(output, "w", encoding="utf-8", newline="") as f:
        f.write(text.replace(record["from"], record["to"], 1))
else:
    fail(f"unknown command {command}")
PY
}

# A fault list that cannot be read stops the run before anything is touched.
mutants_py records "$mutants_file" "$root" "$only" >/dev/null

# --------------------------------------------------------------------------------------
# Keeping the sources intact. While a fault is applied, $backup holds the original file,
# its path and the mutated text; restore puts the original back, on every exit too.
backup="$build_dir/mutation-backup"

restore() {
    [ -f "$backup/path" ] || return 0
    local rel target
    rel="$(cat "$backup/path")"
    target="$root/$rel"
    cp "$backup/original" "$target"
    touch "$target"
    if ! cmp -s "$backup/original" "$target"; then
        echo "mutation.sh: could not restore $rel; its original is in $backup/original" >&2
        return 1
    fi
    rm -rf "$backup"
}

# A run that was killed outright (SIGKILL, power loss) leaves its backup behind: the
# mutated file is put back if nobody has changed it since.
recover() {
    [ -f "$backup/path" ] || { rm -rf "$backup"; return 0; }
    local rel target
    rel="$(cat "$backup/path")"
    target="$root/$rel"
    if cmp -s "$backup/mutated" "$target"; then
        echo "mutation.sh: restoring $rel, left mutated by an interrupted run" >&2
        restore
    elif cmp -s "$backup/original" "$target"; then
        rm -rf "$backup"
    else
        echo "mutation.sh: $rel has changed since an interrupted run mutated it;" \
            "compare it with $backup/original and remove $backup" >&2
        exit 1
    fi
}

# Builds and test runs run in a session of their own, so that an interrupted run can stop
# them as a whole before it restores the source (bash would not act on Ctrl-C while a
# foreground command that catches it, like the build, is running).
child=""
run_child() {
    setsid "$@" &
    child=$!
    local status=0
    wait "$child" || status=$?
    child=""
    return "$status"
}

on_exit() {
    local status=$?
    trap - EXIT INT TERM HUP
    if [ -n "$child" ]; then
        kill -TERM -- "-$child" 2>/dev/null || kill -TERM "$child" 2>/dev/null || true
        wait "$child" 2>/dev/null || true
    fi
    restore || status=1
    exit "$status"
}
trap on_exit EXIT
trap 'exit 130' INT
trap 'exit 143' TERM
trap 'exit 129' HUP

recover
records="$(mutants_py records "$mutants_file" "$root" "$only")"

if [ "$list_only" = 1 ]; then
    while IFS=$'\t' read -r id file what reason; do
        printf '%-34s %-36s %s%s\n' "$id" "$file" "$what" "${reason:+   [does not apply: $reason]}"
    done <<<"$records"
    exit 0
fi

# --------------------------------------------------------------------------------------
# The build and the suite.
mkdir -p "$build_dir"
logs="$build_dir/mutation-logs"
results="$build_dir/$results_name"
mkdir -p "$logs"

configure() {
    local generator=()
    if [ ! -f "$build_dir/CMakeCache.txt" ] && command -v ninja >/dev/null; then
        generator=(-G Ninja)
    fi
    local launcher=()
    if command -v ccache >/dev/null; then
        launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    fi
    run_child cmake -S "$root" -B "$build_dir" "${generator[@]}" "${launcher[@]}" \
        -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON
}

# What the suite needs: every test program and the programs the tests run (the viewer,
# the benchmark and the screenshot tool are not built).
build_targets=()
build() {
    run_child cmake --build "$build_dir" -j2 ${build_targets[@]:+--target "${build_targets[@]}"}
}

# The programs of the suite. `programs_py baseline` writes, for every test, its program
# and the programs of the build whose path it holds (those it runs), each with its hash,
# to $build_dir/mutation-programs.json, and prints the targets to build;
# `programs_py changed` prints the tests whose program, or a program they run, now
# differs from that record, as a ctest pattern ("" when none).
programs_py() {
    python3 - "$1" "$build_dir" "$excluded_tests" <<'PY'
import hashlib, json, os, re, subprocess, sys

command, build, excluded = sys.argv[1:4]
record_path = os.path.join(build, "mutation-programs.json")

def digest(path):
    try:
        with open(path, "rb") as f:
            return hashlib.sha1(f.read()).hexdigest()
    except OSError:
        return ""

if command == "baseline":
    shown = subprocess.run(["ctest", "--test-dir", build, "--show-only=json-v1"],
                           check=True, capture_output=True, text=True).stdout
    tests = {}
    for test in json.loads(shown)["tests"]:
        if re.fullmatch(excluded.strip("^$"), test["name"]) or not test.get("command"):
            continue
        tests[test["name"]] = os.path.realpath(test["command"][0])
    programs = sorted({p for p in tests.values() if p.startswith(build + os.sep)})
    # The programs of app/ and tools/, in their folders at any depth (tools/sample/ holds
    # lexora-import), but not CMake's own.
    for sub in ("app", "tools"):
        for folder, dirs, names in sorted(os.walk(os.path.join(build, sub))):
            dirs[:] = sorted(d for d in dirs if d != "CMakeFiles" and not d.endswith("_autogen"))
            for name in sorted(names):
                path = os.path.join(folder, name)
                if os.path.isfile(path) and os.access(path, os.X_OK):
                    programs.append(path)
    record = {"tests": {}, "hashes": {p: digest(p) for p in programs}}
    for name, program in tests.items():
        runs = [program]
        if program in record["hashes"]:
            with open(program, "rb") as f:
                body = f.read()
            # A path written as a QString literal is held in UTF-16.
            runs += [p for p in programs if p != program and
                     (p.encode() in body or p.encode("utf-16-le") in body)]
        record["tests"][name] = runs
    with open(record_path, "w") as f:
        json.dump(record, f)
    needed = {p for runs in record["tests"].values() for p in runs if p in record["hashes"]}
    print(" ".join(sorted(os.path.basename(p) for p in needed)))
else:
    with open(record_path) as f:
        record = json.load(f)
    now = {p: digest(p) for p in record["hashes"]}
    changed = [name for name, runs in record["tests"].items()
               if any(p not in now or now[p] != record["hashes"][p] for p in runs)]
    print("^(" + "|".join(re.escape(n) for n in sorted(changed)) + ")$" if changed else "")
PY
}

# Runs the suite; sets `failures` to the failing tests as "name (reason)", one per line.
# The tests carry their own, longer time limit, which ctest's --timeout does not shorten,
# so a test that has run for $test_timeout seconds is stopped here; it counts as failed.
failures=""
run_suite() {
    local log="$1" selection="${2:-}" status=0 stopped="" pid name
    local -A since=() # "pid program" of each test process -> when it was first seen
    local options=(-E "$excluded_tests" -j2)
    [ -z "$selection" ] || options+=(-R "$selection")
    [ -z "$seed" ] || options+=(--stop-on-failure)
    setsid env QT_QPA_PLATFORM=offscreen ctest --test-dir "$build_dir" "${options[@]}" \
        >"$log" 2>&1 &
    child=$!
    while kill -0 "$child" 2>/dev/null; do
        while read -r pid name; do
            [ -n "${since["$pid $name"]:-}" ] || since["$pid $name"]=$SECONDS
            if [ $((SECONDS - since["$pid $name"])) -ge "$test_timeout" ] &&
                kill -TERM "$pid" 2>/dev/null; then
                stopped+="${name##*/} (stopped after $test_timeout s)"$'\n'
                since["$pid $name"]=$((SECONDS + 1000000))
            fi
        done < <(ps -o pid=,args= --ppid "$child" | awk '{ print $1, $2 }')
        sleep 1
    done
    wait "$child" || status=$?
    child=""
    failures="$(sed -n 's/^[[:space:]]*[0-9]\+ - \(.*\) (\(.*\))$/\1 (\2)/p' "$log")"
    failures="$(printf '%s%s' "$stopped" "$failures" | awk 'NF && !seen[$1]++')"
    if [ "$status" -ne 0 ] && [ -z "$failures" ]; then
        failures="ctest (exit status $status, see $log)"
    fi
}

started=$SECONDS
revision="$(git -C "$root" describe --always --dirty 2>/dev/null || echo 'unknown revision')"
echo "== Configuring and building $build_dir unmutated"
if ! { configure && build; } >"$logs/unmutated.build.log" 2>&1 ||
    ! targets="$(programs_py baseline)"; then
    tail -n 30 "$logs/unmutated.build.log" >&2
    echo "mutation.sh: the unmutated sources do not build; see $logs/unmutated.build.log" >&2
    exit 1
fi
read -r -a build_targets <<<"$targets"
echo "== Running the unmutated suite"
run_suite "$logs/unmutated.test.log"
if [ -n "$failures" ]; then
    echo "mutation.sh: the unmutated suite fails, so no fault can be judged:" >&2
    echo "$failures" | sed 's/^/  /' >&2
    exit 1
fi
echo "   passes ($(grep -c 'Test *#' "$logs/unmutated.test.log") tests)"

# --------------------------------------------------------------------------------------
# One fault at a time.
total=0
killed=()
survived=()
not_applicable=()
no_compile=()
: >"$results.part"

record() { # id status detail what
    printf '%s\t%s\t%s\t%s\n' "$1" "$2" "$3" "$4" >>"$results.part"
}

while IFS=$'\t' read -r id file what reason; do
    total=$((total + 1))
    t0=$SECONDS
    printf '[%d] %s (%s) ... ' "$total" "$id" "$file"
    if [ -n "$reason" ]; then
        echo "does not apply: $reason"
        not_applicable+=("$id")
        record "$id" "does-not-apply" "$reason" "$what"
        continue
    fi
    mkdir -p "$backup"
    cp "$root/$file" "$backup/original"
    if ! why="$(mutants_py apply "$mutants_file" "$root" "$id" "$backup/mutated")"; then
        rm -rf "$backup"
        echo "does not apply: $why"
        not_applicable+=("$id")
        record "$id" "does-not-apply" "$why" "$what"
        continue
    fi
    printf '%s\n' "$file" >"$backup/path"
    cp "$backup/mutated" "$root/$file"

    if ! build >"$logs/$id.build.log" 2>&1; then
        restore
        echo "did not compile ($((SECONDS - t0)) s)"
        no_compile+=("$id")
        record "$id" "did-not-compile" "see mutation-logs/$id.build.log" "$what"
        continue
    fi
    selection="$(programs_py changed)"
    if [ -z "$selection" ]; then
        restore
        echo "SURVIVED: no test program changed ($((SECONDS - t0)) s)"
        survived+=("$id")
        record "$id" "survived" "no test program changed" "$what"
        continue
    fi
    run_suite "$logs/$id.test.log" "$selection"
    restore
    if [ -n "$failures" ]; then
        by="$(echo "$failures" | paste -sd ',' - | sed 's/,/, /g')"
        echo "killed by $by ($((SECONDS - t0)) s)"
        killed+=("$id")
        record "$id" "killed" "$by" "$what"
    else
        echo "SURVIVED ($((SECONDS - t0)) s)"
        survived+=("$id")
        record "$id" "survived" "" "$what"
    fi
done <<<"$records"

# --------------------------------------------------------------------------------------
applicable=$((total - ${#not_applicable[@]} - ${#no_compile[@]}))
{
    echo "Mutation check of $revision${seed:+, random faults --seed $seed --count $count}" \
        "($(date '+%Y-%m-%d %H:%M'), $(((SECONDS - started) / 60)) min)"
    echo
    echo "faults:          $total"
    echo "killed:          ${#killed[@]}"
    echo "survived:        ${#survived[@]}"
    echo "does not apply:  ${#not_applicable[@]}"
    echo "did not compile: ${#no_compile[@]}"
    echo "score:           ${#killed[@]}/$applicable (killed / faults that applied and compiled)"
    for kind in survived does-not-apply did-not-compile; do
        if grep -q "	$kind	" "$results.part"; then
            echo
            echo "$kind:"
            awk -F '\t' -v kind="$kind" '$2 == kind {
                printf "  %-34s %s%s\n", $1, $4, ($3 == "" ? "" : "  [" $3 "]") }' "$results.part"
        fi
    done
    echo
    echo "every fault (id, outcome, killing tests or reason, description):"
    sed 's/^/  /' "$results.part"
} >"$results"
rm -f "$results.part"
echo
cat "$results"
echo
echo "Written to $results"
