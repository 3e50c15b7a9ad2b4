#!/usr/bin/env bash
# Installs what is needed, builds, creates a demo suite and runs the main tool on it: the main
# window when there is a display. When there is none, two batch runs: "Controlla Dati" on the
# suite's whole list, which stops on a case left incomplete on purpose, then the export of the
# suite's list of complete cases; the flow is checked against the schema the program ships.
# Ends with 0 only when that flow was written and is valid.
#
#   scripts/demo.sh [CASES]      (default 200 cases; the suite goes to ~/exp_nrv_xml-demo, or to
#                                 $EXP_NRV_XML_DEMO; the flow to the desktop folder)
set -euo pipefail
cd "$(dirname "$0")/.."
cases="${1:-200}"
suite="${EXP_NRV_XML_DEMO:-$HOME/exp_nrv_xml-demo}"

scripts/install-deps.sh
scripts/build.sh
build/demo/exp_nrv_demo --drives "$suite" --cases "$cases"

export KV32_DRIVE_Z="$suite/Z" KV32_DRIVE_C="$suite/C"
line='999|999|prova|C:\work\kv32ado\status.txt'
complete='999|999|prova|C:\work\kv32ado\status-completi.txt'
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/src/exp_nrv_xml "$line"
fi

echo
echo "No display. 1) \"Controlla Dati\" on the suite's list (status.txt):"
status=0
build/src/exp_nrv_xml --batch "$line" || status=$?
if [ "$status" -eq 1 ]; then
    echo "   The check stopped on the case named above: the demo suite holds a few incomplete cases on purpose."
elif [ "$status" -ne 0 ]; then
    echo "The batch run failed (exit $status)." >&2
    exit "$status"
fi

echo
echo "2) \"Controlla Dati\" and \"Esporta\" on the list of complete cases (status-completi.txt):"
output="$(mktemp)"
trap 'rm -f "$output"' EXIT
status=0
build/src/exp_nrv_xml --batch "$complete" | tee "$output" || status=$?
# The run names the file it wrote: "File <path> generato".
flow="$(sed -n 's/^File \(.*\) generato$/\1/p' "$output" | tail -n 1)"
if [ "$status" -ne 0 ] || [ -z "$flow" ] || [ ! -f "$flow" ]; then
    echo "No flow was written (exit $status): see the message above." >&2
    exit 1
fi

echo
echo "3) The flow against the schema src/flow/SCARICO_SCHEMA.xsd:"
xmllint --noout --schema src/flow/SCARICO_SCHEMA.xsd "$flow"
count="$(xmllint --xpath 'count(/Flusso/Affidamento/Pratica)' "$flow")"

echo
echo "The flow: $flow"
echo "  $count cases, valid against the schema."
echo "To open the main window on these cases (on a display):"
echo "  KV32_DRIVE_Z=$KV32_DRIVE_Z KV32_DRIVE_C=$KV32_DRIVE_C build/src/exp_nrv_xml '$complete'"
echo "The tools run on their own too, for example the batch journal:"
echo "  KV32_DRIVE_Z=$KV32_DRIVE_Z KV32_DRIVE_C=$KV32_DRIVE_C build/src/exp_nrv_xml --batch --tool 7510 'C:\\work\\kv32ado\\lotti.sql'"
