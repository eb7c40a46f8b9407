#!/usr/bin/env bash
# Tray popups of the real component under Xvfb with a tray host: one popup appears at the
# bottom right above the tray without taking the focus from a focused window; "Snooze 5
# Minutes" chosen from its menu with the keyboard writes the reminder file and
# broadcasts KestrinClose; Mute stops the looping sound and broadcasts KestrinMute;
# three popups stack; English and Spanish. With the pointer on a popup, Menu and Shift+F10
# open its menu on its first entry, the popup keeps the focus after Escape, Tab reaches
# the close button and Return closes it, the focus going back where it was; with the
# pointer away, the Menu key goes to the focused window. With desktop notifications on (a stand-in
# service on the private bus): the reminder goes to the service with the popup's own
# captions, its snooze writes what the popup's snooze wrote, mute and open act as the
# popup's, closing it stops the sound; a refusing, missing or action-less service gives
# the popup and one line in the event log. dunst, a real daemon, shows one in both
# languages. Screenshots go to the artifacts folder.
#   e2e_popup.sh DEMO WRITER SOUND
set -euo pipefail

DEMO=$1
WRITER=$2
SOUND=$3

source "$(dirname "$0")/../e2e/harness.sh"
e2e_start popup
WORK=$E2E_WORK
DATA=$E2E_DATA
mkdir -p "$DATA"
e2e_tray

e2e_spawn monitor dbus-monitor --session "type='signal',interface='org.kestrin.Kestrin'" >"$WORK/monitor.log"
sleep 0.5

value_of() {  # FILE KEY
  "$WRITER" "$1" --show | tr -d '\r' | sed -n "s/^$2=//p"
}

e2e_step "a focused window of another program"
e2e_spawn holder "$DEMO" --holder "Holder window" >"$WORK/holder.log"
HOLDER_PID=$E2E_LAST_PID
HOLDER=$(e2e_wait_window "$HOLDER_PID" "Holder window")
xdotool windowfocus --sync "$HOLDER"
[[ "$(xdotool getwindowfocus)" == "$HOLDER" ]] || e2e_fail "the holder window has not the focus"

e2e_step "one popup in English with a looping sound"
R1=$DATA/data46000-1.od
"$WRITER" "$R1" --name "Dentist appointment" --message "Call Dr. Smith's office to confirm the appointment at 10:30"
SUM1=$(md5sum <"$R1")
"$DEMO" --language 0 --seconds 600 --delay 1500 --sound "$SOUND" "$R1" "Dentist appointment" \
  "Call Dr. Smith's office to confirm the appointment at 10:30" >"$WORK/demo1.log" 2>"$WORK/demo1.err" &
P1=$!
E2E_PIDS+=("$P1")
e2e_wait_for 'grep -q "^popup shown" "$WORK/demo1.log"' || e2e_fail "no popup: $(cat "$WORK/demo1.log")"
W1=$(e2e_wait_window "" "^Dentist appointment$")
sleep 0.6 # the fade-in
# The demo says where the tray is after starting the sound, which takes a while on a busy machine.
e2e_wait_for 'grep -q "^tray" "$WORK/demo1.log"' || e2e_fail "the demo did not say where the tray is"
eval "$(xdotool getwindowgeometry --shell "$W1")"
echo "popup at $X,$Y ${WIDTH}x$HEIGHT; $(grep '^tray' "$WORK/demo1.log")"
[[ $((X + WIDTH)) -eq 1024 ]] || e2e_fail "the popup's right edge is at $((X + WIDTH)), not the screen's (1024)"
# trayer sits at the bottom of the screen: the popup stands on the tray icon's top.
TRAY_TOP=$(sed -n 's/^tray [0-9-]*,\([0-9-]*\) .*/\1/p' "$WORK/demo1.log")
[[ $TRAY_TOP -gt 700 && $TRAY_TOP -lt 768 ]] || e2e_fail "the tray icon is not at the bottom: $(grep '^tray' "$WORK/demo1.log")"
[[ $((Y + HEIGHT)) -eq $TRAY_TOP ]] || e2e_fail "the popup's bottom is at $((Y + HEIGHT)), the tray's top at $TRAY_TOP"
[[ $WIDTH -ge 350 && $WIDTH -le 700 && $HEIGHT -ge 80 && $HEIGHT -le 250 ]] || e2e_fail "size ${WIDTH}x$HEIGHT"
[[ "$(xdotool getwindowfocus)" == "$HOLDER" ]] || e2e_fail "the popup took the focus"
e2e_wait_for 'grep -q "^sound again" "$WORK/demo1.log"' 15 || e2e_fail "the sound does not loop: $(cat "$WORK/demo1.log")"
e2e_shot popup-english

