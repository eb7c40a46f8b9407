#!/usr/bin/env bash
# The real AlertWindow under Xvfb on a private session bus: shown with a reminder file
# written by the store, silenced by "KestrinMute", closed by "KestrinClose", snoozed
# from the keyboard, a test file left alone, and the bad starts. Screenshots go to the
# artifacts folder.
#   e2e_alertwindow.sh ALERTWINDOW WRITER
set -euo pipefail

ALERT=$1
WRITER=$2

source "$(dirname "$0")/../e2e/harness.sh"
e2e_start alertwindow
WORK=$E2E_WORK
fail() {
  echo "== events" >&2; cat "$KESTRIN_ALERTWINDOW_LOG" >&2 || true
  e2e_fail "$@"
}
step() { e2e_step "$@"; }
export KESTRIN_ALERTWINDOW_LOG=$WORK/events.log
: >"$KESTRIN_ALERTWINDOW_LOG"

wait_for() { e2e_wait_for "$@"; }
window_of() { e2e_window_of "$@"; }
events_of() { grep "^$1 " "$KESTRIN_ALERTWINDOW_LOG" | cut -d' ' -f2-; }
send() { e2e_broadcast "$1"; }
shot() { e2e_shot "$1"; }
# Types a key into the visible window of a process whose title matches (looked up
# again each time: a dialog may replace its native window while it settles).
press() {  # pid title-pattern key
  local w
  w=$(window_of "$1" "$2")
  [[ -n "$w" ]] || fail "no window '$2' of $1 to type into"
  xdotool windowfocus --sync "$w" 2>/dev/null || xdotool windowfocus "$w" 2>/dev/null || true
  # An alert window takes no key in its first second.
  sleep 1.2
  xdotool key "$3"
}
exited_with() {  # pid expected-status
  local pid=$1 want=$2 status=0
  wait_for "! kill -0 $pid 2>/dev/null" 10 || fail "process $pid still runs"
  wait "$pid" || status=$?
  [[ $status -eq $want ]] || fail "exit status $status, expected $want"
}

sox -n -r 22050 -c 1 "$WORK/tone.wav" synth 0.4 sine 660 2>/dev/null || fail "sox cannot make a sound"
DATA=$XDG_DATA_HOME/Kestrin/System
mkdir -p "$DATA"

# All broadcasts on the bus, to see what the windows announce.
e2e_spawn monitor dbus-monitor --session "type='signal',interface='org.kestrin.Kestrin'" >"$WORK/monitor.log"
sleep 0.5

step "a long message, a non-ASCII name and a repeating sound; KestrinMute, then KestrinClose"
NAME='Café con Ñandú — Größe Ωmega'
R1=$DATA/data405204375-1.od
"$WRITER" "$R1" --name "$NAME" --message "Línea del mensaje, long enough to be wrapped across the width of the window when shown" \
  --lines 500 --sound 1 --repeat 1
SUM1=$(md5sum <"$R1")
"$ALERT" "$R1" "$WORK/tone.wav" 9934 15 "DejaVu Serif" 2>"$WORK/a1.err" &
P1=$!
wait_for '[[ -n "$(window_of $P1 "^Café con")" ]]' || fail "the window did not appear"
W1=$(window_of $P1 "^Café con")
[[ "$(xdotool getwindowname "$W1")" == "$NAME" ]] || fail "title is '$(xdotool getwindowname "$W1")'"
# Task bars show it as Kestrin (the desktop entry's StartupWMClass).
[[ "$(e2e_window_class "$W1")" == Kestrin ]] || fail "window class: $(e2e_window_class "$W1")"
# The harness gives no sound server: the log says that the sound is not heard (unless
# the machine has a sound card of its own).
HEARD=", not heard: no audio output"
[[ -e /dev/snd ]] && HEARD=
wait_for 'events_of $P1 | grep -qx "sound playing$HEARD"' || fail "no sound started: $(events_of $P1)"
wait_for 'events_of $P1 | grep -qx "sound again$HEARD"' || fail "the sound does not repeat"
shot alertwindow-english
send KestrinMute
wait_for 'events_of $P1 | grep -qx "sound ended: stopped"' || fail "KestrinMute did not stop the sound"
kill -0 $P1 || fail "KestrinMute closed the window"
AGAIN=$(events_of $P1 | grep -c "sound again" || true)
sleep 1
[[ $(events_of $P1 | grep -c "sound again" || true) -eq $AGAIN ]] || fail "the sound came back after mute"
shot alertwindow-muted
send KestrinClose
exited_with $P1 0
[[ -z "$(window_of $P1 "^Café con")" ]] || fail "the window is still shown"
[[ "$(md5sum <"$R1")" == "$SUM1" ]] || fail "closing changed the reminder file"
grep -q "could not\|Segmentation" "$WORK/a1.err" && fail "errors: $(cat "$WORK/a1.err")"

