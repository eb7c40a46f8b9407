#!/usr/bin/env bash
# The Debian package, made by CPack from this build: its fields, its layout (programs, the
# link, desktop entry, icons, sounds, help, manual page, AppStream metadata, polkit action,
# copyright and changelog), and the checkers of each part: lintian (no error),
# appstreamcli, desktop-file-validate, man, xmllint.
#   test_package.sh BUILD_DIR VERSION
set -euo pipefail
BUILD=$1
VERSION=$2
for tool in dpkg-deb dpkg-shlibdeps cpack; do
  command -v "$tool" >/dev/null || { echo "SKIP: $tool is missing (Debian packages dpkg-dev, cmake)"; exit 77; }
done
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kestrin-package.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

echo "--- cpack -G DEB"
(cd "$BUILD" && umask 022 && cpack -G DEB -B "$WORK/out" >"$WORK/cpack.log" 2>&1) || { cat "$WORK/cpack.log"; fail "cpack"; }
ARCH=$(dpkg --print-architecture)
DEB=$WORK/out/kestrin_${VERSION}_$ARCH.deb
[[ -f "$DEB" ]] || fail "no $DEB; made: $(ls "$WORK/out")"

echo "--- fields"
field() { dpkg-deb -f "$DEB" "$1"; }
[[ "$(field Package)" == kestrin ]] || fail "Package: $(field Package)"
[[ "$(field Version)" == "$VERSION" ]] || fail "Version: $(field Version)"
[[ "$(field Architecture)" == "$ARCH" ]] || fail "Architecture: $(field Architecture)"
DEPENDS=$(field Depends)
# Libraries found in the binaries, and what the program runs without linking to it.
for d in libqt6widgets6 libqt6multimedia6 libqt6dbus6 libssl3 libcurl4 libc6 \
  gstreamer1.0-plugins-base gstreamer1.0-plugins-good xdg-utils; do
  grep -qE "(^|, )$d( |,|$)" <<<"$DEPENDS" || fail "Depends lacks $d: $DEPENDS"
done
grep -qw pkexec <<<"$(field Recommends)" || fail "Recommends: $(field Recommends)"
[[ -n "$(field Maintainer)" && -n "$(field Description)" ]] || fail "no Maintainer or Description"
for s in preinst postinst prerm postrm; do
  ! dpkg-deb -I "$DEB" "$s" >/dev/null 2>&1 || fail "the package has a $s script"
done

echo "--- layout"
dpkg-deb -c "$DEB" >"$WORK/contents"
has() { grep -qE "^[^ ]+ root/root +[0-9]+ [0-9-]+ [0-9:]+ \./$1( |$)" "$WORK/contents" || fail "no $1 in the package"; }
for p in kestrin AlertWindow kestrin-wakeup; do
  grep -qE "^-rwxr-xr-x root/root .* \./usr/lib/kestrin/$p$" "$WORK/contents" || fail "usr/lib/kestrin/$p is not an executable"
done
MODULES="desktop/kestrin-desktop.so commands/kestrin-bus.so commands/kestrin-ical.so"
for m in $MODULES; do
  grep -qE "^-rw-r--r-- root/root .* \./usr/lib/kestrin/${m//./\\.}$" "$WORK/contents" || fail "no usr/lib/kestrin/$m"
done
grep -qE '^l.* \./usr/bin/kestrin -> \.\./lib/kestrin/kestrin$' "$WORK/contents" || fail "usr/bin/kestrin is not the link"
for f in usr/share/applications/org.kestrin.Kestrin.desktop \
  usr/share/icons/hicolor/scalable/apps/org.kestrin.Kestrin.svg \
  usr/share/icons/hicolor/64x64/apps/org.kestrin.Kestrin.png \
  usr/share/icons/hicolor/128x128/apps/org.kestrin.Kestrin.png \
  usr/share/icons/hicolor/256x256/apps/org.kestrin.Kestrin.png \
  usr/share/kestrin/sounds/s1.mp3 usr/share/kestrin/sounds/s12.mp3 \
  usr/share/kestrin/help/en/index.html usr/share/kestrin/help/es/index.html \
  usr/share/man/man1/kestrin.1.gz \
  usr/share/metainfo/org.kestrin.Kestrin.metainfo.xml \
  usr/share/polkit-1/actions/org.kestrin.Kestrin.wakeup.policy \
  usr/share/doc/kestrin/copyright usr/share/doc/kestrin/changelog.gz; do
  has "$f"
