#!/usr/bin/env bash
# The real orbisk's editor on a virtual X display, driven from the keyboard: a new TI-89
# text typed, a character inserted from the palette, saved under a name the Save dialog is
# given; then the Voyager 200 sample edited and saved over itself. libtifiles reads each
# file back as a sound text variable holding what was typed.
# Usage: editor_test.sh path/to/orbisk path/to/tifiles_dump examples-folder
#        (run under xvfb-run by CTest)
set -euo pipefail
orbisk="$1"
dump="$2"
examples="$3"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR="$work" XDG_STATE_HOME="$work/state"
source "$(dirname "${BASH_SOURCE[0]}")/x11_helpers.sh"
cd "$work"

wait_for_file() {
  for _ in $(seq 100); do [ -s "$1" ] && return 0; sleep 0.1; done
  fail "$1 was not written"
}

# The desktop launcher, given no file: the editor on a new text.
"$orbisk" --view -- </dev/null 2>err &
program=$!
window=$(wait_for_window "Nouveau texte – Orbisk")
type_into "$window" ctrl+q
wait "$program" || fail "the launcher's window ended with status $?"

# The desktop's "Nouveau programme": a window for a new program, called so.
"$orbisk" --new --type prgm </dev/null 2>err &
program=$!
window=$(wait_for_window "Nouveau programme – Orbisk")
type_into "$window" ctrl+q
wait "$program" || fail "the new program's window ended with status $?"

# A new TI-89 text: "Bonjour ", then θ found in the palette by its name without accent.
"$orbisk" --new --to 89t </dev/null 2>err &
program=$!
window=$(wait_for_window "Nouveau texte – Orbisk")
type_into "$window" B o n j o u r space
type_into "$window" ctrl+k
xdotool type --delay 50 "theta"
xdotool key Return
wait_for_window "\\*Nouveau texte – Orbisk" >/dev/null || fail "typing left the text unmodified"
type_into "$window" ctrl+s
dialog=$(wait_for_window "Enregistrer sous")
xdotool windowfocus --sync "$dialog"
# The Save dialog has the proposed name selected in its name field: the path replaces it.
xdotool key ctrl+a
xdotool type --delay 20 "$work/cours"
xdotool key Return
wait_for_file "$work/cours.89t"
wait_for_window "cours.89t – Orbisk" >/dev/null || fail "the saved text's title"
type_into "$window" ctrl+q
wait "$program" || fail "the editor ended with status $?"
out=$("$dump" "$work/cours.89t")
grep -qx "model TI89 compatible 1 checksum 1 entries 1" <<<"$out" || fail "libtifiles: $out"
# The new text's variable takes its file's name.
grep -qx 'variable main\\cours type 0B' <<<"$out" || fail "libtifiles: $out"
# The command code of an ordinary line, "Bonjour ", θ (0x88).
grep -qx "text 20 42 6f 6e 6a 6f 75 72 20 88" <<<"$out" || fail "libtifiles read: $out"
[ -z "$(ls -A "$work/state/orbisk" 2>/dev/null)" ] || fail "a recovery copy was left after saving"
echo "editor: a new text typed with a character from the palette, saved as a TI-89 text"

# The Voyager 200 sample, edited at its end and saved over itself: nothing asked.
cp "$examples/formules.9xt" "$work/" && "$orbisk" --to v2t formules.9xt </dev/null >/dev/null
before=$("$dump" formules.v2t)
"$orbisk" --view formules.v2t </dev/null 2>err &
program=$!
window=$(wait_for_window "formules.v2t – Orbisk")
type_into "$window" ctrl+End
xdotool type --delay 30 " fin"
wait_for_window "\\*formules.v2t – Orbisk" >/dev/null || fail "the edit left the text unmodified"
type_into "$window" ctrl+s
wait_for_window "formules.v2t – Orbisk" >/dev/null || fail "the save left the title marked"
type_into "$window" ctrl+w
wait "$program" || fail "the editor of the sample ended with status $?"
after=$("$dump" formules.v2t)
grep -qx "model V200 compatible 1 checksum 1 entries 1" <<<"$after" || fail "libtifiles: $after"
[ "$(sed -n 2p <<<"$after")" = "$(sed -n 2p <<<"$before")" ] || fail "the variable's name changed"
[ "$(sed -n 3p <<<"$after")" = "$(sed -n 3p <<<"$before") 20 66 69 6e" ] ||
  fail "the edited text: $(sed -n 3p <<<"$after")"
[ ! -s err ] || fail "the editor wrote on standard error: $(cat err)"
echo "editor: the Voyager 200 sample edited and saved over itself, read back by libtifiles"
