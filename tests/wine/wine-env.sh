# Wine settings for running the project's Windows programs; source this file.
# orv_wine_prefix makes sure that the prefix exists and that its wineserver runs with Wine's
# services already started (a service started by a test would inherit the test's output
# pipe and keep CTest waiting for ever).

export WINEDEBUG=${WINEDEBUG:--all}
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-"winemenubuilder.exe=d;mscoree=d;mshtml=d"}
export WINEPREFIX=${WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/orvessan/wineprefix}

orv_wine_prefix() {
  mkdir -p "$(dirname "$WINEPREFIX")" || return 1
  (
    flock 9
    if [ ! -e "$WINEPREFIX/.orvessan-ready" ]; then
      echo "creating Wine prefix $WINEPREFIX" >&2
      wineboot -i > /dev/null 2>&1 < /dev/null 9>&-
      # DirectDraw without OpenGL, and no waiting for a window manager that isn't there.
      wine reg add 'HKCU\Software\Wine\Direct3D' /v renderer /t REG_SZ /d gdi /f > /dev/null 2>&1 9>&-
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f > /dev/null 2>&1 9>&-
      wineserver -w 9>&-
      touch "$WINEPREFIX/.orvessan-ready"
    fi
    wineserver -p > /dev/null 2>&1 9>&- || true
    wine cmd /c exit > /dev/null 2>&1 < /dev/null 9>&-
  ) 9> "$WINEPREFIX.lock"
}
