#!/usr/bin/env bash
# The real orbisk's viewer and its word on success, on a virtual X display with a private
# session bus: the viewer shows the sample's text and converts it, a file that is no text is
# reported in a box and opens nothing, and --notify goes to the desktop's notification
# service when one runs, to the completion box otherwise.
# Usage: viewer_test.sh path/to/orbisk path/to/fake_notifications path/to/drag_source
#        examples-folder   (run under xvfb-run and dbus-run-session by CTest)
set -euo pipefail
orbisk="$1"
fake_notifications="$2"
drag_source="$3"
examples="$4"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work"
source "$(dirname "${BASH_SOURCE[0]}")/x11_helpers.sh"
cp "$examples/formules.9xt" "$work/"
cd "$work"

# The viewer on the non-ASCII sample: its text is drawn, Alt+C converts it to Voyager 200
# with the completion box, Alt+F closes it.
"$orbisk" --view formules.9xt </dev/null 2>err &
program=$!
window=$(wait_for_window "formules.9xt – Orbisk")
# The text is drawn once the window has painted: looked at until it is, for ten seconds.
for _ in $(seq 100); do
  import -window "$window" view.png
  ink=$(convert view.png -crop 560x150+40+10 +repage -colorspace Gray -threshold 50% -negate \
          -format "%[fx:mean]" info:)
  awk "BEGIN { exit !($ink > 0.02) }" && break
  sleep 0.1
done
awk "BEGIN { exit !($ink > 0.02) }" || fail "the viewer's text area is blank ($ink)"
type_into "$window" alt+c
box=$(wait_for_window "Conversion terminée")
type_into "$box" Return
"$orbisk" --check formules.v2t >check.out || fail "the viewer's conversion: $(cat check.out)"
# A file dragged from another window and dropped on the viewer opens in it.
"$orbisk" --to 89t formules.9xt </dev/null
"$drag_source" "$work/formules.89t" >drag.out &
dragger=$!
source_window=$(wait_for_window "drag source")
xdotool mousemove --window "$source_window" 50 50 mousedown 1
for _ in $(seq 100); do grep -q dragging drag.out && break; sleep 0.1; done
grep -q dragging drag.out || fail "the drag did not start"
# Over the viewer, the drop is made once the viewer has accepted it.
for step in 700 500 300; do xdotool mousemove "$step" 200; done
for _ in $(seq 100); do grep -q accepted drag.out && break; sleep 0.1; done
grep -q accepted drag.out || fail "the viewer did not accept the drag"
xdotool mouseup 1
wait "$dragger" || fail "the drag was not taken"
wait_for_window "formules.89t – Orbisk" >/dev/null || fail "the dropped file did not open"
echo "viewer: a dropped file opens in it"
type_into "$window" ctrl+w
status=0
wait "$program" || status=$?
[ "$status" -eq 0 ] || fail "the viewer ended with status $status"
[ ! -s err ] || fail "the viewer wrote on standard error: $(cat err)"
echo "viewer: text drawn, converted from it with the completion box, closed"

# A name that is not UTF-8 is kept as bytes: the viewer opens the file, shows its name
# readably, and converts it beside itself under its own bytes.
latin=$'caf\xe9.9xt'
cp formules.9xt "$latin"
"$orbisk" --view "$latin" </dev/null 2>err &
program=$!
window=$(wait_for_window "caf.*\\.9xt – Orbisk")
type_into "$window" alt+c
box=$(wait_for_window "Conversion terminée")
type_into "$box" Return
"$orbisk" --check $'caf\xe9.v2t' >check.out || fail "a name that is not UTF-8: $(cat check.out)"
type_into "$window" ctrl+w
wait "$program" || fail "the viewer of a name that is not UTF-8 ended with status $?"
echo "viewer: a name that is not UTF-8 opens and converts under its own bytes"

# A file that is no calculator text: the checker's report in an error box, no viewer.
printf 'not a calculator file\0' > bad.9xt
"$orbisk" --view bad.9xt </dev/null &
program=$!
box=$(wait_for_window "Orbisk")
! xdotool search --onlyvisible --name "bad.* – Orbisk" >/dev/null 2>&1 || fail "a viewer opened"
type_into "$box" Return
status=0
wait "$program" || status=$?
[ "$status" -eq 1 ] || fail "the viewer of a bad file ended with status $status, not 1"
echo "viewer: a file that is no text is reported in a box, status 1"