e2e_step "its menu: Snooze (Minutes) > Snooze 5 Minutes"
xdotool mousemove --window "$W1" $((WIDTH - 32)) 18 click 1
sleep 0.5
e2e_shot popup-english-menu
xdotool key Down Right
sleep 0.4
e2e_shot popup-english-submenu
xdotool key Down Down Down Down Return
e2e_wait_for 'grep -q "^snoozed $R1" "$WORK/demo1.log"' || e2e_fail "no snooze: $(cat "$WORK/demo1.log")"
[[ "$(value_of "$R1" SnoozeTime)" == 5 ]] || e2e_fail "SnoozeTime is '$(value_of "$R1" SnoozeTime)'"
[[ -n "$(value_of "$R1" SnoozeRun)" ]] || e2e_fail "no SnoozeRun"
[[ "$(md5sum <"$R1")" != "$SUM1" ]] || e2e_fail "the file did not change"
e2e_wait_for 'grep -q "member=KestrinClose" "$WORK/monitor.log"' || e2e_fail "no KestrinClose on the bus"
[[ "$(xdotool getwindowfocus)" == "$HOLDER" ]] || e2e_fail "the focus did not go back to the holder"

e2e_step "Mute from the menu stops the sound and broadcasts KestrinMute"
xdotool mousemove --window "$W1" $((WIDTH - 32)) 18 click 1
sleep 0.5
xdotool key Up Return # the last item
e2e_wait_for 'grep -q "^sound ended: stopped" "$WORK/demo1.log"' || e2e_fail "mute did not stop the sound"
e2e_wait_for 'grep -q "member=KestrinMute" "$WORK/monitor.log"' || e2e_fail "no KestrinMute on the bus"
AGAIN=$(grep -c "^sound again" "$WORK/demo1.log" || true)
sleep 2.5
[[ $(grep -c "^sound again" "$WORK/demo1.log" || true) -eq $AGAIN ]] || e2e_fail "the sound came back after mute"

e2e_step "the close button closes it"
xdotool mousemove --window "$W1" $((WIDTH - 14)) 18 click 1
e2e_wait_for 'grep -q "^popup closed" "$WORK/demo1.log"' || e2e_fail "the close button did not close it"
e2e_wait_for '[[ -z "$(e2e_window_named "^Dentist appointment$")" ]]' 5 || e2e_fail "the popup is still shown"
kill $P1

shown_three() {  # LANGUAGE LOG
  local log=$1 lang=$2
  "$WRITER" "$DATA/a.od" --name "A"
  "$WRITER" "$DATA/b.od" --name "B"
  "$WRITER" "$DATA/c.od" --name "C"
  local names msgs
  if [[ $lang == 1 ]]; then
    names=("Reunión de equipo" "Tomar la medicina" "Llamar a mamá")
    msgs=("Sala 3, segundo piso" $'Dos pastillas con agua\r\nDespués del almuerzo' "Feliz cumpleaños")
  else
    names=("Team meeting" "Take the medicine" "Call mum")
    msgs=("Room 3, second floor" $'Two pills with water\r\nAfter lunch' "Happy birthday")
  fi
  # The pointer away from where the popups come: one that passes over a permanent popup
  # and leaves it starts its fade-out.
  xdotool mousemove 5 5
  "$DEMO" --language "$lang" --permanent --delay 1500 "$DATA/a.od" "${names[0]}" "${msgs[0]}" \
    "$DATA/b.od" "${names[1]}" "${msgs[1]}" "$DATA/c.od" "${names[2]}" "${msgs[2]}" >"$log" 2>"$log.err" &
  E2E_LAST_PID=$!
  E2E_PIDS+=("$E2E_LAST_PID")
  e2e_wait_for "[[ \$(grep -c '^popup shown' '$log') -eq 3 ]]" || e2e_fail "three popups not shown: $(cat "$log")"
  sleep 0.6
  local prev_top=$TRAY_TOP n w
  for n in "${names[@]}"; do
    w=$(e2e_wait_window "" "^$n\$")
    eval "$(xdotool getwindowgeometry --shell "$w")"
    [[ $((X + WIDTH)) -eq 1024 ]] || e2e_fail "$n: right edge $((X + WIDTH))"
    [[ $((Y + HEIGHT)) -eq $prev_top ]] || e2e_fail "$n: bottom $((Y + HEIGHT)), expected $prev_top"
    prev_top=$Y
  done
}

