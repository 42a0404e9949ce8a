#!/usr/bin/env bash
# Builds the Debian package from a build configured for /usr, inspects it, runs lintian and,
# as root, installs it and uses the installed program.
# Usage: check_deb.sh PACKAGE_BUILD_DIR SOURCE_DIR
set -euo pipefail
build="$1"
source_dir="$2"
fail() { echo "FAILED: $*" >&2; exit 1; }

cd "$build"
rm -f orbisk_*.deb
cpack -G DEB >/dev/null 2>&1 || cpack -G DEB
deb=$(ls orbisk_*_*.deb)
echo "built $deb"

info=$(dpkg-deb --info "$deb")
contents=$(dpkg-deb --contents "$deb")
grep -q '^ Depends:.*libqt6widgets6' <<<"$info" || fail "Depends lacks the Qt libraries"
# The X11 platform plugin comes with libqt6gui6; qt6-qpa-plugins has no desktop platform.
grep -q '^ Depends:.*libqt6gui6' <<<"$info" || fail "Depends lacks libqt6gui6 (X11 plugin)"
! grep -q 'qt6-qpa-plugins' <<<"$info" || fail "the package still names qt6-qpa-plugins"
grep -q '^ Recommends:.*qt6-wayland' <<<"$info" || fail "Recommends lacks the Wayland plugin"
grep -q '^ Recommends:.*qt6-translations-l10n' <<<"$info" ||
  fail "Recommends lacks the translations"
# orbisk-link needs the link libraries' run-time packages.
for library in libticalcs2 libticables2 libtifiles2; do
  grep -q "^ Depends:.*$library" <<<"$info" || fail "Depends lacks $library"
done
for path in ./usr/bin/orbisk './usr/lib/[^/]+/orbisk/orbisk-qt.so' \
            './usr/lib/[^/]+/orbisk/orbisk-link' \
            ./usr/share/applications/org.orbisk.Orbisk.desktop \
            ./usr/share/applications/org.orbisk.Orbisk.PlainText.desktop \
            ./usr/share/mime/packages/org.orbisk.Orbisk.xml \
            ./usr/share/thumbnailers/org.orbisk.Orbisk.thumbnailer \
            ./usr/share/metainfo/org.orbisk.Orbisk.metainfo.xml \
            ./usr/share/icons/hicolor/scalable/apps/org.orbisk.Orbisk.svg \
            ./usr/share/man/man1/orbisk.1.gz ./usr/share/doc/orbisk/copyright \
            ./usr/share/doc/orbisk/changelog.gz; do
  grep -Eq " $path\$" <<<"$contents" || fail "the package lacks $path"
done
echo "package information and contents as expected"

lintian --allow-root "$deb" | tee lintian.txt
! grep -q '^E:' lintian.txt || fail "lintian reports errors"
echo "lintian: no error"

if [ "$(id -u)" -ne 0 ]; then
  echo "not root: the package is not installed (CI installs it)"
  exit 0
fi
was_installed=$(dpkg-query -W -f='${Status}' orbisk 2>/dev/null || true)
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "./$deb" >apt.log 2>&1 ||
  { cat apt.log >&2; fail "apt-get could not install the package"; }
[ "$(/usr/bin/orbisk --version)" = "orbisk $(dpkg-deb -f "$deb" Version)" ] ||
  fail "the installed orbisk --version"
work=$(mktemp -d)
cp "$source_dir/examples/bonjour.9xt" "$work/"
env -u DISPLAY -u WAYLAND_DISPLAY /usr/bin/orbisk "$work/bonjour.9xt" </dev/null
[ -f "$work/bonjour.v2t" ] || fail "the installed orbisk did not convert"
xvfb-run -a -s "-screen 0 800x600x24 -dpi 96 -noreset" \
  "$source_dir/tests/desktop/real_display_test.sh" /usr/bin/orbisk
echo "installed package: --version, a conversion and the window work"
# Thumbnails as GNOME's file manager makes them: its factory finds the installed entry and
# runs it in its sandbox. A text, a program in text form and a group each get one, and the
# factory says nothing (it warns when a thumbnailer leaves files in its folder).
printf '()\nPrgm\nDisp 1\nEndPrgm\n' >"$work/boucle.txt"
/usr/bin/orbisk --from-text --type prgm --to 89 "$work/boucle.txt" </dev/null >/dev/null
/usr/bin/orbisk --group "$work/ensemble.89g" "$work/bonjour.v2t" </dev/null >/dev/null
HOME="$work/home" /usr/bin/python3 "$source_dir/tests/packaging/gnome_thumbnails.py" \
  application/x-ti92plus-text="$work/bonjour.9xt" application/x-ti89-program="$work/boucle.89p" \
  application/x-ti89-group="$work/ensemble.89g" 2>"$work/factory.err" ||
  fail "GNOME's thumbnail factory made no thumbnail: $(cat "$work/factory.err")"
[ ! -s "$work/factory.err" ] || fail "GNOME's thumbnail factory warned: $(cat "$work/factory.err")"
echo "GNOME's thumbnail factory: a text, a program and a group, nothing left behind"
rm -rf "$work"
# Leave a developer's machine as it was.
[ -n "$was_installed" ] || dpkg -r orbisk >/dev/null