# A refused file before a good one: the good one's window is up behind the error box.
"$orbisk" --view bad.9xt formules.9xt </dev/null &
program=$!
box=$(wait_for_window "Orbisk")
window=$(wait_for_window "formules.9xt – Orbisk") || fail "the readable file waited for the box"
type_into "$box" Return
type_into "$window" ctrl+w
status=0
wait "$program" || status=$?
[ "$status" -eq 1 ] || fail "one refused file of two ended with status $status, not 1"
echo "viewer: with one file refused, the others are shown at once"

# --notify with a notification service: one notification, no box.
"$fake_notifications" notified >fake.out &
service=$!
for _ in $(seq 100); do grep -q ready fake.out 2>/dev/null && break; sleep 0.1; done
cp formules.9xt n.9xt
"$orbisk" --notify n.9xt </dev/null || fail "orbisk --notify ended with status $?"
told="Conversion terminée"$'\n'"Conversion de n.9xt vers n.v2t terminé avec succès"
[ "$(cat notified)" = "$told" ] ||
  fail "the notification was: $(cat notified 2>/dev/null)"
kill "$service"
# Its name leaves the bus when it ends.
wait "$service" 2>/dev/null || true
echo "--notify: the desktop's notification service told"

# What --notify tells is read on the desktop: a failure says what to do there, never a
# command to type.
"$fake_notifications" summary >fake2.out &
service=$!
for _ in $(seq 100); do grep -q ready fake2.out 2>/dev/null && break; sleep 0.1; done
cp formules.9xt w1.9xt
printf 'Bonjour\n' >lisezmoi.9xt
status=0
"$orbisk" --notify w1.9xt lisezmoi.9xt </dev/null || status=$?
[ "$status" -eq 1 ] || fail "--notify with a plain text ended with status $status"
grep -q "ouvert dans l'éditeur, il en devient un" summary ||
  fail "the summary did not say what to do on the desktop: $(cat summary 2>/dev/null)"
! grep -q -- "--from-text" summary || fail "the summary gave a command to type: $(cat summary)"
kill "$service"
wait "$service" 2>/dev/null || true
echo "--notify: a failure told in the desktop's words"

# Without one: the completion box.
"$orbisk" --notify --yes n.9xt </dev/null &
program=$!
box=$(wait_for_window "Conversion terminée")
type_into "$box" Return
wait "$program" || fail "orbisk --notify without a service ended with status $?"
echo "--notify: without a notification service, the completion box"

# Several files with --notify: one summary box, the failure listed, not one box each.
cp formules.9xt m1.9xt && cp formules.9xt m2.9xt
"$orbisk" --notify --yes m1.9xt m2.9xt absent.9xt </dev/null &
program=$!
box=$(wait_for_window "Conversion terminée")
no_other_box() {
  ! xdotool search --onlyvisible --name "^Orbisk$" >/dev/null 2>&1 ||
    fail "a box of its own for the failure"
}
no_other_box
type_into "$box" Return
# Until it ends, no other box comes: the failure is in the summary.
while kill -0 "$program" 2>/dev/null; do
  no_other_box
  sleep 0.1
done
status=0
wait "$program" || status=$?
[ "$status" -eq 1 ] || fail "--notify on several files ended with status $status"
[ -e m1.v2t ] && [ -e m2.v2t ] || fail "--notify on several files did not convert them"
echo "--notify: several files, one summary box"

# The text modes answer on standard error, never in a box, even with a display.
echo "mine" > m1.txt
status=0
timeout 10 "$orbisk" --to-text m1.9xt </dev/null 2>err || status=$?
[ "$status" -eq 1 ] || fail "--to-text with a display ended with status $status"
grep -q "personne pour répondre" err ||
  fail "--to-text did not answer on standard error: $(cat err)"
[ "$(cat m1.txt)" = mine ] || fail "--to-text replaced a text nobody was asked about"
# So do --group and --extract: every mode but the conversion.
status=0
timeout 10 "$orbisk" --group m.89g m1.9xt absent.89t </dev/null 2>err || status=$?
[ "$status" -eq 1 ] || fail "--group with a display ended with status $status"
grep -q "absent.89t" err || fail "--group did not answer on standard error: $(cat err)"
status=0
timeout 10 "$orbisk" --extract absent.89g </dev/null 2>err || status=$?
[ "$status" -eq 1 ] || fail "--extract with a display ended with status $status"
grep -q "absent.89g" err || fail "--extract did not answer on standard error: $(cat err)"
echo "text and group modes: no box, the answer on standard error"