e2e_step "three popups stacked, English"
shown_three "$WORK/three-en.log" 0
P3=$E2E_LAST_PID
[[ "$(xdotool getwindowfocus)" == "$HOLDER" ]] || e2e_fail "the popups took the focus"
e2e_shot popups-three-english

e2e_step "the Menu key with the pointer away from the popups goes to the focused window"
xdotool key Menu
e2e_wait_for 'grep -q "^holder key Menu" "$WORK/holder.log"' 5 || e2e_fail "the holder did not get the Menu key: $(cat "$WORK/holder.log")"
grep -q "^holder context menu" "$WORK/holder.log" || e2e_fail "the holder was not asked for its context menu"
sleep 0.3
! grep -q "^menu shown" "$WORK/three-en.log" || e2e_fail "a popup's menu opened with the pointer away"

# Menu, Escape, Shift+F10, Escape, Tab, Return on one popup: its menu opens twice on the
# first entry, the popup keeps the focus, Return on the close button closes it and the
# focus goes back to the holder, which got none of the keys.
keys_on_popup() {  # TITLE LOG SHOT FIRST-ENTRY
  local title=$1 log=$2 shot=$3 first=$4 w held start
  held=$(grep -c "^holder" "$WORK/holder.log" || true)
  start=$(wc -l <"$log")
  said() { tail -n +$((start + 1)) "$log" | grep -c "^$1" || true; }
  w=$(e2e_wait_window "" "^$title\$")
  eval "$(xdotool getwindowgeometry --shell "$w")"
  xdotool mousemove --window "$w" $((WIDTH / 2)) $((HEIGHT - 10))
  sleep 0.3
  xdotool key Menu
  e2e_wait_for '[[ $(said "menu entry ") -eq 1 ]]' 5 || e2e_fail "Menu did not open the menu of $title: $(cat "$log")"
  [[ $(said "menu shown $title\$") -eq 1 ]] || e2e_fail "another popup's menu opened: $(cat "$log")"
  [[ $(said "menu entry $first\$") -eq 1 ]] || e2e_fail "the menu does not start on $first: $(cat "$log")"
  sleep 0.3
  e2e_shot "$shot"
  xdotool key Escape
  e2e_wait_for '[[ $(said "menu hidden") -eq 1 ]]' 5 || e2e_fail "Escape did not close the menu"
  [[ "$(xdotool getwindowfocus)" == "$w" ]] || e2e_fail "$title did not keep the focus"
  xdotool key shift+F10
  e2e_wait_for '[[ $(said "menu shown $title\$") -eq 2 ]]' 5 || e2e_fail "Shift+F10 did not open the menu"
  xdotool key Escape
  e2e_wait_for '[[ $(said "menu hidden") -eq 2 ]]' 5 || e2e_fail "Escape did not close the menu again"
  xdotool key Tab
  e2e_wait_for '[[ "$(tail -n +$((start + 1)) "$log" | grep "^focus " | tail -1)" == "focus BotonCerrar" ]]' 5 ||
    e2e_fail "Tab did not reach the close button: $(cat "$log")"
  sleep 0.2
  e2e_shot "$shot-close"
  xdotool key Return
  e2e_wait_for '[[ -z "$(e2e_window_named "^$title\$")" ]]' 5 || e2e_fail "Return on the close button did not close $title"
  [[ $(said "popup closed") -eq 1 ]] || e2e_fail "the close went another way: $(cat "$log")"
  e2e_wait_for '[[ "$(xdotool getwindowfocus)" == "$HOLDER" ]]' 5 || e2e_fail "the focus did not go back to the holder"
  [[ $(grep -c "^holder" "$WORK/holder.log" || true) -eq $held ]] || e2e_fail "the holder got keys meant for the popup: $(cat "$WORK/holder.log")"
}
e2e_step "the popup's keys, English"
keys_on_popup "Call mum" "$WORK/three-en.log" popup-english-menu-keys "Snooze (Minutes)"
kill $P3

