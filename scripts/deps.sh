#!/usr/bin/env bash
# Installs the Debian packages that Lexora needs, when they are missing.
# As root it installs them with apt-get; otherwise it prints the command and stops.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

missing=()
while read -r package; do
    [[ -z "$package" || "$package" == \#* ]] && continue
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done < "$here/packages.txt"

if ((${#missing[@]} == 0)); then
    exit 0
fi
if [[ $(id -u) -ne 0 ]]; then
    echo "lexora: missing Debian packages; install them with:" >&2
    echo "  sudo apt-get update && sudo apt-get install -y ${missing[*]}" >&2
    exit 1
fi
echo "lexora: installing ${missing[*]}" >&2
export DEBIAN_FRONTEND=noninteractive
apt-get update -qq
apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
