#!/usr/bin/env bash
# Tray popups of the real component under Xvfb with a tray host: one popup appears at the
# bottom right above the tray without taking the focus from a focused window; "Snooze 5
# Minutes" chosen from its menu with the keyboard writes the reminder file and
# broadcasts KestrinClose; Mute stops the looping sound and broadcasts KestrinMute;
# three popups stack; English and Spanish. Screenshots go to the artifacts folder.
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
e2e_spawn holder "$DEMO" --holder "Holder window"
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
kill $P3

e2e_step "one popup and three stacked, Spanish, with the Spanish menu"
shown_three "$WORK/three-es.log" 1
P4=$E2E_LAST_PID
e2e_shot popups-three-spanish
W=$(e2e_wait_window "" "^Reunión de equipo$")
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
kill $P4
[[ -z "$(grep -v -i 'pulse\|connect\|opacity' "$WORK"/demo1.err "$WORK"/three-*.log.err | grep -i 'error\|critical' || true)" ]] ||
  e2e_fail "errors: $(cat "$WORK"/*.err)"
echo "PASS"
