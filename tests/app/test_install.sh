#!/usr/bin/env bash
# cmake --install into temporary prefixes: the programs side by side in lib/kestrin, the
# relative link in bin, the icons, a desktop entry that validates and names the final
# path (quoted as a desktop entry wants), the manual page, the AppStream metadata, a
# polkit action naming the installed helper, and an installed kestrin --list that runs.
#   test_install.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
BUILD=$1
SRC=$2
WORK=$(mktemp -d "${TMPDIR:-/tmp}/kestrin-install.XXXXXX")
trap 'rm -rf "$WORK"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

# Runs the installed program on empty private folders.
run_installed() {  # KESTRIN ARGS...
  local home=$WORK/home
  mkdir -p "$home/data/Kestrin/System" "$home/config"
  env -u DISPLAY -u WAYLAND_DISPLAY HOME="$home" XDG_DATA_HOME="$home/data" XDG_CONFIG_HOME="$home/config" \
    XDG_CONFIG_DIRS="$home/etc" KESTRIN_COMMON_DIR="$home/common" "$@"
}

check_tree() {  # ROOT (where the files are) PREFIX (what the entry must name) EXEC (its Exec value)
  local root=$1 prefix=$2 exec=$3
  local lib=$root/lib/kestrin entry=$root/share/applications/org.kestrin.Kestrin.desktop
  for p in kestrin AlertWindow; do
    [[ -f "$lib/$p" && ! -L "$lib/$p" && -x "$lib/$p" ]] || fail "$lib/$p is not an executable file"
  done
  # The desktop program and the jobs that need D-Bus or libical are modules that kestrin
  # loads from folders of its own.
  local modules="desktop/kestrin-desktop.so commands/kestrin-bus.so commands/kestrin-ical.so"
  for p in $modules; do
    [[ -f "$lib/$p" && ! -L "$lib/$p" ]] || fail "no $lib/$p"
  done
  for p in kestrin AlertWindow $modules; do
    # Working only while the build tree exists would be a broken install.
    ! readelf -d "$lib/$p" | grep -E 'R(UN)?PATH' | grep -qF "$BUILD" || fail "$p keeps a path into the build"
    ! ldd "$lib/$p" | grep -q "not found" || fail "$p misses libraries: $(ldd "$lib/$p" | grep 'not found')"
  done
  [[ -L "$root/bin/kestrin" ]] || fail "bin/kestrin is not a link"
  [[ "$(readlink "$root/bin/kestrin")" == "../lib/kestrin/kestrin" ]] || fail "link: $(readlink "$root/bin/kestrin")"
  [[ "$(readlink -f "$root/bin/kestrin")" == "$(readlink -f "$lib/kestrin")" ]] || fail "the link leads elsewhere"
  # The options that need no window load no widget, multimedia or network library, and
  # libcrypto only when there is something to decipher.
  ! ldd "$lib/kestrin" | grep -E 'libQt6(Gui|Widgets|Multimedia|DBus)|libcurl|libical|libcrypto' || fail "kestrin itself links the modules' libraries or libcrypto"

  local icons=$root/share/icons/hicolor
  cmp -s "$SRC/icons/kestrin.svg" "$icons/scalable/apps/org.kestrin.Kestrin.svg" || fail "scalable icon"
  local size
  for size in 64 128 256; do
    [[ "$(identify -format '%wx%h' "$icons/${size}x$size/apps/org.kestrin.Kestrin.png")" == "${size}x$size" ]] ||
      fail "icon ${size}x$size"
  done

  desktop-file-validate "$entry" || fail "desktop-file-validate: $entry"
  grep -qxF "Exec=$exec" "$entry" || fail "Exec is '$(grep ^Exec= "$entry")', expected 'Exec=$exec'"
  grep -qxF "TryExec=$prefix/bin/kestrin" "$entry" || fail "TryExec is '$(grep ^TryExec= "$entry")'"
  grep -qx "Icon=org.kestrin.Kestrin" "$entry" || fail "Icon"
  for key in Name GenericName Comment Categories StartupNotify Terminal StartupWMClass; do
    grep -q "^$key=." "$entry" || fail "no $key"
  done

  [[ -s "$root/share/man/man1/kestrin.1.gz" ]] || fail "no manual page"
  [[ -s "$root/share/metainfo/org.kestrin.Kestrin.metainfo.xml" ]] || fail "no AppStream metadata"
  # pkexec shows Kestrin's message only for the helper the action names.
  local policy=$root/share/polkit-1/actions/org.kestrin.Kestrin.wakeup.policy
  [[ "$(xmllint --xpath 'string(//annotate[@key="org.freedesktop.policykit.exec.path"])' "$policy")" == \
    "$prefix/lib/kestrin/kestrin-wakeup" ]] || fail "polkit exec.path: $(grep exec.path "$policy")"
}