e2e_step "one popup and three stacked, Spanish, with the Spanish menu"
shown_three "$WORK/three-es.log" 1
P4=$E2E_LAST_PID
e2e_shot popups-three-spanish
# The menu of the middle one: the pointer must never pass over the lowest, which would then
# fade out once it left, permanent as it is.
W=$(e2e_wait_window "" "^Tomar la medicina$")
eval "$(xdotool getwindowgeometry --shell "$W")"
xdotool mousemove --window "$W" $((WIDTH - 32)) 18 click 1
sleep 0.4
xdotool key Down Down Right
sleep 0.4
e2e_shot popup-spanish-menu
xdotool key Escape Escape Escape
sleep 0.3
# Close the two above: the lowest stays, the stack closes up on it.
for n in "Tomar la medicina" "Llamar a mamá"; do
  w=$(e2e_wait_window "" "^$n\$")
  eval "$(xdotool getwindowgeometry --shell "$w")"
  xdotool mousemove --window "$w" $((WIDTH - 14)) 18 click 1
  e2e_wait_for "[[ -z \"\$(xdotool search --onlyvisible --name '^$n\$' 2>/dev/null)\" ]]" 5 || e2e_fail "$n did not close"
done
W=$(e2e_wait_window "" "^Reunión de equipo$")
eval "$(xdotool getwindowgeometry --shell "$W")"
[[ $((Y + HEIGHT)) -eq $TRAY_TOP ]] || e2e_fail "the remaining popup is not at the bottom"
e2e_shot popup-spanish
e2e_step "the popup's keys, Spanish"
keys_on_popup "Reunión de equipo" "$WORK/three-es.log" popup-spanish-menu-keys "Posponer (Minutos)"
kill $P4
e2e_step "desktop notifications: the reminder goes to the service, not to a popup"
LOG=$KESTRIN_COMMON_DIR/Kestrin/systemlog.txt
mkdir -p "$(dirname "$LOG")" # the event log's folder, which Kestrin makes at its start
e2e_notifications
notified() { [[ -n "$(e2e_notification "$1" id)" ]]; }
closes() { grep -c "member=KestrinClose" "$WORK/monitor.log" || true; }
R2=$DATA/data46000-2.od
"$WRITER" "$R2" --name "Dentist appointment" --message "Call Dr. Smith's office to confirm the appointment at 10:30"
CLOSES=$(closes)
"$DEMO" --notify --snooze 5 --language 0 --seconds 600 --sound "$SOUND" "$R2" "Dentist appointment" \
  $'Call <Dr. Smith> & confirm\r\nat 10:30' >"$WORK/notify1.log" 2>"$WORK/notify1.err" &
P5=$!
E2E_PIDS+=("$P5")
e2e_wait_for 'notified "Dentist appointment"' || e2e_fail "no Notify: $(cat "$E2E_NOTIFY_LOG")"
N=$(e2e_notification "Dentist appointment" id)
[[ "$(e2e_notification "Dentist appointment" actions)" == \
  '["snooze", "Snooze 5 Minutes", "default", "Open Kestrin", "mute", "Mute"]' ]] ||
  e2e_fail "actions $(e2e_notification "Dentist appointment" actions)"
