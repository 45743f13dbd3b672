# shellcheck shell=bash
# Shared steps of the end-to-end tests, the one way that they start a display and Wine;
# source it after setting WINEPREFIX to the tests' own prefix, E2E_NAME to the test's name,
# E2E_DIR to this folder, E2E_CANARY to the canary program and E2E_SCR, E2E_HELPER to
# orvessan.scr and e2e_helper.exe.
# Each test gets its own Xvfb on a free display and its own wineserver (in the Wine prefix kept
# for its group of tests, which therefore run one at a time), and leaves neither behind.

shopt -s extglob  # patterns of e2e_expect_lines
E2E_WIDTH=1024
E2E_HEIGHT=768
e2e_pids=()
e2e_xvfb=""
e2e_tmp=$(mktemp -d)

e2e_log() { echo "[$(date +%T.%3N)] $*" >&2; }
e2e_fail() {
  e2e_log "FAIL: $*"
  e2e_keep_shots
  exit 1
}

# Keeps the screenshots of a failed test as PNG files beside the build's test output.
e2e_keep_shots() {
  local dir=${E2E_SHOT_DIR:-$PWD/e2e-shots}/$E2E_NAME f
  mkdir -p "$dir"
  for f in "$e2e_tmp"/*.rgb; do
    [ -e "$f" ] || continue
    /usr/bin/convert -size ${E2E_WIDTH}x${E2E_HEIGHT} -depth 8 "rgb:$f" \
      "$dir/$(basename "$f" .rgb).png" 2> /dev/null || true
  done
  e2e_log "screenshots kept in $dir"
}

e2e_cleanup() {
  local pid
  for pid in "${e2e_pids[@]}"; do kill "$pid" 2> /dev/null || true; done
  wineserver -k > /dev/null 2>&1 || true
  for pid in "${e2e_pids[@]}"; do wait "$pid" 2> /dev/null || true; done
  if [ -n "$e2e_xvfb" ]; then
    kill "$e2e_xvfb" 2> /dev/null || true
    wait "$e2e_xvfb" 2> /dev/null || true
  fi
  rm -rf "$e2e_tmp"
}
trap e2e_cleanup EXIT

# e2e_start DEPTH: an Xvfb of 1024x768 at DEPTH bits on a free display, then the wineserver
# and Wine's services on it. Exits 77 when this machine can't run the canary's kind of program.
e2e_start() {
  orv_start_xvfb "$1" "$e2e_tmp" || e2e_fail "Xvfb did not start"
  e2e_xvfb=$orv_xvfb_pid
  e2e_log "Xvfb ${1}-bit on $DISPLAY"
  # A wineserver left from an earlier test of this prefix belongs to another display.
  wineserver -k > /dev/null 2>&1 || true
  orv_wine_prefix || e2e_fail "no Wine prefix"
  orv_canary_runs "$E2E_CANARY" || orv_skip "$E2E_CANARY"
}

# e2e_saver ARGS...: starts the saver, $E2E_SCR; its process id is in $saver_pid, and what
# Wine writes to its standard error (the traces that WINEDEBUG asks for) in $e2e_tmp/saver.err.
e2e_saver() {
  wine "$E2E_SCR" "$@" < /dev/null > /dev/null 2> "$e2e_tmp/saver.err" &
  saver_pid=$!
  e2e_pids+=("$saver_pid")
}

# e2e_traced_saver ARGS...: e2e_saver with Wine's trace of SystemParametersInfo calls (and of
# the libraries loaded, which every run has: it shows that the trace was taken).
e2e_traced_saver() { WINEDEBUG=-all,+system,+loaddll e2e_saver "$@"; }

# e2e_expect_running_calls STATES WHAT: the last saver started by e2e_traced_saver set the
# screen-saver-running state (SPI_SCREENSAVERRUNNING, 97) to these states, in order ("" none).
e2e_expect_running_calls() {
  grep -q 'trace:loaddll:' "$e2e_tmp/saver.err" || e2e_fail "$2: no trace of the run"
  local calls
  calls=$(grep -ao 'SystemParametersInfoA (97, [0-9]*' "$e2e_tmp/saver.err" | sed 's/.*, //' |
    tr '\n' ' ')
  [ "$calls" = "$1" ] ||
    e2e_fail "$2: the screen-saver-running state was set to \"$calls\", expected \"$1\""
}

e2e_helper() { wine "$E2E_HELPER" "$@" < /dev/null 2> /dev/null; }

# e2e_exit_code PID SECONDS: the process's exit code, or 124 when it is still running then.
e2e_exit_code() {
  local pid=$1 limit=$(($2 * 20)) i
  for ((i = 0; i < limit; i++)); do
    if ! kill -0 "$pid" 2> /dev/null; then
      wait "$pid"
      return $?
    fi
    sleep 0.05
  done
  return 124
}

# e2e_expect_exit PID SECONDS CODE WHAT
e2e_expect_exit() {
  local code=0
  e2e_exit_code "$1" "$2" || code=$?
  [ "$code" = "$3" ] || e2e_fail "$4: exit code $code, expected $3"
  e2e_log "$4: exit code $code"
}

# e2e_expect_running PID WHAT
e2e_expect_running() {
  kill -0 "$1" 2> /dev/null || e2e_fail "$2: the saver has ended"
}

# e2e_shot NAME: a screenshot of the whole display, raw RGB in $e2e_tmp/NAME.rgb.
e2e_shot() {
  xwd -root -silent -display "$DISPLAY" | /usr/bin/convert xwd:- "rgb:$e2e_tmp/$1.rgb" ||
    e2e_fail "screenshot $1"
}
e2e_pixels() {
  local command=$1
  shift
  python3 "$E2E_DIR/pixels.py" "$E2E_WIDTH" "$E2E_HEIGHT" "$command" "$@"
}

# e2e_poll SECONDS COMMAND...: runs the command every 0.2 s until it succeeds; fails after.
e2e_poll() {
  local limit=$1
  shift
  local deadline=$(($(date +%s%N) + limit * 1000000000))
  while ! "$@"; do
    [ "$(date +%s%N)" -lt "$deadline" ] || return 1
    sleep 0.2
  done
}

# e2e_stars_visible NAME MIN: takes screenshot NAME; true when it shows at least MIN star pixels.
e2e_stars_visible() {
  e2e_shot "$1"
  [ "$(e2e_pixels stars "$e2e_tmp/$1.rgb")" -ge "$2" ]
}

# e2e_wait_for_saver: the full-screen saver window exists and stars are being drawn.
e2e_wait_for_saver() {
  e2e_helper find-saver 10000 > /dev/null || e2e_fail "no saver window within 10 s"
  e2e_poll 5 e2e_stars_visible stars 30 || e2e_fail "no stars within 5 s of the window"
}

e2e_elapsed_ms() { echo $((($(date +%s%N) - $1) / 1000000)); }

# e2e_cursor_pixels: how many pixels of the mouse cursor on the display are not transparent
# (0: the cursor is hidden).
e2e_cursor_pixels() { python3 "$E2E_DIR/cursor.py"; }
e2e_cursor_hidden() { [ "$(e2e_cursor_pixels)" = 0 ]; }
e2e_cursor_shown() { [ "$(e2e_cursor_pixels)" -gt 0 ]; }

# e2e_expect_lines WHAT FILE LINE...: FILE holds exactly these lines (carriage returns aside);
# in them "{N}" stands for any decimal number.
e2e_expect_lines() {
  local what=$1 file=$2
  shift 2
  local actual=() i pattern
  [ -e "$file" ] && mapfile -t actual < <(tr -d '\r' < "$file")
  local same=1
  [ "${#actual[@]}" = "$#" ] || same=0
  for ((i = 0; same && i < $#; i++)); do
    pattern=${*:i+1:1}
    pattern=${pattern//"{N}"/+([0-9])}
    # shellcheck disable=SC2053 # the expected line is a pattern
    [[ ${actual[i]} == $pattern ]] || same=0
  done
  if [ "$same" = 0 ]; then
    e2e_log "$what: expected"
    printf '  %s\n' "$@" >&2
    e2e_log "got"
    printf '  %s\n' "${actual[@]}" >&2
    e2e_fail "$what"
  fi
}