# prefix below WORK | the Exec value expected for it
CASES=(
  'plain|"@/plain/bin/kestrin"'
  'with blanks|"@/with blanks/bin/kestrin"'
  'quote"and%percent|"@/quote\\"and%%percent/bin/kestrin"'
  'dollar$and`tick|"@/dollar\\$and\\`tick/bin/kestrin"'
  'amp&and<less|"@/amp&and<less/bin/kestrin"'
)
for c in "${CASES[@]}"; do
  name=${c%%|*}
  prefix=$WORK/$name
  exec=${c#*|}
  exec=${exec//@/$WORK}
  echo "--- prefix '$prefix'"
  cmake --install "$BUILD" --prefix "$prefix" >"$WORK/install.log" 2>&1 || { cat "$WORK/install.log"; fail "install into $prefix"; }
  check_tree "$prefix" "$prefix" "$exec"
  # Installing again over it (the link exists by then) works as well.
  cmake --install "$BUILD" --prefix "$prefix" >"$WORK/install.log" 2>&1 || { cat "$WORK/install.log"; fail "second install"; }
  check_tree "$prefix" "$prefix" "$exec"
done

echo "--- the installed kestrin --list runs, through the link, also after the tree moved"
OUT=$(run_installed "$WORK/plain/bin/kestrin" --list --json) || fail "kestrin --list: status $?"
[[ "$(tr -d ' \n' <<<"$OUT")" == '{"invalid":[],"reminders":[],"unreadable":[]}' ]] || fail "kestrin --list --json printed: $OUT"
mv "$WORK/plain" "$WORK/moved"
run_installed "$WORK/moved/bin/kestrin" --list >/dev/null || fail "the moved install does not run"
[[ "$(run_installed "$WORK/moved/bin/kestrin" --version)" == "Kestrin 1.6" ]] || fail "--version"
# The jobs in the command modules find them beside the moved program.
OUT=$(run_installed "$WORK/moved/bin/kestrin" --export -) || fail "kestrin --export: status $?"
grep -q '^BEGIN:VCALENDAR' <<<"$OUT" || fail "kestrin --export - printed: $OUT"
OUT=$(run_installed env -u DBUS_SESSION_BUS_ADDRESS "$WORK/moved/bin/kestrin" --in 5) || fail "kestrin --in: status $?"
grep -q '^Quick reminder written to ' <<<"$OUT" || fail "kestrin --in printed: $OUT"

echo "--- staged with DESTDIR: the files below it, the entry naming the final place"
[[ -e /opt/kestrin ]] && OPT_BEFORE=1 || OPT_BEFORE=0
DESTDIR=$WORK/stage cmake --install "$BUILD" --prefix /opt/kestrin >"$WORK/install.log" 2>&1 ||
  { cat "$WORK/install.log"; fail "install with DESTDIR"; }
[[ $OPT_BEFORE -eq 1 || ! -e /opt/kestrin ]] || fail "the staged install wrote to /opt/kestrin itself"
check_tree "$WORK/stage/opt/kestrin" /opt/kestrin '"/opt/kestrin/bin/kestrin"'
run_installed "$WORK/stage/opt/kestrin/bin/kestrin" --list >/dev/null || fail "the staged kestrin does not run"

echo "PASS: install layout"
