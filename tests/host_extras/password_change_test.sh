#!/usr/bin/env bash
# The password change under Wine, driven by password_driver.exe with the test double of
# "MPR.DLL" beside it: the double is called with "SCRSAVE", the owner and 0, 0; the owner is the
# window whose number the text gives, or the foreground window when the number names no window
# or is missing; without the library nothing happens and the result is still 0.
#   password_change_test.sh CANARY.exe password_driver.exe MPR.DLL
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/host_extras/gui_session.sh
. "$here/gui_session.sh"
driver=$2 double=$3

trap orv_gui_stop EXIT
orv_gui_start "$1" || exit $?
# Wine has a built-in MPR.DLL that it would load instead of the one beside the program.
export WINEDLLOVERRIDES="$WINEDLLOVERRIDES;mpr=n"

# run_change NAME LIBRARY TEXT: StartPasswordChange(TEXT) with LIBRARY ("none": nothing) beside
# the driver; "WINDOW" in TEXT stands for the driver's window (in the foreground), "OTHER" for
# its second window.
run_change() {
  local name=$1 library=$2 text=$3 dir=$orv_gui_dir/$1
  mkdir -p "$dir"
  cp "$driver" "$dir/"
  [ "$library" = none ] || cp "$library" "$dir/MPR.DLL"
  (cd "$dir" && wine "./$(basename "$driver")" "change:$text" > out.txt 2> err.txt < /dev/null)
  local status=$?
  sed -i 's/\r$//' "$dir/out.txt"
  [ "$status" = 0 ] || orv_fail "$name: driver exit status $status: $(cat "$dir/err.txt")"
  grep -qx 'change=0' "$dir/out.txt" || orv_fail "$name: StartPasswordChange didn't return 0"
  window=$(sed -n 's/^window=\([0-9]*\) .*/\1/p' "$dir/out.txt")
  foreground=$(sed -n 's/^window=[0-9]* foreground=\([0-9]*\) .*/\1/p' "$dir/out.txt")
  other=$(sed -n 's/^window=.* other=\([0-9]*\)$/\1/p' "$dir/out.txt")
  log=$dir/doubles.log
}

# expect_call NAME OWNER TITLE: the double was called exactly once, with OWNER as owner.
expect_call() {
  local wanted="PwdChangePasswordA provider=SCRSAVE owner=$2"
  wanted+=" class=\"OrvPasswordDriver\" title=\"$3\" reserved=0,0"
  if [ "$(cat "$log" 2> /dev/null)" != "$wanted" ]; then
    orv_fail "$1: the double's log"
    echo "expected: $wanted"
    echo "got: $(cat "$log" 2> /dev/null)"
  fi
}

run_change given-owner "$double" "OTHER"
expect_call given-owner "$other" "Other window"
[ "$foreground" = "$window" ] || orv_fail "the driver's window isn't in the foreground"

# No number, a number that names no window, and 2^32 + 1 (wraps to 1, no window either): the
# foreground window, which is the driver's own.
for case in "no-number:" "no-window:12" "wrapped:4294967297 and more"; do
  run_change "${case%%:*}" "$double" "${case#*:}"
  expect_call "${case%%:*}" "$foreground" "Password driver"
done

run_change no-library none "WINDOW"
[ ! -e "$log" ] || orv_fail "no-library: something was logged: $(cat "$log")"

orv_result "password change"
