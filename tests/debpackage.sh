#!/usr/bin/env bash
# Makes the .deb from a build tree, unpacks it and starts the unpacked viewer offscreen
# through the launcher its desktop entry runs, from another directory. After a few
# seconds the viewer must still be running, in the launcher's share/lexora and with the
# package's font configuration; any exit (a crash, a missing library, a refused start)
# fails. Then Debian's own checks, those that are installed (desktop-file-validate,
# appstreamcli, lintian), must find no error and no warning.
# Usage: debpackage.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
viewer_pid=
cleanup() {
    if [[ -n "$viewer_pid" ]]; then kill "$viewer_pid" 2>/dev/null || true; fi
    rm -rf "$work"
}
trap cleanup EXIT

if ! (cd "$build" && cpack -G DEB -B "$work/package" >"$work/cpack.log" 2>&1); then
    cat "$work/cpack.log"
    echo "FAIL: cpack could not make the package"
    exit 1
fi
deb=$(ls "$work"/package/*.deb)
echo "package: $(basename "$deb")"

depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
for needed in libqt5widgets5 libqt5core5a libc6 fontconfig fonts-dejavu-core; do
    if ! grep -q "\b$needed\b" <<<"$depends"; then
        echo "FAIL: the package does not depend on $needed"
        exit 1
    fi
done

dpkg-deb -x "$deb" "$work/root"
version=$(dpkg-deb -f "$deb" Version)
changelog=$(find "$work/root" -path '*/doc/lexora/changelog.gz')
if [[ -z "$changelog" ]] || ! zcat "$changelog" | head -n 1 | grep -q "^lexora ($version) "; then
    echo "FAIL: the latest entry of the package's changelog is not that of version $version"
    exit 1
fi

desktop=$(find "$work/root" -path '*/applications/org.lexora.Lexora.desktop')
if [[ -z "$desktop" ]]; then
    echo "FAIL: no desktop entry in the package"
    exit 1
fi
launcher=$(sed -n 's/^Exec=//p' "$desktop")
data=$(dirname "$launcher")
for file in "$launcher" "$data/res/entries.bna" "$data/res/ɛ.bna" \
    "$data/fonts/lexora-fonts.conf"; do
    if [[ ! -e "$work/root$file" ]]; then
        echo "FAIL: the desktop entry runs $launcher, but the package does not hold $file"
        exit 1
    fi
done
for file in bin/lexora bin/lexora-data share/metainfo/org.lexora.Lexora.metainfo.xml \
    share/icons/hicolor/scalable/apps/org.lexora.Lexora.svg; do
    if ! find "$work/root" -path "*/$file" | grep -q .; then
        echo "FAIL: the package does not hold $file"
        exit 1
    fi
done

# The launcher replaces itself with the viewer, so its process is the viewer's.
cd /
QT_QPA_PLATFORM=offscreen "$work/root$launcher" &
viewer_pid=$!
sleep 3
if ! kill -0 "$viewer_pid" 2>/dev/null; then
    set +e
    wait "$viewer_pid"
    echo "FAIL: the unpacked viewer ended by itself with status $?"
    exit 1
fi
exe=$(readlink "/proc/$viewer_pid/exe" || true)
cwd=$(readlink "/proc/$viewer_pid/cwd" || true)
fonts=$(tr '\0' '\n' <"/proc/$viewer_pid/environ" | sed -n 's/^FONTCONFIG_FILE=//p' || true)
kill "$viewer_pid"
wait "$viewer_pid" 2>/dev/null || true
viewer_pid=
if [[ "$exe" != "$(find "$work/root" -path '*/bin/lexora')" ]]; then
    echo "FAIL: the launcher started $exe, not the package's viewer"
    exit 1
fi
if [[ "$cwd" != "$work/root$data" ]]; then
    echo "FAIL: the launcher started the viewer in $cwd, not in $work/root$data"
    exit 1
fi
if [[ "$fonts" != "$work/root$data/fonts/lexora-fonts.conf" ]]; then
    echo "FAIL: the launcher set FONTCONFIG_FILE to '$fonts', not to the package's"
    exit 1
fi

# Debian's checks. desktop-file-validate exits 0 on warnings, so its output is read too.
findings=0
if command -v desktop-file-validate >/dev/null; then
    output=$(desktop-file-validate "$desktop" 2>&1) || findings=1
    [[ -n "$output" ]] && echo "$output"
    grep -q ': \(error\|warning\): ' <<<"$output" && findings=1
else
    echo "skipped: desktop-file-validate is not installed (package desktop-file-utils)"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net \
        "$(find "$work/root" -path '*/metainfo/org.lexora.Lexora.metainfo.xml')" || findings=1
else
    echo "skipped: appstreamcli is not installed (package appstream)"
fi
if command -v lintian >/dev/null; then
    output=$(lintian --fail-on error,warning "$deb" 2>&1) || findings=1
    grep -v '^running with root privileges is not recommended!$' <<<"$output" || true
else
    echo "skipped: lintian is not installed"
fi
if [[ $findings -ne 0 ]]; then
    echo "FAIL: Debian's checks found errors or warnings in the package"
    exit 1
fi
echo "1 passed, 0 failed"
