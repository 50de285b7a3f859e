# Sourced by the Ghostscript checks: runs one test of a Windows test program
# that prints a two-page job to Wine's file printer and checks that
# Ghostscript reads two A4 pages from it.
#   two_a4_pages WINE_RUN WINE_ROOT TEST_EXE OUT_FOLDER PS_NAME GTEST_FILTER
# leaves $ps, fail() and $failed for the caller's own checks.
failed=0
fail() { echo "FAILED: $*" >&2; failed=1; }

two_a4_pages() {
  local wine_run=$1 root=$2 exe=$3
  out="$(dirname "$exe")/$4"
  ps="$out/$5"
  rm -f "$ps" "$out"/page*.png
  "$wine_run" --root "$root" "$exe" --gtest_filter="$6"
  [ -s "$ps" ] || { echo "FAILED: no PostScript in $ps" >&2; exit 1; }
  gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r72 -sOutputFile="$out/page%d.png" "$ps"
  local pages png size
  pages=$(find "$out" -name 'page*.png' | wc -l)
  [ "$pages" = 2 ] || fail "Ghostscript found $pages pages, not 2"
  for png in "$out"/page1.png "$out"/page2.png; do
    # Width and height from the PNG header, in points at 72 dpi.
    size=$(od -An -tu1 -j16 -N8 "$png" 2>/dev/null |
      awk '{ print $1*16777216+$2*65536+$3*256+$4 "x" $5*16777216+$6*65536+$7*256+$8 }')
    [ "${size:-none}" = 595x842 ] || fail "$(basename "$png") is ${size:-none}, not A4 (595x842)"
  done
}

# A page's text, the amounts' thousands separator (a no-break space) read as a blank.
text_of() {
  gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=txtwrite -dFirstPage="$1" -dLastPage="$1" -sOutputFile=- "$ps" |
    sed 's/\xc2\xa0/ /g'
}
