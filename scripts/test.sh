#!/usr/bin/env bash
# Installs what is missing, checks the layout, builds every build and runs
# every test: the native build (ASan + UBSan), the fuzz targets on their
# committed corpora, and the Windows build under Wine, its tests side by
# side in several Wine environments.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

jobs=$(nproc)
started=$SECONDS
phase_start=$SECONDS
phase() { echo "== $1 ($((SECONDS - phase_start)) s)"; phase_start=$SECONDS; }

# A developer machine with ccache shares objects between checkouts.
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

# The tracked sources are in the repository's clang-format style.
git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format-14 --dry-run --Werror
phase "clang-format"

cmake -S . -B build/native -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" >/dev/null
cmake --build build/native -j "$jobs"
phase "native build"
ctest --test-dir build/native --output-on-failure -j "$jobs"
phase "native tests"

CXX=clang++-14 cmake -S fuzz -B build/fuzz -G Ninja "${launcher[@]}" >/dev/null
cmake --build build/fuzz -j "$jobs"
ctest --test-dir build/fuzz --output-on-failure -j "$jobs"
phase "fuzz targets on their corpora"

# libjpeg for MinGW, built once into a cache outside the tree.
jpeg_dir=$(scripts/build-libjpeg.sh)
cmake -S . -B build/win -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DSPRAW_JPEG_DIR="$jpeg_dir" "${launcher[@]}" >/dev/null
# Every Wine environment the build and the tests started, whatever happens.
trap 'scripts/wine-run --root build/win/wine --stop' EXIT
cmake --build build/win -j "$jobs"
phase "Windows build"
# CTest hands each test one of the build's Wine environments (its resource
# spec file): as many tests run at once as there are environments.
ctest --test-dir build/win --output-on-failure -j "$jobs"
phase "Windows tests"
echo "== all green in $((SECONDS - started)) s"
