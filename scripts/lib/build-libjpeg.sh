#!/usr/bin/env bash
# Builds libjpeg (libjpeg-turbo from Debian's source package) as a static library for both
# Windows targets, into build/libjpeg/<arch>/{include,lib}. Runs once: a target whose library
# is already there is skipped. Only the library is built (no SIMD, no tools, no tests).
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
out="$root/build/libjpeg"
arches=(x86_64 i686)

needed=()
for arch in "${arches[@]}"; do
  [ -f "$out/$arch/lib/libjpeg.a" ] || needed+=("$arch")
done
[ ${#needed[@]} -gt 0 ] || exit 0

mkdir -p "$out/src"
source_dir=$(find "$out/src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
if [ -z "$source_dir" ]; then
  echo "build-libjpeg: fetching Debian's source package"
  (cd "$out/src" && apt-get source -qq libjpeg-turbo >"$out/src/fetch.log" 2>&1) || {
    cat "$out/src/fetch.log" >&2
    echo "build-libjpeg: apt-get source libjpeg-turbo failed (a deb-src entry is needed)" >&2
    exit 1
  }
  source_dir=$(find "$out/src" -maxdepth 1 -type d -name 'libjpeg-turbo-*' | head -n 1)
fi

for arch in "${needed[@]}"; do
  echo "build-libjpeg: building for $arch"
  work="$out/work-$arch"
  rm -rf "$work"
  cmake -S "$source_dir" -B "$work" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-$arch.cmake" \
    -DCMAKE_INSTALL_PREFIX="$out/$arch" -DWITH_SIMD=0 -DENABLE_SHARED=0 -DWITH_TURBOJPEG=0 -DWITH_JAVA=0 >"$work.log" 2>&1 ||
    { cat "$work.log" >&2; exit 1; }
  cmake --build "$work" --target jpeg-static >>"$work.log" 2>&1 || { tail -n 40 "$work.log" >&2; exit 1; }
  mkdir -p "$out/$arch/include" "$out/$arch/lib"
  cp "$source_dir/jpeglib.h" "$source_dir/jmorecfg.h" "$source_dir/jerror.h" "$work/jconfig.h" "$out/$arch/include/"
  cp "$work/libjpeg.a" "$out/$arch/lib/libjpeg.a"
  rm -rf "$work"
done
