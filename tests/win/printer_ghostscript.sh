#!/usr/bin/env bash
# The two-page job of win_printer read back by Ghostscript from the
# PostScript the Wine printer wrote: two A4 pages, each with its own text.
#   printer_ghostscript.sh WINE_RUN WINE_ROOT PRINTER_TEST_EXE
set -euo pipefail
wine_run=$1 root=$2 exe=$3
out="$(dirname "$exe")/printer_out"
ps="$out/two_pages.ps"
rm -f "$ps" "$out"/page*.txt "$out"/page*.png
"$wine_run" --root "$root" "$exe" --gtest_filter=PrinterTest.TwoPageJobIsTwoA4PagesOfPostScript
[ -s "$ps" ] || { echo "FAILED: no PostScript in $ps" >&2; exit 1; }
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=txtwrite -sOutputFile="$out/page%d.txt" "$ps"
# Wine's PostScript fonts name the blank a no-break space.
sed -i 's/\xc2\xa0/ /g' "$out"/page*.txt
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r72 -sOutputFile="$out/page%d.png" "$ps"

failed=0
fail() { echo "FAILED: $*" >&2; failed=1; }
# Width and height from the PNG header, in points at 72 dpi.
png_size() { od -An -tu1 -j16 -N8 "$1" | awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }'; }

pages=$(find "$out" -name 'page*.txt' | wc -l)
[ "$pages" = 2 ] || fail "Ghostscript found $pages pages, not 2"
grep -q "Strona pierwsza: Zażółć gęślą jaźń" "$out/page1.txt" || fail "page 1 text: $(cat "$out/page1.txt")"
grep -q "Strona druga" "$out/page2.txt" || fail "page 2 text: $(cat "$out/page2.txt" 2>/dev/null)"
grep -q "Strona druga" "$out/page1.txt" && fail "page 2 text on page 1"
for png in "$out"/page1.png "$out"/page2.png; do
  size=$(png_size "$png" 2>/dev/null || echo none)
  [ "$size" = 595x842 ] || fail "$(basename "$png") is $size, not A4 (595x842)"
done
[ $failed = 0 ] && echo "Ghostscript reads two A4 pages with their text"
exit $failed
