#!/usr/bin/env bash
# Installs the Debian 12 packages that the build, the tests, the demo, the benchmarks and the Debian package
# need; does nothing when they are all there already. With --hardening, also Clang with its sanitizers and
# libFuzzer.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkgconf
    qt6-base-dev libqt6sql6-sqlite libqt6sql6-odbc libqt6sql6-psql qt6-translations-l10n
    libgtest-dev libsqlite3-dev
    libxml2-utils poppler-utils
    postgresql odbc-postgresql unixodbc
    fonts-dejavu-core
    xvfb xauth
    python3
    dpkg-dev desktop-file-utils
)
if [ "${1:-}" = "--hardening" ]; then
    packages+=(clang-14 libclang-rt-14-dev llvm-14)
fi

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed'; then
        missing+=("$package")
    fi
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
    as_root=(sudo)
fi
echo "Installing: ${missing[*]}"
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
