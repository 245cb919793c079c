#!/usr/bin/env bash
# Makes the .deb from a build tree, unpacks it and starts the unpacked viewer offscreen
# from the unpacked share/lexora, the way its desktop entry starts it. The viewer must
# still be running after a few seconds: an exit by the timeout passes, any other exit
# (a crash, a missing library, a refused start) fails.
# Usage: debpackage.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

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
desktop=$(find "$work/root" -path '*/applications/org.lexora.Lexora.desktop')
if [[ -z "$desktop" ]]; then
    echo "FAIL: no desktop entry in the package"
    exit 1
fi
path=$(sed -n 's/^Path=//p' "$desktop")
viewer=$(sed -n 's/^Exec=.* //p' "$desktop")
fonts=$(sed -n 's/^Exec=env FONTCONFIG_FILE=\([^ ]*\) .*/\1/p' "$desktop")
for file in "$path/res/entries.bna" "$path/res/ɛ.bna" "$fonts" "$viewer"; do
    if [[ ! -e "$work/root$file" ]]; then
        echo "FAIL: the desktop entry names $file, which the package does not hold"
        exit 1
    fi
done
for file in bin/lexora-data share/metainfo/org.lexora.Lexora.metainfo.xml \
    share/icons/hicolor/scalable/apps/org.lexora.Lexora.svg; do
    if ! find "$work/root" -path "*/$file" | grep -q .; then
        echo "FAIL: the package does not hold $file"
        exit 1
    fi
done

cd "$work/root$path"
set +e
QT_QPA_PLATFORM=offscreen FONTCONFIG_FILE="$work/root$fonts" timeout 3 "$work/root$viewer"
status=$?
set -e
if [[ $status -ne 124 ]]; then
    echo "FAIL: the unpacked viewer ended by itself with status $status"
    exit 1
fi
echo "1 passed, 0 failed"
