#!/usr/bin/env bash
# The configure dialog under Wine: it appears titled "Orvessan's Screen Saver" with its texts
# on the dialog face; Escape and the caption's close button leave it open; Enter ends it and
# the program with exit code 1.
#   config_dialog_test.sh CANARY.exe config_dialog_driver.exe [SCREENSHOT_DIR]
set -u
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# shellcheck source=tests/host_extras/gui_session.sh
. "$here/gui_session.sh"
driver=$2
shots=${3:-}

trap orv_gui_stop EXIT
orv_gui_start "$1" || exit $?
title="Orvessan's Screen Saver"

wine "$driver" > /dev/null 2>&1 < /dev/null &
pid=$!
if ! id=$(orv_wait_window "$title"); then
  orv_fail "no window titled \"$title\" appeared"
  kill "$pid" 2> /dev/null
  exit 1
fi
sleep 0.5  # let it paint
shot=${shots:-$orv_gui_dir}/config-dialog.png
orv_screenshot "$shot"
eval "$(xdotool getwindowgeometry --shell "$id")"
# The caption's close button sits at the right end of the caption bar; the lower middle of the
# dialog (between the last text and the button) shows the dialog face, not the black screen.
close_x=$((X + WIDTH - 14)) close_y=$((Y + 11))
face=$(orv_pixel "$shot" $((X + WIDTH / 2)) $((Y + HEIGHT * 2 / 3 - 8)))
[ "$face" != "0,0,0" ] || orv_fail "the dialog's face is black in $shot"
caption=$(orv_pixel "$shot" $((X + 30)) $((Y + 3)))
if [ "$caption" = "$face" ] || [ "$caption" = "0,0,0" ]; then
  orv_fail "no caption bar in $shot ($caption)"
fi

xdotool windowfocus --sync "$id"
xdotool key Escape
sleep 1
dialog_open() { kill -0 "$pid" 2> /dev/null && ! orv_window_gone "$id"; }
dialog_open || orv_fail "Escape closed the dialog"

xdotool mousemove "$close_x" "$close_y" click 1
sleep 1
dialog_open || orv_fail "the close button closed the dialog"

xdotool windowfocus --sync "$id"
xdotool key Return
for _ in $(seq 50); do kill -0 "$pid" 2> /dev/null || break; sleep 0.2; done
if kill -0 "$pid" 2> /dev/null; then
  orv_fail "Enter didn't end the dialog"
  kill "$pid" 2> /dev/null
else
  wait "$pid"
  status=$?
  [ "$status" = 1 ] || orv_fail "exit code after Enter: $status, expected 1"
fi

orv_result "configure dialog"
