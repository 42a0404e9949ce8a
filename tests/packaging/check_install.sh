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
desktop-file-validate "$share/applications/$id.PlainText.desktop"
# Plain texts open in the editor by an entry with no actions; the conversions are offered on
# calculator files only.
! grep -q '^MimeType=.*text/plain' "$share/applications/$id.desktop" ||
  fail "the entry with the conversion actions lists text/plain"
grep -q '^MimeType=text/plain;$' "$share/applications/$id.PlainText.desktop" ||
  fail "no entry opens plain texts"
! grep -q '^Actions=' "$share/applications/$id.PlainText.desktop" ||
  fail "the plain texts' entry offers actions"
appstreamcli validate --no-net "$share/metainfo/$id.metainfo.xml"
LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$share/man/man1/orbisk.1.gz" \
  >"$work/man.txt" 2>"$work/man-warnings.txt"
[ ! -s "$work/man-warnings.txt" ] || fail "man: $(cat "$work/man-warnings.txt")"
grep -q "CODE DE SORTIE" "$work/man.txt" || fail "the manual page did not render"
# Prose left on a font macro's line after its punctuation is glued to it ("--from-text.Un").
if glued=$(grep -nE -e '--[a-z-]+[.,;][[:alpha:]]' "$work/man.txt"); then
  fail "man: words glued to an option: $glued"
fi
echo "validators: desktop entry, metainfo and manual page pass"

# The installed program converts the sample.
cp "$source_dir/examples/bonjour.9xt" "$work/"
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/orbisk" "$work/bonjour.9xt" </dev/null
[ "$(cmp -l "$work/bonjour.9xt" "$work/bonjour.v2t" | wc -l)" -eq 31 ] ||
  fail "the installed program did not convert the sample"
echo "installed orbisk converts the sample"
# Conversions never pay for Qt: the program itself needs none of its libraries, only the
# module it loads to show something does.
! readelf -d "$prefix/bin/orbisk" | grep NEEDED | grep -qi qt || fail "orbisk links a Qt library"
module=$(find "$prefix" -name orbisk-qt.so | head -n 1)
readelf -d "$module" | grep -q 'NEEDED.*libQt6Widgets' ||
  fail "the Qt module does not link Qt Widgets"
echo "the program links no Qt; its module does"
# One engine in the process: the module holds none of the code that writes files or cleans
# up after signals; it is handed the program's.
symbols=$(nm -C "$module")
grep -q 'orbisk::FormMain' <<<"$symbols" || fail "the Qt module has no symbols to look at"
engine_classes='SaveFile|WriteTarget|TargetWriter|InputFile|Converter|TextTransfer'
engine_classes+='|PosixFileSystem|LocalEngine|InstallSignalCleanup|RegisterTemporary'
engine_in_module=$(grep -cE "orbisk::($engine_classes)" <<<"$symbols" || true)
[ "$engine_in_module" -eq 0 ] || fail "the Qt module holds $engine_in_module engine symbols"
echo "the Qt module holds no engine of its own"

# The link libraries (GPL) are linked by orbisk-link alone, installed beside the module.
link_program=$(dirname "$module")/orbisk-link
[ -x "$link_program" ] || fail "orbisk-link is not installed beside the Qt module"
readelf -d "$link_program" | grep -q 'NEEDED.*libticalcs' || fail "orbisk-link links no libticalcs"
for piece in "$prefix/bin/orbisk" "$module"; do
  ! readelf -d "$piece" | grep NEEDED | grep -qiE 'ticalcs|ticables|tifiles' ||
    fail "$piece links a calculator link library"
done
echo "only orbisk-link links the calculator link libraries"

# The Qt module is found from the installed layout: the window opens on a virtual display.
xvfb-run -a -s "-screen 0 800x600x24 -dpi 96 -noreset" \
  "$source_dir/tests/desktop/real_display_test.sh" "$prefix/bin/orbisk"

# Our file types, once the MIME database knows them.
update-mime-database "$share/mime" 2>/dev/null  # it notes the prefix is not searched
cp "$work/bonjour.9xt" "$work/sample.v2t"
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/orbisk" --to 89t "$work/bonjour.9xt" </dev/null
mv "$work/bonjour.89t" "$work/other.89t"
# Programs and functions too, and by their signature and type byte when their name says
# nothing.
printf '()\nPrgm\nEndPrgm\n' >"$work/prog.txt"
printf '(x)\nFunc\nReturn x\nEndFunc\n' >"$work/carre.txt"
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/orbisk" --from-text --type prgm --to 92p \
  "$work/prog.txt" </dev/null
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/orbisk" --from-text --type func --to 89 \
  "$work/carre.txt" </dev/null
cp "$work/prog.9xp" "$work/prog.v2p"
cp "$work/prog.9xp" "$work/unnamed-program"
cp "$work/carre.89f" "$work/unnamed-function"
# A group of both, and by its signature and folder entry without its name.
env -u DISPLAY -u WAYLAND_DISPLAY "$prefix/bin/orbisk" --group "$work/cours.89g" \
  "$work/prog.9xp" "$work/carre.89f" </dev/null
cp "$work/cours.89g" "$work/unnamed-group"
cp "$work/cours.89g" "$work/cours.v2g"
for pair in "bonjour.9xt application/x-ti92plus-text" "sample.v2t application/x-voyager200-text" \
            "other.89t application/x-ti89-text" "prog.9xp application/x-ti92plus-program" \
            "prog.v2p application/x-voyager200-program" "carre.89f application/x-ti89-function" \
            "unnamed-program application/x-ti92plus-program" \
            "unnamed-function application/x-ti89-function" "cours.89g application/x-ti89-group" \
            "cours.v2g application/x-voyager200-group" "unnamed-group application/x-ti89-group"; do
  set -- $pair
  found=$(XDG_DATA_DIRS="$share:/usr/share" xdg-mime query filetype "$work/$1")
  [ "$found" = "$2" ] || fail "xdg-mime says $1 is $found, not $2"
