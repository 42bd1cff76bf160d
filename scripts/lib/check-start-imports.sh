#!/usr/bin/env bash
# Fails when a deliverable loads at its start a library it is meant to load at its first call
# (cmake/DelayImports.cmake): a call the delay list does not name brings the library back into
# the start, which under Wine costs milliseconds before the first line.
set -uo pipefail
build="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build"
bad=0
check() {   # tree objdump exe dll...
  local tree=$1 objdump=$2 exe=$3; shift 3
  local file="$build/$tree/$exe"
  [ -f "$file" ] || { echo "$file is missing"; bad=1; return; }
  local imported
  imported=$("$objdump" -p "$file" | awk '/DLL Name:/ { print tolower($3) }')
  for dll in "$@"; do
    if grep -qx "$dll" <<<"$imported"; then
      echo "$tree/$exe loads $dll at its start"
      bad=1
    fi
  done
}
for tree in win64:x86_64 win32:i686; do
  objdump="${tree#*:}-w64-mingw32-objdump"
  check "${tree%%:*}" "$objdump" ovxmain.exe shell32.dll comdlg32.dll ole32.dll
  check "${tree%%:*}" "$objdump" ovx.exe user32.dll
done
[ $bad -eq 0 ] && echo "start imports: fine"
exit $bad
