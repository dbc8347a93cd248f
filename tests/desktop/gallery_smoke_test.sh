#!/usr/bin/env bash
# Desktop smoke test: runs velmora-gallery in a real window on a private Xvfb server, clicks
# controls with xdotool, checks the notifications the gallery prints and saves a screenshot.
#   gallery_smoke_test.sh GALLERY OUTPUT_DIR
# Works on a bare machine as root: no desktop session, no message bus, no window manager.
set -u

gallery=$1
out=$2
mkdir -p "$out"
log=$out/gallery.log
rm -f "$log" "$out/display" "$out/gallery.png"

export NO_AT_BRIDGE=1 GDK_BACKEND=x11
unset DBUS_SESSION_BUS_ADDRESS WAYLAND_DISPLAY

xvfb_pid=
gallery_pid=
cleanup() {
  [ -n "$gallery_pid" ] && kill "$gallery_pid" 2>/dev/null && wait "$gallery_pid" 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null && wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  echo "--- gallery output ---"
  cat "$log" 2>/dev/null
  exit 1
}

# wait_for SECONDS COMMAND...: retries the command every 0.1 s until it succeeds.
wait_for() {
  local tries=$(($1 * 10))
  shift
  while ! "$@" 2>/dev/null; do
    tries=$((tries - 1))
    [ "$tries" -le 0 ] && return 1
    sleep 0.1
  done
}

has_line() { grep -q -- "$1" "$log"; }
file_filled() { [ -s "$1" ]; }

# Xvfb chooses a free display and writes its number once it accepts clients.
Xvfb -displayfd 5 -screen 0 1280x800x24 -nolisten tcp 5>"$out/display" 2>"$out/xvfb.log" &
xvfb_pid=$!
wait_for 20 file_filled "$out/display" || fail "Xvfb did not start"
export DISPLAY=:$(head -n1 "$out/display")

"$gallery" >"$log" 2>"$out/gallery.err" &
gallery_pid=$!
wait_for 30 has_line '^ready$' || fail "the gallery did not come up ($(cat "$out/gallery.err"))"
window=$(timeout 20 xdotool search --sync --name '^VELMORA gallery$' | head -n1)
[ -n "$window" ] || fail "no gallery window on the display"

# centre NAME: sets cx, cy to the middle of the named control, as the gallery reported it.
centre() {
  local rect
  rect=$(grep -m1 "^layout $1 " "$log") || fail "the gallery has no control $1"
  set -- $rect
  cx=$(( ($3 + $5) / 2 ))
  cy=$(( ($4 + $6) / 2 ))
}

# click NAME [BUTTON]: clicks the middle of the named control (button 1 unless given).
click() {
  centre "$1"
  xdotool mousemove --window "$window" "$cx" "$cy" click "${2:-1}"
}

double_click() {
  centre "$1"
  xdotool mousemove --window "$window" "$cx" "$cy" click --repeat 2 --delay 80 1
}

expect() {
  wait_for 10 has_line "$1" || fail "no '$1' line"
}

# popup NAME: the pop-up window of that title (combo drop-down, menu) once it shows.
popup() {
  local id
  id=$(timeout 10 xdotool search --sync --onlyvisible --name "^$1\$" | head -n1)
  [ -n "$id" ] || fail "no $1 window"
  echo "$id"
}

click gallery_button
expect '^notify click sender=gallery_button wparam=0 lparam=0$'
click gallery_check
expect '^notify selectchanged sender=gallery_check '
click gallery_radio2
expect '^notify selectchanged sender=gallery_radio2 '
click gallery_tab2
expect '^notify selectchanged sender=gallery_tab2 '
expect '^notify tabselect sender=gallery_tabs_layout wparam=1 '
# A disabled button stays silent.
click gallery_disabled_button
sleep 0.3
has_line 'sender=gallery_disabled_button' && fail "the disabled button sent a notification"

# Text typed through the input method, then Return.
click gallery_edit
xdotool type --delay 20 "abc"
xdotool key Return
expect '^notify textchanged sender=gallery_edit '
expect '^notify return sender=gallery_edit '
# Tab moves the focus on; text copied from one edit is pasted into the rich edit through the
# clipboard.
xdotool key Tab
expect '^notify setfocus sender=gallery_number_edit '
sleep 0.5  # a click on the same spot within the double-click time would be a double click
click gallery_edit
expect '^notify setfocus sender=gallery_edit '
xdotool key ctrl+a ctrl+c
click gallery_richedit
xdotool key ctrl+v
expect '^notify textchanged sender=gallery_richedit '
click gallery_slider
expect '^notify valuechanged sender=gallery_slider '
click gallery_list_2
expect '^notify itemselect sender=gallery_list wparam=1 '
click gallery_palette
expect '^notify colorchanged sender=gallery_palette '
# A quick second click is a double click; the wheel scrolls the list.
double_click gallery_list_3
expect '^notify itemactivate sender=gallery_list_3 '
click gallery_list 5
expect '^notify scroll sender=gallery_list '

# Dragging: the slider's thumb reports while it moves; the caption moves the window.
centre gallery_slider
xdotool mousemove --window "$window" "$cx" "$cy" mousedown 1 mousemove --window "$window" $((cx - 60)) "$cy" mouseup 1
expect '^notify movevaluechanged sender=gallery_slider '
before=$(xdotool getwindowgeometry "$window" | grep Position)
xdotool mousemove --window "$window" 300 20 mousedown 1
sleep 0.2
xdotool mousemove_relative 20 20
sleep 0.1
xdotool mousemove_relative 20 20
sleep 0.2
xdotool mouseup 1
sleep 0.3
after=$(xdotool getwindowgeometry "$window" | grep Position)
[ "$before" != "$after" ] || fail "dragging the caption did not move the window ($before)"

# The combo opens its drop-down window; a click on the second item selects it.
click gallery_combo
expect '^notify dropdown sender=gallery_combo '
xdotool mousemove --window "$(popup ComboWnd)" 60 39 click 1
expect '^notify itemselect sender=gallery_combo wparam=1 '

# The menu button opens a pop-up menu; its first command comes back to the window.
click gallery_menu_btn
menu=$(popup MenuWnd)
xdotool mousemove --window "$menu" 60 15
sleep 0.3
import -window root "$out/gallery_menu.png" || fail "no screenshot of the menu"
xdotool click 1
expect '^menu command=gallery_menu_first$'

# Let the last repaint reach the screen, then photograph it.
xdotool mousemove --window "$window" 5 300
sleep 0.5
import -window root "$out/gallery.png" || fail "no screenshot"

# The menu's exit command ends the program normally.
click gallery_menu_btn
xdotool mousemove --window "$(popup MenuWnd)" 60 71 click 1
expect '^menu command=gallery_menu_exit$'
for _ in $(seq 100); do kill -0 "$gallery_pid" 2>/dev/null || break; sleep 0.1; done
kill -0 "$gallery_pid" 2>/dev/null && fail "the gallery did not exit"
wait "$gallery_pid"
status=$?
gallery_pid=
[ "$status" -eq 0 ] || fail "the gallery exited with status $status"
echo "PASS: screenshots $out/gallery.png and $out/gallery_menu.png"