step "Spanish reminder snoozed from the keyboard with the default choice (2 hours)"
R2=$DATA/data405204375-2.od
"$WRITER" "$R2" --name "Llamar al médico" --message "Pedir la cita" --language 1
"$WRITER" "$R2" --show >"$WORK/before.txt"
"$ALERT" "$R2" "$WORK/tone.wav" 9934 120 "DejaVu Sans" 2>"$WORK/a2.err" &
P2=$!
wait_for '[[ -n "$(window_of $P2 "^Llamar")" ]]' || fail "the Spanish window did not appear"
sleep 0.5
shot alertwindow-spanish
press $P2 "^Llamar" alt+p
exited_with $P2 0
events_of $P2 | grep -qx "snoozed 120" || fail "not snoozed: $(events_of $P2)"
"$WRITER" "$R2" --show >"$WORK/after.txt"
grep -qx "SnoozeTime=120" "$WORK/after.txt" || fail "SnoozeTime not written"
# Only the two snooze lines differ, in place.
DIFF=$( { diff "$WORK/before.txt" "$WORK/after.txt" || true; } | grep '^[<>]' | cut -c3- | cut -d= -f1 | sort -u | tr '\n' ' ')
[[ "$DIFF" == "SnoozeRun SnoozeTime " ]] || fail "changed keys: $DIFF"
[[ $(wc -l <"$WORK/before.txt") -eq $(wc -l <"$WORK/after.txt") ]] || fail "line count changed"
wait_for 'grep -q "member=KestrinReadFiles" "$WORK/monitor.log"' 5 || fail "KestrinReadFiles was not broadcast"

step "with an audio output (a sound server with a null sink) the log says the sound plays, and nothing more"
e2e_sound_up "$WORK/pulse.log" || fail "pulseaudio did not start: $(cat "$WORK/pulse.log")"
"$ALERT" "$R1" "$WORK/tone.wav" 9934 15 "DejaVu Sans" 2>/dev/null &
P11=$!
wait_for 'events_of $P11 | grep -q "^sound"' || fail "no sound event: $(events_of $P11)"
[[ "$(events_of $P11 | grep "^sound" | head -1)" == "sound playing" ]] || fail "with a sound server: $(events_of $P11)"
send KestrinClose
exited_with $P11 0
e2e_sound_down

step "a retired reminder (.odb) snoozed comes back; two windows closed by one KestrinClose"
R3=$DATA/data405204375-3.od
"$WRITER" "$R3" --name "Retired one" --message "Back again"
"$ALERT" "$R3" "$WORK/tone.wav" 9934 5 "DejaVu Sans" 2>/dev/null &
P3=$!
wait_for '[[ -n "$(window_of $P3 "^Retired one")" ]]' || fail "window 3 did not appear"
mv "$R3" "${R3}b"
press $P3 "^Retired one" alt+s
exited_with $P3 0
[[ -f "$R3" && ! -e "${R3}b" ]] || fail "the retired file was not brought back"
"$WRITER" "$R3" --show | grep -qx "SnoozeTime=5" || fail "SnoozeTime=5 not written"

"$ALERT" "$R1" "$WORK/tone.wav" 9934 10 "DejaVu Sans" 2>/dev/null &
P4=$!
"$ALERT" "$R3" "$WORK/tone.wav" 9934 10 "DejaVu Sans" 2>/dev/null &
P5=$!
wait_for '[[ -n "$(window_of $P4 "^Café con")" && -n "$(window_of $P5 "^Retired one")" ]]' || fail "two windows"
send KestrinClose
exited_with $P4 0
exited_with $P5 0
for p in $P4 $P5; do events_of $p | grep -qx closed || fail "window $p: $(events_of $p)"; done

step "a one-time reminder that deletes itself: closed by the user it is retired, otherwise kept"
R5=$DATA/data405204375-5.od
"$WRITER" "$R5" --name "Once only" --once
READS=$(grep -c "member=KestrinReadFiles" "$WORK/monitor.log" || true)
"$ALERT" "$R5" "$WORK/tone.wav" 9934 10 "DejaVu Sans" 2>/dev/null &
P11=$!
wait_for '[[ -n "$(window_of $P11 "^Once only")" ]]' || fail "window of the one-time reminder did not appear"
press $P11 "^Once only" Escape
exited_with $P11 0
events_of $P11 | grep -qx retired || fail "not retired: $(events_of $P11)"
[[ -f "${R5}b" && ! -e "$R5" ]] || fail "the closed one-time reminder was not renamed to .odb"
wait_for '[[ $(grep -c "member=KestrinReadFiles" "$WORK/monitor.log") -gt $READS ]]' 5 ||
  fail "KestrinReadFiles was not broadcast after the retirement"
