#!/usr/bin/env bash
# Installs what is missing, builds the Windows program (only Sprawozdawca.exe
# and what lies beside it: the page templates and the installed texts) and
# starts it under Wine: on the caller's X display when there is one, else on
# a private Xvfb display (take a look with:
# DISPLAY=$(cat build/win/wine-app/xvfb.display) import -window root shot.png).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# libjpeg for MinGW, built once into a cache outside the tree.
jpeg_dir=$(scripts/build-libjpeg.sh)
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSPRAW_JPEG_DIR="$jpeg_dir" >/dev/null
# With the set-up program of the print-to-file printer, so that "Drukuj"
# works on a machine without printers (the job goes to a file the user names).
cmake --build build/win -j "$(nproc)" --target Sprawozdawca wineprinter

exe=build/win/bin/Sprawozdawca.exe
display_flag=()
[ -n "${DISPLAY:-}" ] && display_flag=(--display)
exec scripts/wine-run --root build/win/wine-app --printer build/win/wine/wineprinter.exe "${display_flag[@]}" "$exe"
