#!/usr/bin/env bash
# Every form printed on A4 with every field filled (printplacement_test),
# read back by Ghostscript: each value on its own row of the printed
# template, with and without margin and text corrections
# (printplacement_check.py says how).
#   printplacement_ghostscript.sh WINE_RUN WINE_ROOT PRINTPLACEMENT_TEST_EXE
set -euo pipefail
here=$(dirname "$0")
out="$(dirname "$3")/printplacement_out"
rm -f "$out"/*.ps
"$1" --root "$2" "$3" --gtest_filter='PrintPlacementTest.*'
python3 "$here/printplacement_check.py" "$out" "$here/../../.."
