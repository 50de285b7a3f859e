#!/usr/bin/env bash
# bil printed by Sprawozdawca.exe to Wine's file printer (statement_e2e_test)
# read back by Ghostscript from the PostScript job: two A4 pages, the typed
# values and the totals the program computed, each on its own page.
#   statement_ghostscript.sh WINE_RUN WINE_ROOT STATEMENT_E2E_TEST_EXE
set -euo pipefail
source "$(dirname "$0")/../../support/two_a4_pages.sh"
two_a4_pages "$1" "$2" "$3" statement_print_out bil.ps \
  StatementE2eTest.BilPrintedToTheFilePrinterAnsweringItsPrompt

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
