#!/usr/bin/env bash
# Runs the program in its window on an X server of its own, then takes the
# server away under it, as when a remote session drops: the program must
# end by itself, not hang.
#   lose_display.sh PROGRAM
# Exit status: 0 when the program ended within 20 s of losing the server;
# 90 when its window never showed, 91 when it was still running (it is then
# killed), 93 when no display number was free.
set -u
program=$1

display=
for number in $(seq 90 120); do
  if [ ! -e "/tmp/.X11-unix/X$number" ] && [ ! -e "/tmp/.X$number-lock" ]; then
    display=":$number"
    break
  fi
done
[ -n "$display" ] || exit 93

Xvfb "$display" -screen 0 1280x800x24 >/dev/null 2>&1 &
server=$!
sleep 2
DISPLAY=$display "$program" --size 800x520 >/dev/null 2>&1 &
pid=$!

stop() {
  kill -9 "$pid" 2>/dev/null
  kill "$server" 2>/dev/null
  exit "$1"
}

window=$(DISPLAY=$display timeout 60 xdotool search --sync --onlyvisible --name 'Quorvane' |
         head -n 1)
[ -n "$window" ] || stop 90
sleep 2
kill "$server"
wait "$server" 2>/dev/null

for _ in $(seq 200); do
  kill -0 "$pid" 2>/dev/null || exit 0
  sleep 0.1
done
stop 91
