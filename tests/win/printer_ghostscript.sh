#!/usr/bin/env bash
# The two-page job of win_printer read back by Ghostscript from the
# PostScript the Wine printer wrote: two A4 pages, each with its own text.
#   printer_ghostscript.sh WINE_RUN WINE_ROOT PRINTER_TEST_EXE
set -euo pipefail
source "$(dirname "$0")/../support/two_a4_pages.sh"
two_a4_pages "$1" "$2" "$3" printer_out two_pages.ps PrinterTest.TwoPageJobIsTwoA4PagesOfPostScript

page1=$(text_of 1)
page2=$(text_of 2)
grep -q "Strona pierwsza: Zażółć gęślą jaźń" <<<"$page1" || fail "page 1 text: $page1"
grep -q "Strona druga" <<<"$page2" || fail "page 2 text: $page2"
! grep -q "Strona druga" <<<"$page1" || fail "page 2 text on page 1"
[ $failed = 0 ] && echo "Ghostscript reads two A4 pages with their text"
exit $failed
