#!/usr/bin/env bash
# Installs what is missing, builds both builds and runs every test:
# the native build (ASan + UBSan) and the Windows build under Wine.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
# A developer machine with ccache shares objects between checkouts.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build build/native -j "$jobs"
ctest --test-dir build/native --output-on-failure -j "$jobs"

# libjpeg for MinGW, built once into a cache outside the tree.
jpeg_dir=$(scripts/build-libjpeg.sh)
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSPRAW_JPEG_DIR="$jpeg_dir" "${launcher[@]}" >/dev/null
trap 'scripts/wine-run --root build/win/wine --stop' EXIT
cmake --build build/win -j "$jobs"
ctest --test-dir build/win --output-on-failure
