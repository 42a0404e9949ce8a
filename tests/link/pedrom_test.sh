#!/usr/bin/env bash
# The real orbisk against a real calculator operating system: TiEmu (Debian's package
# tiemu) running PedroM, the free system it ships, as a TI-89, on the TiEmu cable. Slow (the
# system boots for about 20 seconds), so one test only, run alone: a ready check and
# listing, a text and a program sent, listed, and received back whole.
# Usage: pedrom_test.sh ORBISK SOURCE_DIR; exit status 77 (skipped) without tiemu.
set -euo pipefail
orbisk="$1"
source_dir="$2"
fail() { echo "FAILED: $*" >&2; exit 1; }
if ! command -v tiemu >/dev/null || ! command -v Xvfb >/dev/null ||
   [ ! -f /usr/share/tiemu/pedrom/pedrom89.tib ]; then
  echo "tiemu, its PedroM or Xvfb is not installed: PedroM is not tried"
  exit 77
fi

work=$(mktemp -d)
server=""
emulator=""
cleanup() {
  for process in $emulator $server; do
    kill -KILL "$process" 2>/dev/null || true
    wait "$process" 2>/dev/null || true
  done
  rm -rf "$work"
}
trap cleanup EXIT
export HOME="$work/home"
mkdir -p "$HOME/.tiemu" "$work/recu"

# TiEmu takes a system only as a flash file: PedroM's image behind a 78-byte **TIFL**
# header (the device 0x98, a TI-89; 0x23, an operating system; the length, little-endian).
python3 - "$work/pedrom89.89u" <<'PY'
import sys
image = open("/usr/share/tiemu/pedrom/pedrom89.tib", "rb").read()
header = bytearray(78)
header[0:8] = b"**TIFL**"
header[48], header[49] = 0x98, 0x23
header[74:78] = len(image).to_bytes(4, "little")
open(sys.argv[1], "wb").write(bytes(header) + image)
PY
# A virtual display of its own: Xvfb writes the number it took once it is ready.
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$work/display" 2>"$work/xvfb.log" &
server=$!
read -r number < <(tail -f "$work/display" 2>/dev/null | head -n 1) ||
  fail "Xvfb did not start: $(cat "$work/xvfb.log")"
export DISPLAY=":$number"
tiemu --import -tib="$work/pedrom89.89u" >"$work/import.log" 2>&1 ||
  fail "tiemu could not import PedroM: $(tail -n 5 "$work/import.log")"
image=$(find "$HOME/.tiemu/images" -name '*.img' | head -n 1)
[ -n "$image" ] || fail "tiemu made no image of PedroM"
printf 'version=3.04\ncable_model=TiEmu\ncable_port=#1\nimg_file=%s\n' "$image" \
  >"$HOME/.tiemu/tiemu.ini"

tiemu >"$work/tiemu.log" 2>&1 &
emulator=$!

# Booted once it holds its end of the cable and its processor use has fallen: spoken to
# before, it waits on a dialog instead. Its use is read from /proc each second.
cpu_time() { awk '{ print $14 + $15 }' "/proc/$1/stat" 2>/dev/null || echo 0; }
holds_cable() { ls -l "/proc/$1/fd" 2>/dev/null | grep -q '/tmp/\.vlc_'; }
quiet=0
last=0
for _ in $(seq 1 180); do
  kill -0 "$emulator" 2>/dev/null || fail "tiemu ended: $(tail -n 5 "$work/tiemu.log")"
  if holds_cable "$emulator"; then
    now=$(cpu_time "$emulator")
    # Under a fifth of a second of processor a second, three seconds in a row.
    if [ "$last" -gt 0 ] && [ $((now - last)) -lt 20 ]; then quiet=$((quiet + 1)); else quiet=0; fi
    last=$now
    [ "$quiet" -ge 3 ] && break
  fi
  sleep 1
done
[ "$quiet" -ge 3 ] || fail "PedroM did not finish booting within three minutes"
echo "PedroM booted in TiEmu"

link() { "$orbisk" "$@" --cable tiemu --model 89 </dev/null 2>&1; }
out=$(link --calc) || fail "the listing failed: $out"
echo "listed: $(wc -l <<<"$out") variables"

cp "$source_dir/examples/bonjour.9xt" "$work/bonjour.9xt"
"$orbisk" --to 89 "$work/bonjour.9xt" </dev/null
cp "$source_dir/tests/data/sgs/sgsgeoan.89p" "$work/"
out=$(link --send --yes "$work/bonjour.89t" "$work/sgsgeoan.89p") ||
  fail "sending failed: $out"
echo "sent a text and a program"

out=$(link --calc) || fail "the listing after sending failed: $out"
grep -q 'main\\bonjour' <<<"$out" || fail "the listing lacks main\\bonjour: $out"
grep -q 'sgs\\sgsgeoan' <<<"$out" || fail "the listing lacks sgs\\sgsgeoan: $out"
echo "both are listed"

out=$(link --receive --yes --into "$work/recu" 'main\bonjour' 'sgs\sgsgeoan') ||
  fail "receiving failed: $out"
for name in bonjour.89t sgsgeoan.89p; do
  [ -f "$work/recu/$name" ] || fail "nothing received as $name: $(ls "$work/recu")"
  # The variable came back whole: the same text as the file sent.
  [ "$("$orbisk" --show "$work/recu/$name")" = "$("$orbisk" --show "$work/${name}")" ] ||
    fail "$name did not come back as it was sent"
done
echo "both received back whole"
