#!/usr/bin/env bash
# Builds Debian's libjpeg-turbo source (IJG API 62) as a static MinGW i686
# library into a cache outside the source tree; a second run finds it and
# returns at once.  Prints the cache folder.
#   scripts/build-libjpeg.sh [cache-folder]
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
cache=${1:-${XDG_CACHE_HOME:-$HOME/.cache}/sprawozdawca/libjpeg-mingw}

if [ -f "$cache/lib/libjpeg.a" ] && [ -f "$cache/include/jconfig.h" ]; then
  echo "$cache"
  exit 0
fi

sudo_() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

# Source lines derived from the machine's own binary lines.
src_list=/etc/apt/sources.list.d/debian-src.sources
if ! apt-get source --print-uris libjpeg-turbo >/dev/null 2>&1; then
  [ -f /etc/apt/sources.list.d/debian.sources ] || {
    echo "no /etc/apt/sources.list.d/debian.sources to derive source lines from" >&2
    exit 1
  }
  sed 's/^Types: deb$/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | sudo_ tee "$src_list" >/dev/null
  sudo_ apt-get update -qq >&2
fi

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
(cd "$work" && apt-get source -qq libjpeg-turbo >/dev/null 2>&1)
src=$(find "$work" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
[ -n "$src" ] || { echo "apt-get source libjpeg-turbo gave no source folder" >&2; exit 1; }

cmake -S "$src" -B "$work/build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$work/install" -DENABLE_SHARED=OFF -DENABLE_STATIC=ON \
  -DWITH_JPEG7=OFF -DWITH_JPEG8=OFF -DWITH_TURBOJPEG=OFF -DWITH_SIMD=OFF -Wno-dev >/dev/null
# Only the library: the command-line tools are not needed.
cmake --build "$work/build" --target jpeg-static >/dev/null

grep -Eq '#define JPEG_LIB_VERSION +62' "$work/build/jconfig.h" || {
  echo "built libjpeg is not IJG API version 62" >&2
  exit 1
}
mkdir -p "$cache/lib" "$cache/include"
cp "$work/build/libjpeg.a" "$cache/lib/libjpeg.a"
cp "$work/build/jconfig.h" "$src"/{jerror.h,jmorecfg.h,jpeglib.h} "$cache/include/"
echo "$cache"