[[ "$(e2e_notification "Dentist appointment" body)" == $'Call &lt;Dr. Smith&gt; &amp; confirm\nat 10:30' ]] ||
  e2e_fail "body '$(e2e_notification "Dentist appointment" body)'"
HINTS=$(e2e_notification "Dentist appointment" hints)
for h in '"desktop-entry": "org.kestrin.Kestrin"' '"urgency": 1' '"suppress-sound": true'; do
  [[ "$HINTS" == *"$h"* ]] || e2e_fail "hint $h missing: $HINTS"
done
[[ "$(e2e_notification "Dentist appointment" expire)" == 600000 && "$(e2e_notification "Dentist appointment" app)" == Kestrin &&
  "$(e2e_notification "Dentist appointment" image)" == 64x64 ]] || e2e_fail "expiry, name or picture: $(tail -1 "$E2E_NOTIFY_LOG")"
e2e_wait_for 'grep -q "^sound playing" "$WORK/notify1.log"' || e2e_fail "no sound"
[[ -z "$(e2e_window_named "^Dentist appointment$")" ]] || e2e_fail "a popup came with the notification"

e2e_step "its Snooze 5 Minutes writes what the popup's Snooze 5 Minutes wrote; the closing stops the sound"
e2e_notification_act "$N" snooze
e2e_wait_for 'grep -q "^snoozed $R2" "$WORK/notify1.log"' || e2e_fail "no snooze: $(cat "$WORK/notify1.log")"
# The same lines but the moments (the file's creation, the snooze's end).
same_but_times() { "$WRITER" "$1" --show | grep -v '^\(SnoozeRun\|FechaCreacion\)='; }
[[ "$(same_but_times "$R2")" == "$(same_but_times "$R1")" ]] ||
  e2e_fail "the files differ: $(diff <("$WRITER" "$R1" --show) <("$WRITER" "$R2" --show))"
[[ -n "$(value_of "$R2" SnoozeRun)" ]] || e2e_fail "no SnoozeRun"
e2e_wait_for '[[ $(closes) -gt $CLOSES ]]' || e2e_fail "no KestrinClose after the snooze"
e2e_wait_for 'grep -q "^sound ended: stopped" "$WORK/notify1.log"' || e2e_fail "the closing did not stop the sound"
kill $P5

e2e_step "Spanish and permanent: critical, no expiry; Silencio and Abrir Kestrin do what the popup's do"
R3=$DATA/data46000-3.od
"$WRITER" "$R3" --name "Reunión de equipo"
SUM3=$(md5sum <"$R3")
"$DEMO" --notify --language 1 --permanent --sound "$SOUND" "$R3" "Reunión de equipo" "Sala 3" \
  >"$WORK/notify2.log" 2>"$WORK/notify2.err" &
P6=$!
E2E_PIDS+=("$P6")
e2e_wait_for 'notified "Reunión de equipo"' || e2e_fail "no Notify in Spanish"
N=$(e2e_notification "Reunión de equipo" id)
[[ "$(e2e_notification "Reunión de equipo" actions)" == \
  '["snooze", "Posponer 10 Minutos", "default", "Abrir Kestrin", "mute", "Silencio"]' ]] ||
  e2e_fail "actions $(e2e_notification "Reunión de equipo" actions)"
[[ "$(e2e_notification "Reunión de equipo" hints)" == *'"urgency": 2'* && "$(e2e_notification "Reunión de equipo" expire)" == 0 ]] ||
  e2e_fail "not critical and lasting: $(tail -1 "$E2E_NOTIFY_LOG")"
e2e_wait_for 'grep -q "^sound playing" "$WORK/notify2.log"' || e2e_fail "no sound"
MUTES=$(grep -c "member=KestrinMute" "$WORK/monitor.log" || true)
e2e_notification_act --stay "$N" mute
e2e_wait_for 'grep -q "^sound ended: stopped" "$WORK/notify2.log"' || e2e_fail "Silencio did not stop the sound"
e2e_wait_for '[[ $(grep -c "member=KestrinMute" "$WORK/monitor.log") -gt $MUTES ]]' || e2e_fail "no KestrinMute"
e2e_notification_act --stay "$N" default
e2e_wait_for 'grep -q "^open kestrin" "$WORK/notify2.log"' || e2e_fail "Abrir Kestrin did nothing"
[[ "$(md5sum <"$R3")" == "$SUM3" ]] || e2e_fail "mute or open changed the reminder file"
kill $P6

