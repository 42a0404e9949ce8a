#!/usr/bin/env bash
# Installs a build into a temporary prefix (with a space in its name) and checks what a
# desktop gets: validators, the installed program and its Qt module, the file types, and
# the desktop entry's Exec line as a file manager runs it.
# Usage: check_install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
source_dir="$2"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
prefix="$work/my prefix"
id=org.orbisk.Orbisk
fail() { echo "FAILED: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
share="$prefix/share"

desktop-file-validate "$share/applications/$id.desktop"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml"
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$share/man/man1/orbisk.1.gz" \
  >"$work/man.txt" 2>"$work/man-warnings.txt"
[ ! -s "$work/man-warnings.txt" ] || fail "man: $(cat "$work/man-warnings.txt")"
grep -q "CODE DE SORTIE" "$work/man.txt" || fail "the manual page did not render"
echo "validators: desktop entry, metainfo and manual page pass"

# The installed program converts the sample.
cp "$source_dir/examples/bonjour.9xt" "$work/"
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/orbisk" "$work/bonjour.9xt" </dev/null
[ "$(cmp -l "$work/bonjour.9xt" "$work/bonjour.v2t" | wc -l)" -eq 31 ] ||
  fail "the installed program did not convert the sample"
echo "installed orbisk converts the sample"

# The Qt module is found from the installed layout: the window opens on a virtual display.
xvfb-run -a -s "-screen 0 800x600x24 -dpi 96 -noreset" \
  "$source_dir/tests/desktop/real_display_test.sh" "$prefix/bin/orbisk"

# Our file types, once the MIME database knows them.
update-mime-database "$share/mime" 2>/dev/null  # it notes the prefix is not searched
cp "$work/bonjour.9xt" "$work/sample.v2t"
for pair in "bonjour.9xt application/x-ti92plus-text" "sample.v2t application/x-voyager200-text"; do
  set -- $pair
  found=$(XDG_DATA_DIRS="$share:/usr/share" xdg-mime query filetype "$work/$1")
  [ "$found" = "$2" ] || fail "xdg-mime says $1 is $found, not $2"
done
echo "xdg-mime names both file types"

# The Exec line expanded with two files, as a file manager does (no terminal, no display).
rm -f "$work/bonjour.v2t" "$work/sample.9xt"
exec_line=$(sed -n 's/^Exec=//p' "$share/applications/$id.desktop")
eval "set -- ${exec_line//%F/ORBISK_FILES}"
command=()
for word in "$@"; do
  if [ "$word" = ORBISK_FILES ]; then command+=("$work/bonjour.9xt" "$work/sample.v2t")
  else command+=("$word"); fi
done
env -u DISPLAY -u WAYLAND_DISPLAY "${command[@]}" </dev/null
[ -f "$work/bonjour.v2t" ] && [ -f "$work/sample.9xt" ] ||
  fail "the desktop entry's command did not convert both files"
echo "the desktop entry converts both files it is given"
