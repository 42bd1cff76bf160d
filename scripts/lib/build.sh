# Configures and builds the three trees. Sourced by scripts/test and scripts/run.

ovx_root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
ovx_build_dir="$ovx_root/build"
ovx_jobs=$(nproc 2>/dev/null || echo 2)

ovx_configure() {   # tree-name extra-cmake-args...
  local tree=$1; shift
  if [ ! -f "$ovx_build_dir/$tree/build.ninja" ]; then
    if ! cmake -S "$ovx_root" -B "$ovx_build_dir/$tree" -G Ninja "$@" >"$ovx_build_dir/$tree.configure.log" 2>&1; then
      cat "$ovx_build_dir/$tree.configure.log" >&2
      rm -f "$ovx_build_dir/$tree/build.ninja"
      echo "configuring $tree failed" >&2
      return 1
    fi
  fi
}

ovx_build_all() {
  mkdir -p "$ovx_build_dir"
  ovx_configure native || return 1
  ovx_configure win64 -DCMAKE_TOOLCHAIN_FILE="$ovx_root/cmake/mingw-w64-x86_64.cmake" || return 1
  ovx_configure win32 -DCMAKE_TOOLCHAIN_FILE="$ovx_root/cmake/mingw-w64-i686.cmake" -DOVX_DELIVERABLES_ONLY=ON || return 1
  local tree
  for tree in native win64 win32; do
    echo "== build $tree"
    if ! cmake --build "$ovx_build_dir/$tree" -j "$ovx_jobs" >"$ovx_build_dir/$tree.build.log" 2>&1; then
      grep -v '^\[[0-9]*/[0-9]*\] ' "$ovx_build_dir/$tree.build.log" | tail -n 60 >&2
      echo "build of $tree failed" >&2
      return 1
    fi
  done
}
