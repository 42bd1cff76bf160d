# A Wine prefix of our own inside build/, a display, and a persistent wine server.
# Sourced by scripts/test and scripts/run; call ovx_wine_start, then ovx_wine_stop at the end.

export WINEPREFIX="$ovx_build_dir/wineprefix"
export WINEARCH=win64
export LANG=ja_JP.UTF-8 LC_ALL=ja_JP.UTF-8
export WINEDEBUG=-all,err+module
ovx_xvfb_pid=""

ovx_start_display() {
  [ -n "${DISPLAY:-}" ] && return 0
  local n
  for n in $(seq 91 120); do
    # A display still going away may have dropped its lock before its socket: neither may be there.
    { [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; } && continue
    Xvfb ":$n" -screen 0 "${OVX_SCREEN_SIZE:-1024x768}x24" -nolisten tcp >/dev/null 2>&1 &
    ovx_xvfb_pid=$!
    local i
    for i in $(seq 1 50); do
      kill -0 "$ovx_xvfb_pid" 2>/dev/null || break
      [ -e "/tmp/.X11-unix/X$n" ] && { export DISPLAY=":$n"; return 0; }
      sleep 0.1
    done
  done
  echo "could not start Xvfb" >&2
  return 1
}

ovx_prefix_has_settings() {
  wine reg query 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog </dev/null 2>/dev/null | grep -q 0x0
}

# A new prefix whose boot left no system DLLs (seen on CI: "could not load kernel32.dll") is made
# again from nothing. Its settings go in through regedit; should they not show, the keys are
# appended to the stopped prefix's user.reg, which the next server loads.
ovx_boot_prefix() {
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  rm -rf "$WINEPREFIX"
  WINEDLLOVERRIDES="mscoree,mshtml=" wine wineboot -i >"$ovx_build_dir/wineboot.log" 2>&1 </dev/null
  local rc=$?
  wineserver -w
  [ $rc -eq 0 ] && [ -f "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ]
}

ovx_prefix_settings_in() {
  local reg="$ovx_build_dir/ovx-prefix.reg"
  printf '%s\r\n' 'Windows Registry Editor Version 5.00' '' \
    '[HKEY_CURRENT_USER\Software\Wine\WineDbg]' '"ShowCrashDialog"=dword:00000000' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer]' '"Desktop"="Default"' '' \
    '[HKEY_CURRENT_USER\Software\Wine\Explorer\Desktops]' '"Default"="1024x768"' '' > "$reg"
  wine regedit /S "$(winepath -w "$reg")" </dev/null >/dev/null 2>&1
  wineserver -w
  ovx_prefix_has_settings && return 0
  cat >> "$WINEPREFIX/user.reg" <<'KEYS'

[Software\\Wine\\WineDbg]
"ShowCrashDialog"=dword:00000000

[Software\\Wine\\Explorer]
"Desktop"="Default"

[Software\\Wine\\Explorer\\Desktops]
"Default"="1024x768"
KEYS
  wineserver -w
  ovx_prefix_has_settings
}

ovx_prepare_prefix() {
  if [ -f "$WINEPREFIX/.ovx-ready" ]; then return 0; fi
  echo "== preparing the Wine prefix (first run only)"
  local try
  for try in 1 2 3; do
    if ovx_boot_prefix && ovx_prefix_settings_in; then
      wineserver -w
      touch "$WINEPREFIX/.ovx-ready"
      return 0
    fi
    echo "preparing the Wine prefix failed (attempt $try); wineboot said:" >&2
    tail -n 5 "$ovx_build_dir/wineboot.log" >&2
    wineserver -k >/dev/null 2>&1 || true
    wineserver -w
  done
  echo "what the prefix holds:" >&2
  ls -la "$WINEPREFIX" "$WINEPREFIX/drive_c/windows/system32" 2>&1 | head -n 20 >&2
  grep -n -A2 'WineDbg' "$WINEPREFIX/user.reg" >&2
  return 1
}

# Wine draws caption buttons with Marlett, which it finds only in the prefix's Fonts folder;
# without it the buttons read "0 1 r".
ovx_prefix_fonts() {
  local fonts="$WINEPREFIX/drive_c/windows/Fonts" font
  [ -f "$fonts/marlett.ttf" ] && return 0
  font=$(dpkg -L fonts-wine 2>/dev/null | grep -i '/marlett\.ttf$' | head -n 1)
  [ -n "$font" ] || { echo "Wine's marlett.ttf is missing (package fonts-wine)" >&2; return 1; }
  mkdir -p "$fonts" && cp "$font" "$fonts/marlett.ttf"
}

ovx_wine_start() {
  ovx_start_display
  ovx_prepare_prefix || return 1
  ovx_prefix_fonts || return 1
  wineserver -k >/dev/null 2>&1 || true
  wineserver -w
  wineserver -p </dev/null >/dev/null 2>&1
}

ovx_wine_stop() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "$ovx_xvfb_pid" ]; then kill "$ovx_xvfb_pid" 2>/dev/null || true; wait "$ovx_xvfb_pid" 2>/dev/null || true; fi
}
