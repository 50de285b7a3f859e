#!/usr/bin/env bash
# Installs the Debian packages the builds and tests need, and only those
# that are missing, so a second run costs a second.
set -euo pipefail

packages=(
  cmake ninja-build g++ python3 locales
  googletest libgtest-dev libbenchmark-dev clang-14 libclang-rt-14-dev clang-format-14
  g++-mingw-w64-i686-posix mingw-w64-tools
  wine wine32:i386 wine64
  xvfb xauth x11-utils imagemagick fonts-wine fonts-liberation ghostscript
  # Wine takes the newest Liberation Sans for Arial: version 2 keeps the
  # hyphen-minus and the blank glyphs of their own, as Arial does, so a
  # printed minus reads back as "-" and not as a soft hyphen.
  fonts-liberation2
  dpkg-dev git
  libgif-dev
)

sudo_() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
need_i386=0
dpkg --print-foreign-architectures | grep -qx i386 || need_i386=1

if [ ${#missing[@]} -eq 0 ] && [ $need_i386 = 0 ]; then
  exit 0
fi
echo "Installing: ${missing[*]}"
[ $need_i386 = 1 ] && sudo_ dpkg --add-architecture i386
sudo_ apt-get update -qq
sudo_ env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