done
! grep -vE ' \./usr(/|$)' "$WORK/contents" | grep -q . || fail "files outside /usr: $(grep -vE ' \./usr(/|$)' "$WORK/contents")"
BAD=$(grep -E '^d' "$WORK/contents" | grep -v '^drwxr-xr-x root/root' || true)
[[ -z "$BAD" ]] || fail "folders not 755 root/root: $BAD"

echo "--- the parts, each with its checker"
ROOT=$WORK/root
dpkg-deb -x "$DEB" "$ROOT"
ENTRY=$ROOT/usr/share/applications/org.kestrin.Kestrin.desktop
desktop-file-validate "$ENTRY" || fail "desktop-file-validate"
grep -qx 'Exec="/usr/bin/kestrin"' "$ENTRY" || fail "desktop entry: $(grep ^Exec= "$ENTRY")"
grep -qx 'StartupWMClass=Kestrin' "$ENTRY" || fail "desktop entry: no StartupWMClass"
for b in kestrin AlertWindow kestrin-wakeup $MODULES; do
  ! readelf -S "$ROOT/usr/lib/kestrin/$b" | grep -qF .debug_info || fail "$b keeps its debugging symbols"
done

METAINFO=$ROOT/usr/share/metainfo/org.kestrin.Kestrin.metainfo.xml
if command -v appstreamcli >/dev/null; then
  appstreamcli validate --no-net "$METAINFO" || fail "appstreamcli validate"
else
  echo "(appstreamcli missing: package appstream)"
fi
grep -qF "<release version=\"$VERSION\"" "$METAINFO" || fail "no release $VERSION in the metainfo"
grep -qF '<launchable type="desktop-id">org.kestrin.Kestrin.desktop</launchable>' "$METAINFO" || fail "launchable"

MAN=$ROOT/usr/share/man/man1/kestrin.1.gz
if command -v man >/dev/null; then
  WARN=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$MAN" 2>&1 >/dev/null)
  [[ -z "$WARN" ]] || fail "man --warnings: $WARN"
  TEXT=$(LC_ALL=C.UTF-8 MANWIDTH=200 man -E UTF-8 -l "$MAN" 2>/dev/null)
  for s in SYNOPSIS OPTIONS 'EXIT STATUS' FILES ENVIRONMENT D-BUS EXAMPLES AlertWindow "Kestrin $VERSION"; do
    grep -qF "$s" <<<"$TEXT" || fail "the manual page has no '$s'"
  done
  # Every option --help lists is in the manual (but Qt's own --help-all).
  for o in $(env -u DISPLAY -u WAYLAND_DISPLAY "$BUILD/src/app/kestrin" --help | grep -oE '^ +(-[a-z], )?--[a-z-]+' |
    grep -oE -- '--[a-z-]+' | grep -vx -- --help-all); do
    grep -qE -- "(^|[^a-z-])$o([^a-z-]|$)" <<<"$TEXT" || fail "the manual page does not name $o"
  done
else
  echo "(man missing: package man-db)"
fi

POLICY=$ROOT/usr/share/polkit-1/actions/org.kestrin.Kestrin.wakeup.policy
xmllint --noout "$POLICY" || fail "the polkit action is not well-formed XML"
DTD=/usr/share/polkit-1/policyconfig-1.dtd
[[ ! -f "$DTD" ]] || xmllint --noout --dtdvalid "$DTD" "$POLICY" || fail "the polkit action does not follow $DTD"
path() { xmllint --xpath "string($1)" "$POLICY"; }
[[ "$(path '//annotate[@key="org.freedesktop.policykit.exec.path"]')" == /usr/lib/kestrin/kestrin-wakeup ]] ||
  fail "exec.path: $(path '//annotate[@key="org.freedesktop.policykit.exec.path"]')"
[[ "$(path '//defaults/allow_active')" == auth_admin_keep ]] || fail "allow_active: $(path '//defaults/allow_active')"
[[ -n "$(path '//message[@xml:lang="es"]')" && -n "$(path '//message[not(@xml:lang)]')" ]] || fail "messages"

if command -v lintian >/dev/null; then
  echo "--- lintian"
  lintian --fail-on error "$DEB" 2>&1 | tee "$WORK/lintian.log" ||
    fail "lintian reports errors: $(grep '^E:' "$WORK/lintian.log")"
else
  echo "(lintian missing: package lintian)"
fi
echo "PASS: the Debian package"
