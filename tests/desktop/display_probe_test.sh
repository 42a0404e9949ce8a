#!/usr/bin/env bash
# The real orbisk against X servers that do not let it in, and without its Qt module: it
# never aborts, and every file named after a refused display is still handled.
# Usage: display_probe_test.sh path/to/orbisk path/of/the/installed/module
set -euo pipefail
orbisk="$1"
installed_module="$2"
work="$(mktemp -d)"
trap 'kill $(jobs -p) 2>/dev/null || true; rm -rf "$work"' EXIT
fail() { echo "FAILED: $*" >&2; exit 1; }

# A free display number, and an X server on it that only lets in who has its cookie.
number=90
while [ -e "/tmp/.X11-unix/X$number" ] || [ -e "/tmp/.X$number-lock" ]; do
  number=$((number + 1))
done
xauth -q -f "$work/cookie" add ":$number" . "$(mcookie)" 2>/dev/null
Xvfb ":$number" -auth "$work/cookie" -nolisten tcp -screen 0 640x480x24 >/dev/null 2>&1 &
for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$number" ] && break; sleep 0.1; done

refusal="prog.v2t existe déjà. Voulez-vous l'écraser ? Non : personne pour répondre ; "
refusal+="utilisez --yes pour l'écraser."
head -c 1000 /dev/urandom >"$work/prog.9xt"

# Without the cookie the server refuses the handshake: nobody to ask, for both names.
echo old >"$work/prog.v2t"
status=0
(cd "$work" && DISPLAY=":$number" XAUTHORITY="$work/no-cookie" \
  "$orbisk" prog.9xt prog.9xt </dev/null >"$work/out" 2>"$work/err") || status=$?
[ "$status" -eq 1 ] || fail "refused display: status $status, not 1"
[ "$(cat "$work/err")" = "$refusal"$'\n'"$refusal" ] || fail "refused display: $(cat "$work/err")"
[ "$(cat "$work/prog.v2t")" = old ] || fail "refused display: the target was replaced"
echo "an X server that refuses authorisation counts as no display; both names handled"

status=0
DISPLAY=":$number" XAUTHORITY="$work/no-cookie" "$orbisk" </dev/null 2>"$work/err" || status=$?
[ "$status" -eq 1 ] && grep -q "aucun affichage graphique" "$work/err" ||
  fail "refused display, window: status $status, $(cat "$work/err")"
echo "the window says it has no display"

# A copy of the program away from its module, on a display it may use: standard error
# serves instead of message boxes.
if [ -e "$installed_module" ]; then
  echo "skipped: a module is installed at $installed_module"
else
  mkdir "$work/bin"
  cp "$orbisk" "$work/bin/orbisk"
  status=0
  (cd "$work" && DISPLAY=":$number" XAUTHORITY="$work/cookie" \
    "$work/bin/orbisk" prog.9xt </dev/null >"$work/out" 2>"$work/err") || status=$?
  [ "$status" -eq 1 ] || fail "no module: status $status, not 1"
  head -n 1 "$work/err" | grep -q "^orbisk : impossible de charger l'interface graphique : " ||
    fail "no module: $(cat "$work/err")"
  [ "$(tail -n 1 "$work/err")" = "$refusal" ] || fail "no module: $(cat "$work/err")"
  echo "without its module it falls back to standard error"
fi