e2e_step "a notification that expires stops its sound, as a popup that closes"
"$DEMO" --notify --seconds 600 --sound "$SOUND" "$R3" "Take the medicine" "Two pills" >"$WORK/notify3.log" 2>&1 &
P7=$!
E2E_PIDS+=("$P7")
e2e_wait_for 'notified "Take the medicine"' || e2e_fail "no Notify"
e2e_wait_for 'grep -q "^sound playing" "$WORK/notify3.log"' || e2e_fail "no sound"
e2e_notification_close "$(e2e_notification "Take the medicine" id)" 1
e2e_wait_for 'grep -q "^sound ended: stopped" "$WORK/notify3.log"' || e2e_fail "the expiry did not stop the sound"
kill $P7

errors_211() { grep -c "Error 211 - " "$LOG" 2>/dev/null || true; }
fallback() {  # LABEL NAME...: each reminder comes as a popup
  local label=$1 n
  shift
  local args=()
  for n in "$@"; do args+=("$DATA/a.od" "$n" "message"); done
  "$DEMO" --notify "${args[@]}" >"$WORK/$label.log" 2>&1 &
  E2E_LAST_PID=$!
  E2E_PIDS+=("$E2E_LAST_PID")
  for n in "$@"; do e2e_wait_window "" "^$n\$" 20 >/dev/null; done
  kill "$E2E_LAST_PID"
}
e2e_step "a refusing service: the popups, and the event log says so once"
e2e_notifications_down
e2e_notifications --refuse
fallback refused "Team meeting" "Call mum"
[[ $(errors_211) -eq 1 ]] || e2e_fail "the log has $(errors_211) lines 211: $(cat "$LOG")"
grep -q "Error 211 - Desktop notifications cannot be shown (org.freedesktop.DBus.Error.AccessDenied: refused by the test)" "$LOG" ||
  e2e_fail "the log line: $(cat "$LOG")"
e2e_step "a service that shows no actions (snooze could not be reached): the popup"
e2e_notifications_down
e2e_notifications --caps body
fallback no-actions "Water the plants"
[[ $(errors_211) -eq 2 ]] || e2e_fail "no line for the service without actions: $(cat "$LOG")"
e2e_step "no service at all: the popup"
e2e_notifications_down
fallback missing "Feed the cat"
[[ $(errors_211) -eq 3 ]] || e2e_fail "no line for the missing service: $(cat "$LOG")"

e2e_step "dunst shows the notification, English and Spanish"
e2e_dunst
for lang in 0 1; do
  if [[ $lang == 0 ]]; then name="Dentist appointment" msg=$'Call Dr. Smith\'s office\r\nto confirm the appointment at 10:30' shot=english
  else name="Cita con el dentista" msg=$'Llamar al consultorio del Dr. Smith\r\npara confirmar la cita de las 10:30' shot=spanish; fi
  "$DEMO" --notify --language $lang --seconds 600 --sound "$SOUND" "$R2" "$name" "$msg" >"$WORK/dunst$lang.log" 2>&1 &
  P8=$!
  E2E_PIDS+=("$P8")
  e2e_wait_for '[[ "$(dunstctl count displayed 2>/dev/null)" == 1 ]]' || e2e_fail "dunst shows nothing: $(cat "$WORK/dunst$lang.log")"
  [[ -z "$(e2e_window_named "^$name\$")" ]] || e2e_fail "a popup came with dunst's notification"
  sleep 1
  e2e_shot "notification-dunst-$shot"
  kill $P8
  dunstctl close-all
done
[[ -z "$(grep -v -i 'pulse\|connect\|opacity' "$WORK"/demo1.err "$WORK"/three-*.log.err | grep -i 'error\|critical' || true)" ]] ||
  e2e_fail "errors: $(cat "$WORK"/*.err)"
echo "PASS"
