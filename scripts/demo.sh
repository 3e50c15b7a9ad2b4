#!/usr/bin/env bash
# Installs what is needed, builds, creates a demo suite and runs the main tool on it: the main
# window when there is a display, the batch run when there is none.
#
#   scripts/demo.sh [CASES]      (default 200 cases; the suite goes to ~/exp_nrv_xml-demo)
set -euo pipefail
cd "$(dirname "$0")/.."
cases="${1:-200}"
suite="${EXP_NRV_XML_DEMO:-$HOME/exp_nrv_xml-demo}"

scripts/install-deps.sh
scripts/build.sh
build/demo/exp_nrv_demo --drives "$suite" --cases "$cases"

export KV32_DRIVE_Z="$suite/Z" KV32_DRIVE_C="$suite/C"
line='999|999|prova|C:\work\kv32ado\status.txt'
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
    exec build/src/exp_nrv_xml "$line"
fi
echo "No display: batch run of the main tool (case list, \"Controlla Dati\", \"Esporta\")."
status=0
build/src/exp_nrv_xml --batch "$line" || status=$?
if [ "$status" -eq 1 ]; then
    echo "The run stopped on the message above. The demo suite holds a few cases with missing data on purpose,"
    echo "so the check names the first one; mend it in the main window on a display. The tools run on their own:"
    echo "  KV32_DRIVE_Z=$KV32_DRIVE_Z KV32_DRIVE_C=$KV32_DRIVE_C build/src/exp_nrv_xml --batch --tool 7510 'C:\\work\\kv32ado\\lotti.sql'"
    exit 0
fi
exit "$status"
