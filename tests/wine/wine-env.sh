# shellcheck shell=bash
# The one way that the project's scripts run Windows programs under Wine (tools/run-saver, the
# test runner wine-run, the end-to-end tests); source this file.
#   orv_wine_prefix         the prefix exists and its wineserver runs with Wine's services
#                           already started (a service started by a test would inherit the
#                           test's output pipe and keep CTest waiting for ever)
#   orv_canary_runs EXE     whether this machine runs EXE's kind of Windows program
#   orv_start_xvfb DEPTH    an Xvfb of its own
#   orv_pe_bits EXE         32 or 64

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
      # DirectDraw without OpenGL, and no waiting for a window manager that isn't there. Both
      # keys lie in the part of the registry that 32-bit and 64-bit programs share.
      wine reg add 'HKCU\Software\Wine\Direct3D' /v renderer /t REG_SZ /d gdi /f > /dev/null 2>&1 9>&-
      wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f > /dev/null 2>&1 9>&-
      wineserver -w 9>&-
      touch "$WINEPREFIX/.orvessan-ready"
    fi
    wineserver -p > /dev/null 2>&1 9>&- || true
    wine cmd /c exit > /dev/null 2>&1 < /dev/null 9>&-
  ) 9> "$WINEPREFIX.lock"
}

# orv_canary_runs CANARY.exe: true when the canary (built for the width of the programs to run)
# returns 7. Without 32-bit Wine a 32-bit program "runs" and returns 0 without doing anything,
# so a failed canary means that such programs must be reported as skipped, never as passed.
# The answer is kept per prefix and per canary build; the prefix must be ready (orv_wine_prefix).
orv_canary_runs() {
  local stamp
  stamp="$WINEPREFIX/.canary-$(cksum < "$1" | cut -d' ' -f1)"
  if [ ! -e "$stamp" ]; then
    wine "$1" > /dev/null 2>&1 < /dev/null
    echo $? > "$stamp.tmp.$$" && mv "$stamp.tmp.$$" "$stamp"
  fi
  [ "$(cat "$stamp")" = 7 ]
}

# orv_skip CANARY.exe: says why on standard error and exits with 77, CTest's "skipped".
orv_skip() {
  echo "skipped: this machine can't run $(basename "$1")'s kind of Windows program under Wine" >&2
  exit 77
}

# orv_start_xvfb DEPTH DIR: an Xvfb of 1024x768 at DEPTH bits per pixel on a free display, its
# number written to DIR/display. Exports DISPLAY and sets orv_xvfb_pid (the caller stops it);
# fails when the server hasn't answered within 5 s.
orv_start_xvfb() {
  local file=$2/display i
  Xvfb -displayfd 5 -screen 0 1024x768x"$1" -nolisten tcp 5> "$file" > /dev/null 2>&1 &
  orv_xvfb_pid=$!
  for i in $(seq 100); do
    [ -s "$file" ] && break
    sleep 0.05
  done
  [ -s "$file" ] || return 1
  DISPLAY=:$(head -n1 "$file")
  export DISPLAY
}

# orv_pe_bits FILE: 32 or 64, from the machine field of a Windows program's PE header. Tests
# that write the redirected part of the registry need it: a WoW64 prefix keeps a view per width.
orv_pe_bits() {
  local offset machine
  offset=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  [ -n "$offset" ] || return 1
  machine=$(od -An -tx2 -j$((offset + 4)) -N2 "$1" | tr -d ' ')
  case $machine in
    014c) echo 32 ;;
    8664) echo 64 ;;
    *) return 1 ;;
  esac
}
