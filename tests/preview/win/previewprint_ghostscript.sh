#!/usr/bin/env bash
# The preview's two-page job (preview_previewprint) read back by Ghostscript
# from the PostScript the Wine printer wrote: two A4 pages, page n with n
# black squares of 10 mm from (10 mm, 10 mm) along the top.
#   previewprint_ghostscript.sh WINE_RUN WINE_ROOT PREVIEWPRINT_TEST_EXE
set -euo pipefail
source "$(dirname "$0")/../../support/two_a4_pages.sh"
two_a4_pages "$1" "$2" "$3" preview_print_out two_pages.ps PrintTest.TwoPagesAreTwoA4PagesOfPostScript

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
