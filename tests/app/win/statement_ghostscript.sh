#!/usr/bin/env bash
# bil printed by Sprawozdawca.exe to Wine's file printer (statement_e2e_test)
# read back by Ghostscript from the PostScript job: two A4 pages, the typed
# values and the totals the program computed, each on its own page.
#   statement_ghostscript.sh WINE_RUN WINE_ROOT STATEMENT_E2E_TEST_EXE
set -euo pipefail
wine_run=$1 root=$2 exe=$3
out="$(dirname "$exe")/statement_print_out"
ps="$out/bil.ps"
rm -f "$ps" "$out"/page*.png
"$wine_run" --root "$root" "$exe" --gtest_filter=StatementE2eTest.BilPrintedToTheFilePrinterAnsweringItsPrompt
[ -s "$ps" ] || { echo "FAILED: no PostScript in $ps" >&2; exit 1; }
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r72 -sOutputFile="$out/page%d.png" "$ps"

failed=0
fail() { echo "FAILED: $*" >&2; failed=1; }
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'; }

pages=$(find "$out" -name 'page*.png' | wc -l)
[ "$pages" = 2 ] || fail "Ghostscript found $pages pages, not 2"
for png in "$out"/page1.png "$out"/page2.png; do
  size=$(png_size "$png" 2>/dev/null || echo none)
  [ "$size" = 595x842 ] || fail "$(basename "$png") is $size, not A4 (595x842)"
done

# A page's text, the amounts' no-break spaces as blanks.
text_of() {
  gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=txtwrite -dFirstPage="$1" -dLastPage="$1" -sOutputFile=- "$ps" |
    sed 's/\xc2\xa0/ /g'
}
page1=$(text_of 1)
page2=$(text_of 2)
# Typed on page 1: the name, 1 234,50 and 100,25; their total 1 334,75.
# Typed on page 2: 2 000,00 and 500,50; their total 2 500,50.
for value in "Spółka Przykładowa" "1 234,50" "100,25" "1 334,75"; do
  grep -qF "$value" <<<"$page1" || fail "page 1 has no \"$value\""
  ! grep -qF "$value" <<<"$page2" || fail "page 2 has \"$value\""
done
for value in "2 000,00" "500,50" "2 500,50"; do
  grep -qF "$value" <<<"$page2" || fail "page 2 has no \"$value\""
  ! grep -qF "$value" <<<"$page1" || fail "page 1 has \"$value\""
done
[ $failed = 0 ] && echo "Ghostscript reads bil's two A4 pages with their values and totals"
exit $failed
