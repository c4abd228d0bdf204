#!/usr/bin/env bash
# Installs everything a fresh Debian machine lacks to build, run and test Tessaly.
# Idempotent: a second run finds everything in place and changes nothing.
set -euo pipefail

DEPS_PREFIX="${TESSALY_DEPS:-/opt/tessaly/mingw64}"
# libasan8: AddressSanitizer's runtime for g++ 12, for the sanitized native
# reader tests. libpng16-16: its copyright file is the libpng notice that the
# release package carries (the target's libpng is built from its source).
# xserver-xephyr: a nested X server with two screens, for the two-monitor test.
# clang-14 and libclang-rt-14-dev (libFuzzer and clang's sanitizer
# runtimes): the fuzz build.
PACKAGES=(
  cmake make g++ libasan8 dpkg-dev clang-14 libclang-rt-14-dev
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64
  libz-mingw-w64-dev libpng16-16 googletest
  wine wine64 xvfb xserver-xephyr xauth x11-utils xdotool imagemagick
  fonts-wqy-microhei locales
)
LIBPNG_VERSIONS=(1.6.39-2+deb12u6 1.6.39-2+deb12u5)

as_root() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

missing_packages() {
  local p
  for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || echo "$p"
  done
}

# The target's libpng source comes from Debian's source package, so deb-src
# entries are needed beside the binary ones the machine already lists.
ensure_source_entries() {
  local src=/etc/apt/sources.list.d/debian.sources
  local out=/etc/apt/sources.list.d/tessaly-deb-src.sources
  [ -f "$out" ] && return 1
  if [ -f "$src" ]; then
    sed 's/^Types: deb$/Types: deb-src/' "$src" | as_root tee "$out" >/dev/null
  else
    grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' | as_root tee /etc/apt/sources.list.d/tessaly-deb-src.list >/dev/null
  fi
  return 0
}

install_packages() {
  local need
  need=$(missing_packages)
  local added=0
  ensure_source_entries && added=1
  if [ -n "$need" ] || [ "$added" = 1 ] || [ ! -f "$DEPS_PREFIX/lib/libpng.a" ]; then
    as_root apt-get update -qq
  fi
  if [ -n "$need" ]; then
    # shellcheck disable=SC2086
    as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends $need >/dev/null
  fi
}

build_libpng() {
  [ -f "$DEPS_PREFIX/lib/libpng.a" ] && return 0
  local work version
  work=$(mktemp -d)
  (
    cd "$work"
    for version in "${LIBPNG_VERSIONS[@]}" ""; do
      if [ -n "$version" ]; then
        apt-get source --download-only "libpng1.6=$version" >/dev/null 2>&1 && break
      else
        apt-get source --download-only libpng1.6 >/dev/null 2>&1 && break
        echo "setup: could not download the libpng1.6 source package" >&2; exit 1
      fi
    done
    dpkg-source -x ./*.dsc src >/dev/null 2>&1
    cmake -S src -B build -DCMAKE_BUILD_TYPE=Release \
      -DCMAKE_TOOLCHAIN_FILE="$SCRIPT_DIR/../cmake/mingw64-toolchain.cmake" \
      -DCMAKE_INSTALL_PREFIX="$DEPS_PREFIX" \
      -DPNG_SHARED=OFF -DPNG_STATIC=ON -DPNG_TESTS=OFF -DPNG_EXECUTABLES=OFF \
      -DPNG_BUILD_ZLIB=OFF -DSKIP_INSTALL_PROGRAMS=ON -DSKIP_INSTALL_FILES=ON \
      -DZLIB_INCLUDE_DIR=/usr/x86_64-w64-mingw32/include \
      -DZLIB_LIBRARY=/usr/x86_64-w64-mingw32/lib/libz.a >/dev/null
    cmake --build build -j"$(nproc)" >/dev/null
    as_root cmake --install build >/dev/null
  )
  rm -rf "$work"
}

ensure_locale() {
  # Wine takes code page 936 from LC_ALL=zh_CN.UTF-8 even without the locale;
  # generating it only silences the shell's complaints.
  locale -a 2>/dev/null | grep -qi '^zh_CN.utf8$' && return 0
  if [ -f /etc/locale.gen ] && command -v locale-gen >/dev/null; then
    grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
    as_root locale-gen >/dev/null 2>&1 || true
  fi
}

SCRIPT_DIR="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
cd "$SCRIPT_DIR"
install_packages
ensure_locale
build_libpng
