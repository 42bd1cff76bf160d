# The clean-machine step of scripts/test: the release archives are made twice and must be the same
# bytes; the executables' version resource must say the version of CMakeLists.txt; the x64
# archive is unpacked into C:\Program Files\Orvanta of a new prefix (a copy of the suites' prefix
# without the program's settings), whose browser for .html is a stand-in that records the page it
# was asked for, and the end-to-end case CleanInstall.* runs there. Results go to
# $results/clean-install-*.xml. Sourced after wine.sh; needs ovx_build_dir, results and a display.

ovx_clean_install() {
  local root="$ovx_build_dir/.." dist="$ovx_build_dir/dist"
  local prefix="$ovx_build_dir/wineprefix-clean"
  local first second
  "$root/scripts/package" >/dev/null || { echo "clean-install: scripts/package failed" >&2; return 1; }
  first=$(cat "$dist/SHA256SUMS")
  "$root/scripts/package" >/dev/null || return 1
  second=$(cat "$dist/SHA256SUMS")
  local version zip
  version=$(sed -nE 's/^project\(Orvanta VERSION ([0-9.]+).*/\1/p' "$root/CMakeLists.txt")
  zip="$dist/Orvanta-$version-x64.zip"

  # The checks on the archives, as test cases of their own.
  python3 - "$results/clean-install-package.xml" "$first" "$second" "$version" "$zip" <<'PY'
import sys, zipfile
from xml.sax.saxutils import escape
out, first, second, version, archive = sys.argv[1:6]
cases = []
cases.append(("ArchivesOfOneCommitAreTheSameBytes", None if first == second else f"first:\n{first}\nsecond:\n{second}"))
problems = []
with zipfile.ZipFile(archive) as z:
    for name in ("Orvanta/Ovx.exe", "Orvanta/OvxMain.exe"):
        data = z.read(name)
        # The value follows its name's end and the padding to a 4-byte boundary.
        want = [("ProductVersion" + "\0" * pad + version + "\0").encode("utf-16le") for pad in (1, 2)]
        fixed = data.find(b"\xbd\x04\xef\xfe")
        major, minor = version.split(".")[:2]
        if not any(w in data for w in want):
            problems.append(f"{name}: ProductVersion is not {version}")
        elif fixed < 0 or int.from_bytes(data[fixed + 8:fixed + 12], "little") != (int(major) << 16 | int(minor)):
            problems.append(f"{name}: FILEVERSION is not {major}.{int(minor)}")
cases.append(("VersionResourceSaysTheVersion", "; ".join(problems) or None))
with open(out, "w", encoding="utf-8") as f:
    f.write(f'<?xml version="1.0" encoding="UTF-8"?>\n<testsuites><testsuite name="CleanInstallPackage" tests="{len(cases)}">\n')
    for name, failure in cases:
        f.write(f'<testcase name="{name}" classname="CleanInstallPackage" status="run">')
        if failure:
            print(f"CleanInstallPackage.{name}: {failure}")
            f.write(f'<failure message="{escape(failure, {chr(34): "&quot;"})}"/>')
        f.write("</testcase>\n")
    f.write("</testsuite></testsuites>\n")
PY

  # A new prefix: the suites' prefix as the scripts prepared it, without the program's settings.
  WINEPREFIX="$prefix" wineserver -k >/dev/null 2>&1 || true
  rm -rf "$prefix"
  cp -a --reflink=auto "$WINEPREFIX" "$prefix" || return 1
  python3 - "$prefix/user.reg" <<'PY'
import re, sys
path = sys.argv[1]
text = open(path, encoding="utf-8", errors="surrogateescape").read()
# Sections are separated by blank lines; those of the program's key go.
blocks = re.split(r"\n(?=\[)", text)
kept = [b for b in blocks if not b.startswith("[Software\\\\Brightmoor\\\\Orvanta")]
open(path, "w", encoding="utf-8", errors="surrogateescape").write("\n".join(kept))
PY
  rm -rf "$prefix/drive_c/Program Files/Orvanta" "$prefix/drive_c/help-request.txt"
  mkdir -p "$prefix/drive_c/Program Files"
  (cd "$prefix/drive_c/Program Files" && python3 -m zipfile -e "$zip" .) || return 1

  # The stand-in browser: .html opens with cmd, which writes the page's name into a file.
  local reg="$ovx_build_dir/clean-browser.reg"
  printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CLASSES_ROOT\.html]' '@="OvxStandInBrowser"' '' \
    '[HKEY_CURRENT_USER\Software\Classes\.html]' '@="OvxStandInBrowser"' '' \
    '[HKEY_CLASSES_ROOT\OvxStandInBrowser\shell\open\command]' \
    '@="C:\\windows\\system32\\cmd.exe /c echo %1> C:\\help-request.txt"' '' > "$reg"
  (
    export WINEPREFIX="$prefix"
    wineserver -p </dev/null >/dev/null 2>&1
    wine regedit /S "$(winepath -w "$reg")" </dev/null >/dev/null 2>&1
    cd "$results" || exit 1
    OVX_CLEAN_INSTALL=1 timeout 120 wine "$ovx_build_dir/win64/ovx_e2e_tests.exe" --gtest_brief=1 \
      --gtest_filter='CleanInstall.*' --gtest_output=xml:clean-install.xml </dev/null
    rc=$?
    wineserver -k >/dev/null 2>&1 || true
    exit $rc
  )
}
