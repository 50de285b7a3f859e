#!/usr/bin/env bash
# The preview's two-page job (preview_previewprint) read back by Ghostscript
# from the PostScript the Wine printer wrote: two A4 pages, page n with n
# black squares of 10 mm from (10 mm, 10 mm) along the top.
#   previewprint_ghostscript.sh WINE_RUN WINE_ROOT PREVIEWPRINT_TEST_EXE
set -euo pipefail
wine_run=$1 root=$2 exe=$3
out="$(dirname "$exe")/preview_print_out"
ps="$out/two_pages.ps"
rm -f "$ps" "$out"/page*.png
"$wine_run" --root "$root" "$exe" --gtest_filter=PrintTest.TwoPagesAreTwoA4PagesOfPostScript
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
# The marks of each page: 10 mm is 28.35 points; the squares' row ends at
# 20 mm (56.7 pt) on page 1 and at 40 mm (113.4 pt) on page 2.
bbox() {
  gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=bbox -dFirstPage="$1" -dLastPage="$1" "$ps" 2>&1 |
    awk '/^%%BoundingBox/ { print $2, $3, $4, $5 }'
}
check_box() {
  local page=$1 right=$2 box
  box=$(bbox "$page")
  read -r x0 y0 x1 y1 <<<"$box" || true
  # Within two points of the drawn squares (y counts from the bottom).
  awk -v x0="$x0" -v y0="$y0" -v x1="$x1" -v y1="$y1" -v r="$right" \
    'BEGIN { ok = (x0 >= 26 && x0 <= 31 && x1 >= r - 2 && x1 <= r + 2 && y1 >= 811 && y1 <= 816 && y0 >= 783 && y0 <= 788); exit !ok }' ||
    fail "page $page marks at '$box', not the squares up to $right pt"
}
check_box 1 57
check_box 2 113
[ $failed = 0 ] && echo "Ghostscript reads two A4 pages with their squares"
exit $failed
