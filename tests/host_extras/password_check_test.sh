#!/usr/bin/env bash
# The password check under Wine, driven on a plain window by password_driver.exe with the test
# double of "PASSWORD.CPL" beside it and "ScreenSaveUsePassword" set in the prefix's registry:
# the double is called with the window; a wrong answer refuses and hides the cursor; a request
# within 200 ms is refused without a call; a later one calls again and a right answer grants;
# a request while the dialog is up is refused; the screen-saver-running state is on while the
# check is loaded and off after. Without the setting (or set to 0, or longer than four bytes),
# without the library or without its routine, every request is granted at once.
#   password_check_test.sh CANARY.exe password_driver.exe PASSWORD.CPL PASSWORD.CPL-without-routine
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/host_extras/gui_session.sh
. "$here/gui_session.sh"
driver=$2 double=$3 double_without_routine=$4

trap orv_gui_stop EXIT
orv_gui_start "$1" || exit $?

# run_case NAME TYPE DATA LIBRARY ANSWERS STEPS...: TYPE DATA of the setting (TYPE "none": no
# setting), LIBRARY the double to place beside the driver ("none": nothing), ANSWERS the
# double's answers, one per line. Leaves the driver's output in $out, the doubles' log in $log
# and the window's number in $window.
run_case() {
  local name=$1 type=$2 data=$3 library=$4 answers=$5
  shift 5
  local dir=$orv_gui_dir/$name
  mkdir -p "$dir"
  cp "$driver" "$dir/"
  [ "$library" = none ] || cp "$library" "$dir/PASSWORD.CPL"
  printf '%b' "$answers" > "$dir/password-answers.txt"
  local key='HKCU\Control Panel\Desktop'
  if [ "$type" = none ]; then
    wine reg delete "$key" /v ScreenSaveUsePassword /f > /dev/null 2>&1
  else
    wine reg add "$key" /v ScreenSaveUsePassword /t "$type" /d "$data" /f > /dev/null 2>&1 ||
      orv_fail "$name: can't set the registry value"
  fi
  (cd "$dir" && wine "./$(basename "$driver")" "$@" > out.txt 2> err.txt < /dev/null)
  local status=$?
  [ "$status" = 0 ] || orv_fail "$name: driver exit status $status: $(cat "$dir/err.txt")"
  sed -i 's/\r$//' "$dir/out.txt"  # the console's line ends
  out=$dir/out.txt log=$dir/doubles.log
  window=$(sed -n 's/^window=\([0-9]*\) .*/\1/p' "$out")
  foreground=$(sed -n 's/^window=[0-9]* foreground=\([0-9]*\) .*/\1/p' "$out")
  case_name=$name
}

# expect_output LINE-PATTERN...: the driver's lines, after the first, match these extended
# regular expressions in order (a pattern may match "ms" where the line has a tick difference).
expect_output() {
  local expected actual
  expected=$(printf '%s\n' "$@")
  actual=$(tail -n +2 "$out" | sed 's/ sinceDialog=[0-9]*//')
  if [ "$(echo "$actual" | wc -l)" != "$#" ] || ! paste -d '\n' <(echo "$expected") <(echo "$actual") |
    awk 'NR % 2 == 1 { p = $0; next } $0 !~ "^" p "$" { bad = 1 } END { exit bad }'; then
    orv_fail "$case_name: driver output"
    echo "expected:"; echo "$expected"; echo "got:"; tail -n +2 "$out"
  fi
}

# expect_log LINE...: the doubles' log is exactly these lines ("W" stands for the window).
expect_log() {
  local expected actual
  expected=$(printf '%s\n' "$@" | sed "s/\\bW\\b/$window/g")
  actual=$(cat "$log" 2> /dev/null)
  if [ "$expected" != "$actual" ]; then
    orv_fail "$case_name: doubles' log"
    echo "expected:"; echo "$expected"; echo "got:"; echo "$actual"
  fi
}

owner='owner=W class="OrvPasswordDriver" title="Password driver"'
state_on='verify=1 running=1'
state_off='verify=0 running=0'

# A wrong answer, a request at once, a request 250 ms later with the right answer.
run_case wrong-then-right REG_DWORD 1 "$double" '0\n1\n' load close close wait:250 close unload
expect_output "load=1 approved=0 checking=0 $state_on cursor=shown" \
  "WM_APP" "close=0 approved=0 checking=0 $state_on cursor=hidden" \
  "close=0 approved=0 checking=0 $state_on cursor=shown" \
  "WM_APP" "close=1 approved=1 checking=0 $state_on cursor=shown" \
  "unload=0 approved=1 checking=0 $state_off cursor=shown"
expect_log "PASSWORD.CPL loaded" \
  "VerifyScreenSavePwd $owner running=1 answer=0" \
  "VerifyScreenSavePwd $owner running=1 answer=1" \
  "PASSWORD.CPL freed"
since=$(sed -n '5s/.* sinceDialog=\([0-9]*\)$/\1/p' "$out")
[ "${since:-999}" -lt 200 ] ||
  orv_fail "$case_name: the machine took ${since:-?} ms between two steps; the 200 ms gap went untested"
[ "$foreground" = "$window" ] || orv_fail "$case_name: the driver's window isn't in the foreground"

# A close request that the dialog's own message loop dispatches is refused at once.
run_case request-during-dialog REG_DWORD 1 "$double" '1 400\n' load post-close close unload
expect_output "load=1 approved=0 checking=0 $state_on cursor=shown" "WM_APP" \
  "WM_CLOSE close=0 approved=0 checking=1 $state_on cursor=.*" \
  "close=1 approved=1 checking=0 $state_on cursor=shown" \
  "unload=0 approved=1 checking=0 $state_off cursor=shown"
expect_log "PASSWORD.CPL loaded" "VerifyScreenSavePwd $owner running=1 answer=1" "PASSWORD.CPL freed"

# The text "0" is data 0x30 0x00: a password is in use.
run_case text-zero REG_SZ 0 "$double" '' load unload
expect_output "load=1 approved=0 checking=0 $state_on cursor=shown" \
  "unload=0 approved=0 checking=0 $state_off cursor=shown"
expect_log "PASSWORD.CPL loaded" "PASSWORD.CPL freed"

# No password: every request is granted at once, the library is never loaded and the
# screen-saver-running state stays off.
for setting in "dword-zero REG_DWORD 0" "five-bytes REG_BINARY 0100000000" "no-setting none -"; do
  read -r name type data <<< "$setting"
  run_case "$name" "$type" "$data" "$double" '1\n' load close unload
  expect_output "load=0 approved=0 checking=0 $state_off cursor=shown" \
    "close=1 approved=1 checking=0 $state_off cursor=shown" \
    "unload=0 approved=1 checking=0 $state_off cursor=shown"
  expect_log
done

run_case no-library REG_DWORD 1 none '' load close unload
expect_output "load=0 approved=0 checking=0 $state_off cursor=shown" \
  "close=1 approved=1 checking=0 $state_off cursor=shown" \
  "unload=0 approved=1 checking=0 $state_off cursor=shown"

# The library without its routine is freed again at once.
run_case no-routine REG_DWORD 1 "$double_without_routine" '' load close
expect_output "load=0 approved=0 checking=0 $state_off cursor=shown" \
  "close=1 approved=1 checking=0 $state_off cursor=shown"
expect_log "PASSWORD.CPL loaded" "PASSWORD.CPL freed"

wine reg delete 'HKCU\Control Panel\Desktop' /v ScreenSaveUsePassword /f > /dev/null 2>&1
orv_result "password check"
