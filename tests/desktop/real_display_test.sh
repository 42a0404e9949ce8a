#!/usr/bin/env bash
# The real orbisk on a virtual X display: the window opens with its caption and size, and
# without a terminal the overwrite question is a message box whose default answer is Yes.
# Usage: real_display_test.sh path/to/orbisk   (run under xvfb-run by CTest)
set -euo pipefail
orbisk="$1"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work"

source "$(dirname "${BASH_SOURCE[0]}")/x11_helpers.sh"

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
type_into "$box" Return
status=0
wait "$program" || status=$?
[ "$status" -eq 0 ] || fail "orbisk ended with status $status: $(cat "$work/err")"
[ "$(stat -c %s "$work/-platform.v2t")" -eq 1000 ] || fail "the target was not replaced"
[ ! -s "$work/err" ] || fail "standard error is not empty: $(cat "$work/err")"
echo "message box answered Yes by default: target replaced, standard error empty"
