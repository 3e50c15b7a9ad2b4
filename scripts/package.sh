#!/usr/bin/env bash
# Builds the Debian package from build/ (built first where needed) and checks it as an installation would see it:
# its files unpacked in a scratch root, its declared dependencies, its desktop entry, and its program answering a
# batch run. The package is left in build/package/.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh
scripts/build.sh
rm -rf build/package
(cd build && cpack -G DEB -B "$PWD/package" >/dev/null)
version="$(sed -n 's/^project(exp_nrv_xml VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)"
deb="build/package/exp-nrv-xml_${version}_amd64.deb"
[ -f "$deb" ] || { echo "No $deb was made." >&2; exit 1; }

scratch="$(mktemp -d)"
trap 'rm -rf "$scratch"' EXIT
failures=0
fail() {
    echo "FAILED: $*" >&2
    failures=$((failures + 1))
}

# Exactly these files, nothing of the demo, the benchmarks or the tests.
expected="./usr/bin/exp_nrv_xml
./usr/share/applications/exp_nrv_xml.desktop
./usr/share/exp_nrv_xml/SCARICO_SCHEMA.xsd
./usr/share/icons/hicolor/scalable/apps/exp_nrv_xml.svg"
files="$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $6}' | sort)"
[ "$files" = "$expected" ] || fail "the package holds
$files
instead of
$expected"

depends="$(dpkg-deb -f "$deb" Depends)"
recommends="$(dpkg-deb -f "$deb" Recommends)"
has() { [[ ", $1," == *", $2"[\ ,]* ]]; }
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6sql6 libqt6sql6-sqlite; do
    has "$depends" "$package" || fail "Depends lacks $package: $depends"
done
for package in libqt6sql6-psql libqt6sql6-odbc odbc-postgresql qt6-translations-l10n; do
    has "$recommends" "$package" || fail "Recommends lacks $package: $recommends"
done

root="$scratch/root"
dpkg -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/exp_nrv_xml.desktop" || fail "the desktop entry is not valid"
grep -qx 'Exec=exp_nrv_xml' "$root/usr/share/applications/exp_nrv_xml.desktop" || fail "the desktop entry's Exec"
xmllint --noout "$root/usr/share/icons/hicolor/scalable/apps/exp_nrv_xml.svg" || fail "the icon is no SVG document"
missing="$(ldd "$root/usr/bin/exp_nrv_xml" | grep 'not found' || true)"
[ -z "$missing" ] || fail "the program lacks libraries: $missing"

# The installed program, on a drive of its own with no display: two fields start no tool, the program lists them
# and ends with 1.
mkdir -p "$scratch/home" "$scratch/Z/work/kv32/dati/ds"
status=0
output="$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM -u XDG_CONFIG_HOME -u XDG_DATA_HOME \
    HOME="$scratch/home" KV32_DRIVE_Z="$scratch/Z" "$root/usr/bin/exp_nrv_xml" --batch "a|b" 2>"$scratch/stderr")" ||
    status=$?
if [ "$status" -ne 1 ] || [ "$output" != "$(printf 'PAR0=a\nPAR1=b')" ]; then
    fail "the installed program, asked for \"a|b\", should print PAR0=a and PAR1=b and end with 1; it ended with
$status and printed:
$output
$(cat "$scratch/stderr")"
fi

if [ "$failures" -ne 0 ]; then
    exit 1
fi
echo "Package $deb: $(echo "$files" | wc -l) files, the program answers in batch."
echo "  Depends: $depends"
echo "  Recommends: $recommends"
echo "Install it with: sudo apt install ./$deb"
