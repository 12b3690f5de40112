#!/usr/bin/env bash
# Runs the program in its window on the caller's X display (under xvfb-run),
# takes a picture of the window once frames have run, then leaves through the
# File menu with the mouse, as a user would: a click in the scene, a click on
# "File", then one on its item "Exit".
#   drive_window.sh PROGRAM PICTURE.png
# Exit status: the program's own; 90 when its window never showed, 91 when
# it was still running after Exit (it is then killed), 92 when the picture
# could not be taken.
set -u
program=$1
picture=$2

"$program" --size 1000x640 &
pid=$!

stop() {
  kill "$pid" 2>/dev/null
  wait "$pid" 2>/dev/null
  exit "$1"
}

window=$(timeout 60 xdotool search --sync --onlyvisible --name '^Untitled - Quorvane$' | head -n 1)
[ -n "$window" ] || stop 90
sleep 3  # let frames run and the frame rate reach the caption
import -window "$window" "$picture" || stop 92

# Positions in the window: the menu bar is 19 pixels high, "File" its first
# title; "Exit" is chosen in the open popup by its underlined letter. A click
# in the scene first: the menu must open on the first click after it.
xdotool mousemove --window "$window" 700 300 click 1
sleep 1
xdotool mousemove --window "$window" 20 9 click 1
sleep 1
xdotool key x

for _ in $(seq 150); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.1
done
kill -0 "$pid" 2>/dev/null && stop 91
wait "$pid"
