#!/usr/bin/env bash
# How legible the forms are on screen: bil page 1 and rachzsp painted by the
# main window at the zoom it opens with (fit to width), at 100 % and at 50 %
# (tools/sheetpicture), read back by tesseract (Polish), and the labels of
# tools/legibility-labels.txt found in what it read, word for word.
#   tools/legibility.sh BUILD_DIR [OUT_DIR]   paint the pictures, then read them
#   tools/legibility.sh --read OUT_DIR        read the pictures already in OUT_DIR
# Prints the count found per picture and per zoom; the pictures stay in
# OUT_DIR for a person to look at.  OCR is a measurement here, not a test.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
paint=1
if [ "$1" = --read ]; then paint=0; out=$2; else build=$(cd "$1" && pwd); out=${2:-$build/legibility}; fi
mkdir -p "$out"
labels="$root/tools/legibility-labels.txt"
winpath() { echo "Z:${1//\//\\}"; }

# The table's rules read as letters: they are taken out first (every dark
# run of 25 pixels across or down), then the picture is read at three times
# its size, which suits tesseract's models.
read_picture() {
  convert "$1" -colorspace gray -write mpr:page -negate -threshold 40% -write mpr:ink +delete \
    \( mpr:ink -morphology Open rectangle:25x1 \) \( mpr:ink -morphology Open rectangle:1x25 \) \
    -compose lighten -composite -morphology Dilate square:1 -write mpr:rules +delete \
    mpr:page mpr:rules -compose lighten -composite -resize 300% "$2.ocr.png"
  OMP_THREAD_LIMIT=1 tesseract "$2.ocr.png" "$2" -l pol --psm 4 >/dev/null 2>&1
  rm -f "$2.ocr.png"
}

declare -A per_zoom
for shot in "bil 1" "rachzsp 1"; do
  set -- $shot
  for zoom in width 100 50; do
    name="$1_$2_$zoom"
    if [ $paint = 1 ]; then
      "$root/scripts/wine-run" --root "$build/wine" "$build/tools/sheetpicture.exe" "$1" "$2" "$zoom" \
        "$(winpath "$out/$name.bmp")" >"$out/$name.info"
      convert "$out/$name.bmp" "$out/$name.png"
      rm -f "$out/$name.bmp"
    fi
    read_picture "$out/$name.png" "$out/$name"
    read_back=$(tr -s ' \n\t' '   ' <"$out/$name.txt")
    found=0; listed=0
    while IFS=$'\t' read -r form label; do
      [ "$form" = "$1" ] || continue
      listed=$((listed + 1))
      if grep -qF -- "$label" <<<"$read_back"; then found=$((found + 1)); fi
    done < <(grep -v '^#' "$labels")
    echo "$(cat "$out/$name.info" 2>/dev/null || echo "$name"): $found of $listed labels"
    per_zoom[$zoom]=$((${per_zoom[$zoom]:-0} + found))
  done
done
for zoom in width 100 50; do echo "zoom $zoom: ${per_zoom[$zoom]} of $(grep -vc '^#' "$labels") labels"; done
