#!/usr/bin/env bash
# Builds Lexora and opens it on the dictionary in res/.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build="$root/build"

bash "$root/scripts/deps.sh"
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$build" --target lexora -j"$(nproc)"

if [[ -z "${DISPLAY:-}" && -z "${WAYLAND_DISPLAY:-}" && -z "${QT_QPA_PLATFORM:-}" ]]; then
    echo "lexora: no display found (DISPLAY is not set); run it under a virtual display with: xvfb-run -a bash scripts/run.sh (Debian package xvfb)" >&2
    exit 1
fi

# The viewer reads res/ from its working directory, and asks for the font family
# "arial unicode ms", which our font configuration resolves to a font with every letter.
cd "$root"
export FONTCONFIG_FILE="$root/app/fonts/lexora-fonts.conf"
exec "$build/app/lexora" "$@"
