#!/usr/bin/env bash
# What a window writes is cleaned up after a signal as what the command line writes is: on a
# file system without unnamed temporary files (simulated by a preloaded shim), SIGINT,
# SIGTERM and SIGHUP while the viewer's "Convertir vers Voyager 200", the main window's
# "Convertir !" or a command-line conversion holds its named temporary file end the program
# by that signal and leave no temporary file behind.
# Usage: signal_windows_test.sh path/to/orbisk path/to/shim.so examples-folder
#        (run under xvfb-run by CTest)
set -euo pipefail
orbisk="$1"
shim="$2"
examples="$3"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work"
source "$(dirname "${BASH_SOURCE[0]}")/x11_helpers.sh"
# A sanitized build wants its own runtime first; the shim only wraps open calls.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}verify_asan_link_order=0"
cd "$work"

# Waits until the shim says the temporary file exists (it then waits for the signal, however
# long this takes), then sends the signal, and checks the program ended by it with nothing
# left.
signal_while_writing() {
  local program="$1" signal="$2" what="$3"
  for _ in $(seq 200); do [ -e mark ] && break; sleep 0.05; done
  [ -e mark ] || fail "$what: no temporary file was made"
  [ -e "$(cat mark)" ] || fail "$what: the temporary file $(cat mark) is not there"
  kill "-$signal" "$program"
  # The shim waits while the mark is there: the signal is sent, it may go on.
  rm -f mark
  local status=0
  wait "$program" || status=$?
  [ "$status" -eq $((128 + $(kill -l "$signal"))) ] || fail "$what: ended with status $status"
  leftovers=$(find . -name '.orbisk-*' | wc -l)
  [ "$leftovers" -eq 0 ] || fail "$what: $signal left $(find . -name '.orbisk-*')"
  [ ! -e formules.v2t ] || fail "$what: a target was made"
  echo "$what: $signal left no temporary file"
}

# Started in the background, a script's commands would ignore SIGINT, and rightly keep
# ignoring it: each run gets the default action back.
run() {
  ORBISK_PAUSE_MARK="$work/mark" LD_PRELOAD="$shim" exec env --default-signal=INT "$orbisk" "$@" \
    </dev/null
}

cp "$examples/formules.9xt" .
for signal in INT TERM HUP; do
  run --view formules.9xt &
  program=$!
  window=$(wait_for_window "formules.9xt – Orbisk")
  type_into "$window" alt+c
  signal_while_writing "$program" "$signal" "the viewer"

  run &
  program=$!
  window=$(wait_for_window "Conversion text TI92\\+ / V200")
  xdotool windowfocus --sync "$window"
  # The source field, then "Convertir !" (their places at 96 DPI).
  xdotool mousemove --window "$window" 150 80 click 1
  xdotool type --delay 5 "$work/formules.9xt"
  xdotool mousemove --window "$window" 200 132 click 1
  signal_while_writing "$program" "$signal" "the main window"

  run formules.9xt &
  signal_while_writing "$!" "$signal" "the command line"
done
