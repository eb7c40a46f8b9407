#!/usr/bin/env bash
# scripts/start (what ./run ends in) on a machine without a display: a virtual display
# with a tray host and a bus of its own, the user's folders untouched, a screenshot once
# the window is up, and nothing left running after Ctrl+C or after the program ends.
# With a display, or for an option that only prints, the program runs as it is.
#   e2e_run_headless.sh STAND-IN
set -euo pipefail
STANDIN=$1
ROOT=$(cd "$(dirname "$0")/../.." && pwd)
source "$ROOT/tests/e2e/harness.sh"
e2e_start run-headless
OUT=$E2E_WORK/start.out
SHOT=$E2E_ARTIFACTS/run-headless.png
rm -f "$SHOT"
where() { grep -m1 '^display=' "$OUT"; }
value() { where | tr ' ' '\n' | sed -n "s/^$1=//p"; }
# Runs scripts/start in a session of its own, with no display, in the background. A
# background command gets SIGINT ignored, which a shell cannot undo: perl gives it back
# the default a terminal's foreground program has, so Ctrl+C can be sent as a signal.
start_headless() {
  : >"$OUT"
  setsid env -u DISPLAY -u WAYLAND_DISPLAY -u KESTRIN_RUN_SHOT ${SHOT:+"KESTRIN_RUN_SHOT=$SHOT"} \
    perl -e '$SIG{INT} = "DEFAULT"; exec @ARGV or die "exec: $!"' "$ROOT/scripts/start" "$STANDIN" "$@" >"$OUT" 2>"$E2E_WORK/start.err" &
  START_PID=$!
  E2E_PIDS+=("$START_PID")
}
left_over() { ps -s "$START_PID" -o pid=,comm= 2>/dev/null || true; }

e2e_step "no display: a virtual one comes up, with a tray host and a private bus"
start_headless
e2e_wait_for 'grep -q "press Ctrl+C" "$OUT"' 60 || e2e_fail "no 'press Ctrl+C' line: $(cat "$OUT")"
[[ "$(head -1 "$OUT")" == "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): starting Kestrin on a virtual display." ]] ||
  e2e_fail "first line: $(head -1 "$OUT")"
grep -qx "Screenshot of Kestrin's window: $SHOT" "$OUT" || e2e_fail "screenshot line: $(cat "$OUT")"
VDISPLAY=$(value display)
VBUS=$(value bus)
[[ -n "$VDISPLAY" && "$VDISPLAY" != "$DISPLAY" ]] || e2e_fail "ran on display '$VDISPLAY'"
[[ -n "$VBUS" && "$VBUS" != "$DBUS_SESSION_BUS_ADDRESS" ]] || e2e_fail "ran on bus '$VBUS'"
[[ "$(value data)" == "$XDG_DATA_HOME" ]] || e2e_fail "the user's folders were changed: $(where)"
grep -qx "Kestrin runs on display $VDISPLAY; press Ctrl+C to end it, the display, the tray host and the bus." "$OUT" ||
  e2e_fail "stop line: $(cat "$OUT")"
# The screenshot is the window: its size, and its light background rather than black.
[[ "$(identify -format '%wx%h' "$SHOT")" == "420x200" ]] || e2e_fail "screenshot is $(identify "$SHOT")"
MEAN=$(convert "$SHOT" -colorspace Gray -format '%[fx:int(mean*100)]' info:)
((MEAN > 50)) || e2e_fail "the screenshot is dark ($MEAN%)"
xdpyinfo -display "$VDISPLAY" >/dev/null 2>&1 || e2e_fail "the virtual display is not reachable"
DBUS_SESSION_BUS_ADDRESS=$VBUS dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
  org.freedesktop.DBus.GetId >/dev/null || e2e_fail "the private bus is not reachable"