# Closed by KestrinClose (a snooze chosen in the tray popup) or snoozed here: it stays.
mv "${R5}b" "$R5"
"$ALERT" "$R5" "$WORK/tone.wav" 9934 10 "DejaVu Sans" 2>/dev/null &
P12=$!
wait_for '[[ -n "$(window_of $P12 "^Once only")" ]]' || fail "window of the one-time reminder did not appear"
send KestrinClose
exited_with $P12 0
"$ALERT" "$R5" "$WORK/tone.wav" 9934 10 "DejaVu Sans" 2>/dev/null &
P13=$!
wait_for '[[ -n "$(window_of $P13 "^Once only")" ]]' || fail "window of the one-time reminder did not appear"
press $P13 "^Once only" alt+s
exited_with $P13 0
[[ -f "$R5" && ! -e "${R5}b" ]] || fail "a one-time reminder closed by KestrinClose or snoozed was retired"
"$WRITER" "$R5" --show | grep -qx "SnoozeTime=10" || fail "the one-time reminder was not snoozed"
# A daily reminder closed by the user stays as it is (R1 above), and so does a test file.

step "a test file (.tmp) is shown but never written"
T1=$HOME/405204375.tmp
"$WRITER" "$T1" --name "Test reminder" --message "Only a test"
SUMT=$(md5sum <"$T1")
MTIME=$(stat -c %Y.%N "$T1")
"$ALERT" "$T1" "$WORK/tone.wav" 9934 10 "DejaVu Sans" 2>/dev/null &
P6=$!
wait_for '[[ -n "$(window_of $P6 "^Test reminder")" ]]' || fail "test window did not appear"
shot alertwindow-test-file
press $P6 "^Test reminder" alt+s
exited_with $P6 0
[[ "$(md5sum <"$T1")" == "$SUMT" && "$(stat -c %Y.%N "$T1")" == "$MTIME" ]] || fail "the test file was written"
[[ ! -e "${T1}b" ]] || fail "a retired test file appeared"

step "without a session bus the window still works; the bus says so once on stderr"
R4=$DATA/data405204375-4.od
"$WRITER" "$R4" --name "No bus here" --message "Still shown"
DBUS_SESSION_BUS_ADDRESS=unix:path=$WORK/no-such-bus "$ALERT" "$R4" "$WORK/tone.wav" 9934 30 "DejaVu Sans" \
  2>"$WORK/nobus.err" &
P10=$!
wait_for '[[ -n "$(window_of $P10 "^No bus here")" ]]' || fail "no window without a bus"
press $P10 "^No bus here" alt+s
exited_with $P10 0
"$WRITER" "$R4" --show | grep -qx "SnoozeTime=30" || fail "snooze without a bus not written"
[[ $(grep -c "no D-Bus session bus" "$WORK/nobus.err") -eq 1 ]] || fail "bus report: $(cat "$WORK/nobus.err")"

step "a sound path and a font that look like Qt's options are only a sound path and a font"
R5=$DATA/data405204375-5.od
"$WRITER" "$R5" --name "Dash args" --message "Not options"
for args in "-platform offscreen" "-qwindowtitle Hijacked" "-stylesheet=$WORK/evil.qss Arial"; do
  read -r sonido fuente <<<"$args"
  "$ALERT" "$R5" "$sonido" 9934 10 "$fuente" 2>"$WORK/dash.err" &
  P11=$!
  wait_for '[[ -n "$(window_of $P11 "^Dash args$")" ]]' || fail "no window with arguments '$args': $(cat "$WORK/dash.err")"
  [[ -n "$(e2e_windows_titled $P11 "Dash args")" ]] || fail "Qt took '$args' for its own"
  press $P11 "^Dash args$" alt+s
  exited_with $P11 0
done

step "bad starts: an error window, a message on stderr, a non-zero status, the file untouched"
"$ALERT" "$R1" "$WORK/tone.wav" 1234 10 "DejaVu Sans" 2>"$WORK/bad1.err" &
P7=$!
wait_for '[[ -n "$(window_of $P7 "^Kestrin$")" ]]' || fail "no error window for a wrong token"
sleep 0.3
shot alertwindow-bad-token
press $P7 "^Kestrin$" Return
exited_with $P7 1
grep -q "Invalid token" "$WORK/bad1.err" || fail "stderr: $(cat "$WORK/bad1.err")"

"$ALERT" "$DATA/missing.od" "$WORK/tone.wav" 9934 10 2>"$WORK/bad2.err" &
P8=$!
wait_for '[[ -n "$(window_of $P8 "^Kestrin$")" ]]' || fail "no error window for too few arguments"
press $P8 "^Kestrin$" Return
exited_with $P8 1
grep -q "Wrong number of arguments: 4 given, 5 expected" "$WORK/bad2.err" || fail "stderr: $(cat "$WORK/bad2.err")"

"$ALERT" "$DATA/missing.od" "$WORK/tone.wav" 9934 10 "Arial" 2>"$WORK/bad3.err" &
P9=$!
wait_for '[[ -n "$(window_of $P9 "^Kestrin$")" ]]' || fail "no error window for a missing file"
press $P9 "^Kestrin$" Return
exited_with $P9 2
grep -q "File not found" "$WORK/bad3.err" || fail "stderr: $(cat "$WORK/bad3.err")"
[[ ! -e "$DATA/missing.od" ]] || fail "a missing file was created"
[[ "$(md5sum <"$R1")" == "$SUM1" ]] || fail "a bad start changed the reminder file"

echo "PASS: AlertWindow end to end; screenshots in $E2E_ARTIFACTS"