done
echo "xdg-mime names the texts, programs, functions and groups, by name and by content"

# Runs the Exec line of the desktop entry's section $1 ("Desktop Entry" or an action) with
# the files that follow in place of %f or %F, as a file manager does: no terminal, and here
# no display.
run_desktop_command() {
  local section="$1"; shift
  local exec_line word command=()
  exec_line=$(awk -v section="[$section]" '/^\[/ { inside = ($0 == section) }
                                            inside && /^Exec=/ { sub(/^Exec=/, ""); print }' \
                "$share/applications/$id.desktop")
  local files=("$@")
  eval "set -- $exec_line"
  for word in "$@"; do
    case "$word" in
      %f|%F) command+=("${files[@]}") ;;
      *) command+=("$word") ;;
    esac
  done
  env -u DISPLAY -u WAYLAND_DISPLAY "${command[@]}" </dev/null
}

# Each conversion action names its model and converts every file to it.
rm -f "$work/bonjour.v2t" "$work/sample.9xt" "$work/bonjour.89t" "$work/sample.89t"
for action in "convert-v200 Voyager 200:bonjour.9xt:bonjour.v2t" \
              "convert-ti92plus TI92+:sample.v2t:sample.9xt" \
              "convert-ti89 TI-89:bonjour.9xt:bonjour.89t" \
              "convert-ti89 TI-89:sample.v2t:sample.89t"; do
  IFS=: read -r named source target <<<"$action"
  section=${named%% *}
  grep -qx "Name=Convertir vers ${named#* }" \
    <(awk -v s="[Desktop Action $section]" '/^\[/ { inside = ($0 == s) } inside' \
        "$share/applications/$id.desktop") || fail "the action $section does not name its model"
  out=$(run_desktop_command "Desktop Action $section" "$work/$source")
  [ -f "$work/$target" ] || fail "the desktop action $section did not write $target: $out"
  grep -q "terminé avec succès" <<<"$out" || fail "the desktop action $section said: $out"
done
grep -q '^Exec=.*orbisk" --new$' "$share/applications/$id.desktop" ||
  fail "no desktop action Nouveau texte"
run_desktop_command "Desktop Action save-as-text" "$work/bonjour.9xt" "$work/other.89t" >/dev/null
[ -f "$work/bonjour.txt" ] && [ -f "$work/other.txt" ] ||
  fail "the desktop action Enregistrer en texte did not write both texts"
mkdir "$work/here" && cp "$work/cours.89g" "$work/here/"
run_desktop_command "Desktop Action extract-here" "$work/here/cours.89g" >/dev/null
[ -f "$work/here/prog.89p" ] && [ -f "$work/here/carre.89f" ] ||
  fail "the desktop action Extraire ici did not write the group's variables beside it"
echo "the desktop actions convert, save as text and extract every file they are given"

# Sending, from the desktop with no cable: orbisk hands it to orbisk-link, which says why not.
grep -qx 'Name=Envoyer à la calculatrice' "$share/applications/$id.desktop" ||
  fail "no desktop action Envoyer à la calculatrice"
if out=$(run_desktop_command "Desktop Action send-to-calculator" "$work/bonjour.9xt" 2>&1); then
  fail "sending with no cable succeeded: $out"
fi
grep -q "Aucun câble USB n'est branché" <<<"$out" || fail "sending with no cable said: $out"
echo "the desktop action sends through orbisk-link, and says when no cable is there"

# The thumbnailer, run as a file manager runs it: no display, the size it asks for.
thumbnailer="$share/thumbnailers/$id.thumbnailer"
[ -f "$thumbnailer" ] || fail "no thumbnailer installed"
exec_line=$(sed -n 's/^Exec=//p' "$thumbnailer")
exec_line=${exec_line//%i/$work\/cours.89g}
exec_line=${exec_line//%o/$work\/thumbnail.png}
exec_line=${exec_line//%s/256}
eval "set -- $exec_line"
env -u DISPLAY -u WAYLAND_DISPLAY "$@" </dev/null || fail "the thumbnailer failed"
# A PNG signature, then the IHDR chunk: width and height on four bytes each.
header=$(od -An -tx1 -N24 "$work/thumbnail.png" | tr -d ' \n')
[ "$header" = "89504e470d0a1a0a0000000d494844520000010000000100" ] ||
  fail "the thumbnailer's picture starts with $header, not a 256-pixel PNG"
echo "the thumbnailer draws a group's first text without a display"

# Opening a file runs the editor (which needs a display); launching without one too, on a
# new text.
status=0
run_desktop_command "Desktop Entry" "$work/bonjour.9xt" 2>"$work/err" || status=$?
[ "$status" -eq 1 ] && grep -q "fenêtre de lecture" "$work/err" ||
  fail "opening a file did not run the viewer: status $status, $(cat "$work/err")"
status=0
run_desktop_command "Desktop Entry" 2>"$work/err" || status=$?
[ "$status" -eq 1 ] && grep -q "fenêtre de lecture" "$work/err" ||
  fail "launching without a file did not run the editor: status $status, $(cat "$work/err")"
echo "the desktop entry opens a file in the editor, and a new text without one"
