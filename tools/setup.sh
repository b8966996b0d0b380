#!/usr/bin/env bash
# Prepares a Debian machine for building and testing: packages, the cross-built
# libjpeg and the configured build tree. Safe to run again; finished steps are skipped.
set -euo pipefail
top=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${SORVANDA_BUILD:-$top/build}
deps=$top/.deps
toolchain=$top/tools/mingw-w64-x86_64.cmake

need_pkgs=(g++-mingw-w64-x86-64-posix cmake ninja-build wine wine64 xvfb x11-utils
           imagemagick libgtest-dev dpkg-dev xauth clang libclang-rt-14-dev nsis fp-utils zip
           fonts-dejavu-core locales fonts-wqy-microhei tcl)
missing=()
for p in "${need_pkgs[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  [ "$(id -u)" = 0 ] || { echo "setup: packages missing and not root: ${missing[*]}" >&2; exit 1; }
  apt-get update -qq
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# Debian's source index, for the two dependencies built from Debian's source packages.
enable_sources() {
  if ! grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/; then
    echo "setup: enabling Debian source index"
    out=/etc/apt/sources.list.d/sorvanda-deb-src.sources
    : > "$out.tmp"
    for f in /etc/apt/sources.list.d/*.sources; do
      [ -f "$f" ] || continue
      grep -q 'debian' "$f" || continue
      sed -e 's/^Types: deb$/Types: deb-src/' "$f" >> "$out.tmp"; echo >> "$out.tmp"
    done
    if [ -f /etc/apt/sources.list ]; then
      grep -E '^deb ' /etc/apt/sources.list | sed -e 's/^deb /deb-src /' \
        > /etc/apt/sources.list.d/sorvanda-deb-src.list || true
    fi
    if [ -s "$out.tmp" ]; then mv "$out.tmp" "$out"; else rm -f "$out.tmp"; fi
  fi
  apt-get update -qq
}

# Fetches a source package into .deps/src once and unpacks it into $2.
unpack_source() {
  local pkg=$1 dest=$2
  mkdir -p "$deps/src"
  if ! ls "$deps"/src/"${pkg}"_*.dsc >/dev/null 2>&1; then
    enable_sources
    (cd "$deps/src" && apt-get source --download-only -qq "$pkg" >/dev/null)
  fi
  rm -rf "$dest" && mkdir -p "$dest"
  local dsc
  dsc=$(ls "$deps"/src/"${pkg}"_*.dsc | head -n1)
  (cd "$dest" && dpkg-source --no-check -x "$dsc" tree >/dev/null)
}

# libjpeg: Debian ships no mingw build, so cross-build its source package once.
jpeg_prefix=$deps/libjpeg
if [ ! -f "$jpeg_prefix/lib/libjpeg.a" ]; then
  unpack_source libjpeg-turbo "$deps/src/unpacked"
  echo "setup: cross-building libjpeg"
  cmake -S "$deps/src/unpacked/tree" -B "$deps/src/jpeg-build" -G Ninja \
    -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_INSTALL_PREFIX="$jpeg_prefix" -DWITH_SIMD=OFF -DENABLE_SHARED=OFF \
    -DWITH_TURBOJPEG=OFF -DWITH_JPEG8=OFF -Wno-dev >/dev/null
  cmake --build "$deps/src/jpeg-build" --target install >/dev/null
fi

# SQLite, for the browsers' databases: the one-file build made from Debian's
# source package (its configure step needs tcl); the build compiles it in.
sqlite_dir=$deps/sqlite
if [ ! -f "$sqlite_dir/sqlite3.c" ]; then
  unpack_source sqlite3 "$deps/src/sqlite-unpacked"
  echo "setup: making the SQLite one-file source"
  mkdir -p "$deps/src/sqlite-unpacked/build"
  (cd "$deps/src/sqlite-unpacked/build" && ../tree/configure --disable-tcl >/dev/null && make sqlite3.c >/dev/null)
  mkdir -p "$sqlite_dir"
  cp "$deps/src/sqlite-unpacked/build/sqlite3.c" "$deps/src/sqlite-unpacked/build/sqlite3.h" "$sqlite_dir/"
fi

# Locales for the tests under other code pages (1251, 932), in the build
# folder: the system's own locales stay as they are.
mkdir -p "$build/locales"
for loc in ru_RU ja_JP; do
  [ -d "$build/locales/$loc.UTF-8" ] || localedef -i "$loc" -f UTF-8 "$build/locales/$loc.UTF-8"
done

# The code that needs no Windows, natively with sanitizers and fuzzers.
cmake -S "$top/tests/native" -B "${build}-native" -G Ninja -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null

cmake -S "$top" -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
  -DCMAKE_BUILD_TYPE=${SORVANDA_BUILD_TYPE:-Release} -DJPEG_PREFIX="$jpeg_prefix" -DSQLITE_DIR="$sqlite_dir" >/dev/null
