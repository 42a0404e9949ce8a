#!/usr/bin/env bash
# The real orbisk on a virtual X display: the window opens with its caption and size, and
# without a terminal the overwrite question is a message box whose default answer is Yes.
# Usage: real_display_test.sh path/to/orbisk   (run under xvfb-run by CTest)
set -euo pipefail
orbisk="$1"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work"

wait_for_window() {  # prints the window id of the first window named $1
  local id
  for _ in $(seq 100); do
    id=$(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null | head -n 1) || true
    [ -n "$id" ] && { echo "$id"; return 0; }
    sleep 0.1
  done
  echo "no window named '$1' appeared" >&2
  return 1
}

fail() { echo "FAILED: $*" >&2; exit 1; }

# Without arguments: the main window.
"$orbisk" </dev/null &
program=$!
window=$(wait_for_window "Conversion text TI92\\+ / V200")
geometry=$(xwininfo -id "$window" | awk '/Width:/ {w=$2} /Height:/ {h=$2} END {print w "x" h}')
[ "$geometry" = "428x146" ] || fail "window is $geometry, not 428x146 at 96 DPI"
kill "$program"; wait "$program" 2>/dev/null || true
echo "window opened: $geometry"

# With a file and an existing target, no terminal: a message box; Return answers Yes. The
# file's name looks like one of Qt's own options, and there is no runtime folder, which Qt
# would note on standard error: neither may reach the user.
head -c 1000 /dev/urandom > "$work/-platform.9xt"
echo old > "$work/-platform.v2t"
(cd "$work" && exec env -u XDG_RUNTIME_DIR "$orbisk" -- -platform </dev/null 2>"$work/err") &
program=$!
box=$(wait_for_window "Orbisk")
sleep 0.5
# No window manager runs here: give the box the keyboard, then type as a user would.
xdotool windowfocus --sync "$box"
xdotool key Return
status=0
wait "$program" || status=$?
[ "$status" -eq 0 ] || fail "orbisk ended with status $status: $(cat "$work/err")"
[ "$(stat -c %s "$work/-platform.v2t")" -eq 1000 ] || fail "the target was not replaced"
[ ! -s "$work/err" ] || fail "standard error is not empty: $(cat "$work/err")"
echo "message box answered Yes by default: target replaced, standard error empty"