left_over | grep -q trayer || e2e_fail "no tray host: $(left_over)"
# The tray host shows the icon: take the whole virtual screen for the artifacts.
DISPLAY=$VDISPLAY import -window root "$E2E_ARTIFACTS/run-headless-screen.png"

e2e_step "Ctrl+C ends the program, the display, the tray host and the bus"
kill -INT -- "-$START_PID"
e2e_exited_with "$START_PID" 130 15
[[ -z "$(left_over)" ]] || e2e_fail "still running: $(left_over)"
# The program was ended first, not left to lose its display under it.
! grep -q "X11 connection broke" "$E2E_WORK/start.err" || e2e_fail "the display went first: $(cat "$E2E_WORK/start.err")"
! xdpyinfo -display "$VDISPLAY" >/dev/null 2>&1 || e2e_fail "the virtual display still runs"
! DBUS_SESSION_BUS_ADDRESS=$VBUS dbus-send --session --print-reply --dest=org.freedesktop.DBus / \
  org.freedesktop.DBus.GetId >/dev/null 2>&1 || e2e_fail "the private bus still runs"

e2e_step "without KESTRIN_RUN_SHOT the screenshot goes to BUILD_DIR, absolute or relative to the repository"
for form in absolute relative; do
  mkdir -p "$E2E_WORK/build-$form"
  BUILD_DIR=$E2E_WORK/build-$form
  [[ $form == absolute ]] || BUILD_DIR=$(realpath --relative-to="$ROOT" "$BUILD_DIR")
  export BUILD_DIR
  SHOT= start_headless
  unset BUILD_DIR
  e2e_wait_for 'grep -q "press Ctrl+C" "$OUT"' 60 || e2e_fail "$form: no 'press Ctrl+C' line: $(cat "$OUT")"
  grep -qx "Screenshot of Kestrin's window: $E2E_WORK/build-$form/kestrin-screen.png" "$OUT" ||
    e2e_fail "$form: screenshot line: $(cat "$OUT")"
  [[ "$(identify -format '%wx%h' "$E2E_WORK/build-$form/kestrin-screen.png")" == "420x200" ]] ||
    e2e_fail "$form: no screenshot where the line says"
  kill -INT -- "-$START_PID"
  e2e_exited_with "$START_PID" 130 15
done

e2e_step "a program that ends by itself: its status comes back, nothing is left"
SHOT=$E2E_WORK/never.png
start_headless --exit 3
e2e_exited_with "$START_PID" 3 60
grep -qx "Kestrin ended without showing a window." "$OUT" || e2e_fail "output: $(cat "$OUT")"
VDISPLAY=$(value display)
[[ -n "$VDISPLAY" ]] || e2e_fail "no virtual display: $(cat "$OUT")"
[[ -z "$(left_over)" ]] || e2e_fail "still running: $(left_over)"
! xdpyinfo -display "$VDISPLAY" >/dev/null 2>&1 || e2e_fail "the virtual display still runs"
[[ ! -e "$SHOT" ]] || e2e_fail "a screenshot without a window"

e2e_step "an option that only prints runs without a virtual display"
start_headless --list
e2e_exited_with "$START_PID" 0 10
[[ "$(where)" == "display= bus=$DBUS_SESSION_BUS_ADDRESS data=$XDG_DATA_HOME args=1" ]] || e2e_fail "ran with: $(where)"

e2e_step "with a display the program simply runs there, arguments and all"
"$ROOT/scripts/start" "$STANDIN" --exit 4 >"$OUT" 2>&1 && STATUS=0 || STATUS=$?
[[ $STATUS -eq 4 ]] || e2e_fail "status $STATUS"
[[ "$(cat "$OUT")" == "display=$DISPLAY bus=$DBUS_SESSION_BUS_ADDRESS data=$XDG_DATA_HOME args=2" ]] ||
  e2e_fail "output: $(cat "$OUT")"

echo "PASS: ./run without a display; screenshots in $E2E_ARTIFACTS"
