#!/usr/bin/env bash
# The real kestrin program under Xvfb on a private session bus: the tray icon and its
# menu, the window hidden by its close button, a second start, the broadcast messages,
# a reminder that fires and opens AlertWindow, "silent", the leftovers of auto-delete,
# English and Spanish screenshots, bad surroundings (no tray host, no AlertWindow,
# a data folder that is a file, unreadable settings, no session bus), the tray of KDE and
# GNOME (a StatusNotifierWatcher stand-in), and desktop notifications (a stand-in service).
#   e2e_mainwindow.sh KESTRIN WRITER CLOSER
set -euo pipefail

KESTRIN=$1
WRITER=$2
CLOSER=$3

source "$(dirname "$0")/harness.sh"
e2e_start mainwindow
WORK=$E2E_WORK
export KESTRIN_MAINWINDOW_LOG=$WORK/main.log
export KESTRIN_ALERTWINDOW_LOG=$WORK/alert.log
: >"$KESTRIN_MAINWINDOW_LOG"
: >"$KESTRIN_ALERTWINDOW_LOG"
LOG=$KESTRIN_COMMON_DIR/Kestrin/systemlog.txt
CONF=$XDG_CONFIG_HOME/Kestrin/Kestrin.conf

step() { e2e_step "$@"; }
fail() {
  echo "== main window trace" >&2; cat "$KESTRIN_MAINWINDOW_LOG" >&2 || true
  echo "== event log" >&2; cat "$LOG" >&2 2>/dev/null || true
  e2e_fail "$@"
}
trace_has() { grep -qE "$1" "$KESTRIN_MAINWINDOW_LOG"; }
wait_trace() { e2e_wait_for "trace_has '$1'" "${2:-15}" || fail "the window never said '$1'"; }
windows_titled() { e2e_windows_titled "$@"; }
width_of() { xwininfo -id "$1" | awk '/Width:/ {print $2}'; }
main_window() { windows_titled "$1" "Kestrin 1.6" | head -1; }
# Waits for the main window of a process and prints its id.
wait_main_window() {
  e2e_wait_for "[[ -n \$(main_window $1) ]]" 15 || fail "no main window of $1"
  main_window "$1"
}
# A window titled "Kestrin" wider than a tray icon is a box; the icon is the other one.
box_of() {
  local w
  for w in $(windows_titled "$1" Kestrin); do
    [[ $(width_of "$w") -gt 64 ]] && { echo "$w"; return 0; }
  done
  return 1
}
tray_icon_of() {
  local w
  for w in $(windows_titled "$1" Kestrin); do
    [[ $(width_of "$w") -le 64 ]] && { echo "$w"; return 0; }
  done
  return 1
}
start_kestrin() {  # LABEL [args...]
  local label=$1
  shift
  : >"$KESTRIN_MAINWINDOW_LOG"
  e2e_spawn "$label" "$KESTRIN" "$@"
  K=$E2E_LAST_PID
}
shut_down() {  # the running Kestrin ends on the broadcast, with status 0
  e2e_broadcast KestrinShutDownMessage
  e2e_exited_with "$K" 0 20
  trace_has '^ended$' || fail "the program did not end through its shutdown"
}
answer_box() {  # PID: waits for a box, keeps a screenshot NAME, presses Return
  local w
  e2e_wait_for "box_of $1 >/dev/null" 15 || fail "no box shown by $1"
  w=$(box_of "$1")
  [[ -n "${2:-}" ]] && e2e_shot "$2"
  e2e_keys "$w" Return
  e2e_wait_for "! box_of $1 >/dev/null" 10 || fail "the box did not close"
}
sums() { (cd "$E2E_DATA" && md5sum -- * 2>/dev/null | sort); }
# A visible window of that title shown by an AlertWindow process (the popup has the same
# title; under faketime $K is not the program's own pid).
alert_window_titled() {  # TITLE
  local w
  for w in $(xdotool search --onlyvisible --name "^$1\$" 2>/dev/null); do
    [[ "$(cat "/proc/$(xdotool getwindowpid "$w" 2>/dev/null)/comm" 2>/dev/null)" == AlertWindow ]] &&
      { echo "$w"; return 0; }
  done
  return 1
}

mkdir -p "$E2E_DATA"

step "no tray host: the close button minimises instead of hiding; the log says why"
start_kestrin notray
W=$(wait_main_window "$K")
wait_trace '^scheduler started$'
"$CLOSER" "$W" || fail "cannot send the close request"
sleep 1
kill -0 "$K" || fail "the close button ended the program"
[[ -n "$(xdotool search --pid "$K" --name '^Kestrin 1\.6$' 2>/dev/null)" ]] || fail "the window is gone"
grep -q "No notification area" "$LOG" || fail "the log does not say that there is no tray"
shut_down

step "AlertWindow missing: its box comes once the list is filled and the scheduler runs"
mkdir -p "$WORK/bin/desktop"
cp "$KESTRIN" "$WORK/bin/kestrin"
cp "$(dirname "$KESTRIN")/desktop/kestrin-desktop.so" "$WORK/bin/desktop/" # the window's part goes along
"$WRITER" "$E2E_DATA/data1.od" --name "Stretch"
: >"$KESTRIN_MAINWINDOW_LOG"
e2e_spawn lonely "$WORK/bin/kestrin"
K=$E2E_LAST_PID
e2e_wait_for "box_of $K >/dev/null" 15 || fail "no box for the missing AlertWindow"
trace_has '^list 1: Stretch$' || fail "the box came before the list was filled"
trace_has '^scheduler started$' || fail "the box held back the scheduler"
answer_box "$K" alertwindow-missing
kill -0 "$K" || fail "the program ended after the box"
shut_down
rm -f "$E2E_DATA/data1.od"

step "the data folder is a file: the box says so, the program keeps running"
rmdir "$E2E_DATA"
echo "not a folder" >"$E2E_DATA"
start_kestrin filefolder
answer_box "$K" data-folder-is-a-file
wait_trace '^scheduler started$'
kill -0 "$K" || fail "the program ended"
shut_down
rm -f "$E2E_DATA"
mkdir -p "$E2E_DATA"

step "unreadable settings: defaults, the program runs"
rm -f "$CONF"
mkdir -p "$CONF"
start_kestrin badconf
wait_main_window "$K" >/dev/null
wait_trace '^scheduler started$'
box_of "$K" >/dev/null && fail "unreadable settings gave a box"
shut_down
ls -la "$CONF" >&2 || true; rm -rf "$CONF"

step "no session bus: the lock file keeps one instance; SIGTERM ends it cleanly"
: >"$KESTRIN_MAINWINDOW_LOG"
e2e_spawn nobus env -u DBUS_SESSION_BUS_ADDRESS "$KESTRIN"
K=$E2E_LAST_PID
wait_main_window "$K" >/dev/null
wait_trace '^scheduler started$'
e2e_spawn nobus2 env -u DBUS_SESSION_BUS_ADDRESS "$KESTRIN"
e2e_exited_with "$E2E_LAST_PID" 0 15
kill -TERM "$K"
e2e_exited_with "$K" 0 20
trace_has '^ended$' || fail "SIGTERM did not run the shutdown"

step "a tray host that starts after Kestrin (a panel late at login) gets the icon"
start_kestrin latetray
wait_main_window "$K" >/dev/null
wait_trace '^scheduler started$'
e2e_tray
e2e_wait_for "tray_icon_of $K >/dev/null" 15 || fail "no tray icon once the tray host is there"
shut_down

step "start with reminders and a leftover .odb; the tray icon and its menu"
"$WRITER" "$E2E_DATA/data405204375-1.od" --name "Morning walk"
"$WRITER" "$E2E_DATA/data405204375-2.od" --name "Água e café"
cp "$E2E_DATA/data405204375-1.od" "$E2E_DATA/data405204375-9.odb"
start_kestrin english
W=$(wait_main_window "$K")
wait_trace '^list 2: '
trace_has '^list 2: (Morning walk\|Água e café|Água e café\|Morning walk)$' || fail "the list is not what the files hold"
[[ ! -e "$E2E_DATA/data405204375-9.odb" ]] || fail "the leftover .odb is still there"
[[ -e "$E2E_DATA/data405204375-1.od" ]] || fail "a reminder file was removed"
e2e_wait_for "tray_icon_of $K >/dev/null" 10 || fail "no tray icon"
TRAY=$(tray_icon_of "$K")
sleep 0.5
e2e_shot main-english
BEFORE=$(xdotool search --pid "$K" --onlyvisible --name '.*' 2>/dev/null | wc -l)
e2e_click "$TRAY" 11 11 3
e2e_wait_for "[[ \$(xdotool search --pid $K --onlyvisible --name '.*' 2>/dev/null | wc -l) -gt $BEFORE ]] || \
  [[ \$(xdotool search --pid $K --onlyvisible --class '.*' 2>/dev/null | wc -l) -gt $BEFORE ]]" 10 ||
  fail "the tray menu did not open"
sleep 0.3
e2e_shot tray-menu
xdotool key Escape
sleep 0.3

step "the toolbar and the menus open the real dialogs"
dialog_opens() {  # TITLE NAME: waits for the dialog, keeps a screenshot, cancels it
  local d=
  e2e_wait_for "[[ -n \$(windows_titled $K '$1') ]]" 10 || fail "no dialog '$1'"
  d=$(windows_titled "$K" "$1" | head -1)
  sleep 0.3
  e2e_shot "$2"
  "$CLOSER" "$d"
  e2e_wait_for "[[ -z \$(windows_titled $K '$1') ]]" 10 || fail "the dialog '$1' did not close"
}
# Toolbar buttons are 64 pixels wide, below the menu bar: Options is the fourth, Sound the fifth.
e2e_click "$W" $((3 * 64 + 32)) 50
dialog_opens Options options
e2e_click "$W" $((4 * 64 + 32)) 50
dialog_opens "Sound Manager" sound-manager
e2e_keys "$W" alt+q
sleep 0.3
xdotool key Return
dialog_opens "Quick Reminder - In 1 Minute" quick-reminder
e2e_keys "$W" alt+h
sleep 0.3
xdotool key Up Return
dialog_opens "About Kestrin" about
# The wizard's title is "Kestrin", like a box's.
e2e_click "$W" 32 50
e2e_wait_for "box_of $K >/dev/null" 10 || fail "Add did not open the wizard"
sleep 0.3
e2e_shot wizard
"$CLOSER" "$(box_of "$K")"
e2e_wait_for "! box_of $K >/dev/null" 10 || fail "the wizard did not close"

step "the close button hides the window to the tray; the scheduler keeps running"
"$CLOSER" "$W"
e2e_wait_for "[[ -z \$(main_window $K) ]]" 10 || fail "the window was not hidden"
kill -0 "$K" || fail "closing ended the program"
tray_icon_of "$K" >/dev/null || fail "the tray icon went away"

step "a second start ends at once and brings the first window back"
e2e_spawn second "$KESTRIN"
e2e_exited_with "$E2E_LAST_PID" 0 15
e2e_wait_for "[[ -n \$(main_window $K) ]]" 10 || fail "the first window did not come back"
N=0
for w in $(xdotool search --onlyvisible --name '.*' 2>/dev/null); do
  [[ "$(xdotool getwindowname "$w" 2>/dev/null)" == "Kestrin 1.6" ]] && N=$((N + 1))
done
[[ $N -eq 1 ]] || fail "$N main windows are shown"

step "KestrinReadFiles shows a reminder added by another program"
"$WRITER" "$E2E_DATA/data405204375-3.od" --name "Zebra crossing"
e2e_broadcast KestrinReadFiles
wait_trace '^list 3: .*Zebra crossing'

step "Start > Export…: the file dialog, then one box"
file_dialog() {  # TITLE PATH SHOT: types PATH into the dialog titled TITLE and accepts it
  local d=
  e2e_wait_for "[[ -n \$(windows_titled $K '$1') ]]" 10 || fail "no file dialog '$1'"
  d=$(windows_titled "$K" "$1" | head -1)
  sleep 0.5
  e2e_shot "$3"
  e2e_keys "$d" ctrl+a
  e2e_type "$d" "$2"
  e2e_keys "$d" Return
}
e2e_keys "$W" alt+s
sleep 0.3
xdotool key x
file_dialog "Export…" "$WORK/all.ics" export-dialog
e2e_wait_for "box_of $K >/dev/null" 10 || fail "no box after the export"
sleep 0.3
e2e_shot export-box
[[ $(grep -c '^BEGIN:VEVENT' "$WORK/all.ics") -eq 3 ]] || fail "the export does not hold the 3 reminders"
"$CLOSER" "$(box_of "$K")"
e2e_wait_for "! box_of $K >/dev/null" 10 || fail "the export's box did not close"

step "the keys: the Start menu shows them; Ctrl+F filters, F5 reloads, Escape clears, then hides"
W=$(wait_main_window "$K")
e2e_keys "$W" alt+s
sleep 0.4
e2e_shot menu-keys-english
xdotool key Escape
sleep 0.2
e2e_keys "$W" ctrl+f
e2e_type "$W" agua
sleep 0.4
e2e_shot filter-english
LOADS=$(grep -c '^list 3: ' "$KESTRIN_MAINWINDOW_LOG")
e2e_keys "$W" F5
e2e_wait_for "[[ \$(grep -c '^list 3: ' $KESTRIN_MAINWINDOW_LOG) -gt $LOADS ]]" 10 || fail "F5 did not reload"
e2e_keys "$W" Escape
sleep 0.3
[[ -n "$(main_window "$K")" ]] || fail "Escape in the filter hid the window instead of clearing the filter"
e2e_keys "$W" Escape
e2e_wait_for "[[ -z \$(main_window $K) ]]" 10 || fail "Escape did not hide the window"

step "KestrinShutDownMessage ends the program; every file is intact"
BEFORE_SUMS=$(sums)
shut_down
[[ "$(sums)" == "$BEFORE_SUMS" ]] || fail "the shutdown changed reminder files"

step "Spanish"
mkdir -p "$(dirname "$CONF")"
printf '[General]\nLanguage=1\n' >"$CONF"
start_kestrin spanish
wait_main_window "$K" >/dev/null
wait_trace '^list 3: '
sleep 0.5
e2e_shot main-spanish
W=$(main_window "$K")
e2e_keys "$W" alt+i
sleep 0.4
e2e_shot menu-keys-spanish
xdotool key Escape
sleep 0.2
e2e_keys "$W" ctrl+f
e2e_type "$W" CAFE
sleep 0.4
e2e_shot filter-spanish
e2e_keys "$W" Escape          # clears the filter
step "Inicio > Importar…: the file dialog, then one box with the counts and the skipped lines"
BEFORE_IMPORT=$(ls "$E2E_DATA")
e2e_keys "$(main_window "$K")" alt+i
sleep 0.3
xdotool key i
file_dialog "Importar…" "$(cd "$(dirname "$0")/../ical/fixtures" && pwd)/gnome.ics" import-dialog-spanish
e2e_wait_for "box_of $K >/dev/null" 10 || fail "no box after the import"
sleep 0.3
e2e_shot import-box-spanish
wait_trace '^list 6: '
"$CLOSER" "$(box_of "$K")"
shut_down
# The imported reminders would only get in the way of the steps below.
for f in $(ls "$E2E_DATA"); do
  grep -qxF "$f" <<<"$BEFORE_IMPORT" || rm -f "$E2E_DATA/$f"
done
printf '[General]\nLanguage=0\n' >"$CONF"

step "\"silent\": minimised, the automatic start handed to the scheduler"
start_kestrin silent silent
wait_trace '^scheduler started \(automatic start\)$'
sleep 1
[[ -z "$(main_window "$K")" ]] || fail "the window is shown after a silent start"
e2e_broadcast KestrinMessage
e2e_wait_for "[[ -n \$(main_window $K) ]]" 10 || fail "KestrinMessage did not show the window"
shut_down

step "reminders due a few seconds ahead fire: AlertWindow, and a quick reminder's popup"
rm -f "$E2E_DATA"/*.od
"$WRITER" "$E2E_DATA/data405204375-4.od" --name "Take the pills"
# A quick reminder (popup, alert window and sound) made a minute earlier, due at 08:59:58.
faketime --exclude-monotonic "$(date +%F) 08:58:58" "$KESTRIN" --in 1 >/dev/null || fail "kestrin --in failed"
: >"$KESTRIN_MAINWINDOW_LOG"
# The wall clock starts before 09:00 and runs; the waits keep the real monotonic clock.
# The scheduler's first load comes a tick after a start that may itself take seconds on a
# busy machine, and a one-time reminder already past at that load is not fired: leave room.
e2e_spawn firing faketime --exclude-monotonic "$(date +%F) 08:59:50" "$KESTRIN"
K=$E2E_LAST_PID
wait_trace '^scheduler started$'
# The quick reminder is due first; its popup stays 10 seconds.
e2e_wait_for "[[ -n \$(windows_titled $K 'Quick Reminder') ]]" 30 || fail "no popup"
e2e_wait_for "[[ -n \$(xdotool search --onlyvisible --name '^Take the pills\$' 2>/dev/null || true) ]]" 30 ||
  fail "no alert window"
e2e_wait_for "grep -q shown '$KESTRIN_ALERTWINDOW_LOG'" 10 || fail "AlertWindow did not say it was shown"
# The alert window is grouped with Kestrin's main window by docks and task bars.
CLASS=$(e2e_window_class "$(xdotool search --onlyvisible --name '^Take the pills$' | head -1)")
[[ "$CLASS" == Kestrin && "$(e2e_window_class "$(wait_main_window "$K")")" == Kestrin ]] ||
  fail "window classes: alert window '$CLASS', main window '$(e2e_window_class "$(wait_main_window "$K")")'"
e2e_wait_for "'$WRITER' '$E2E_DATA/data405204375-4.od' --show | grep -qE '^LastRunTime=[1-9]'" 10 ||
  fail "the last run time was not written"
e2e_wait_for "grep -q 'shown Quick Reminder' '$KESTRIN_ALERTWINDOW_LOG'" 10 || fail "no alert window for the quick reminder"
sleep 0.5
e2e_shot reminder-fired
# The quick reminder's alert window closed by the user: its "Auto Delete" retires it.
QW=$(alert_window_titled 'Quick Reminder') || fail "no alert window titled Quick Reminder"
"$CLOSER" "$QW" || fail "cannot close the quick reminder's alert window"
e2e_wait_for "ls '$E2E_DATA' | grep -q '\.odb\$'" 10 || fail "the closed quick reminder was not retired"
wait_trace '^list 1: Take the pills$'
e2e_broadcast KestrinClose
shut_down

step "a reminder fires while Options is open: its popup snoozes it; a long message edited unchanged stays whole"
rm -f "$E2E_DATA"/*.od*
LONG=$(printf 'Bring the old passport, two photos and the signed form to the consulate. %.0s' {1..9})
LONG=${LONG% }   # the loader trims the blanks around a message line
faketime --exclude-monotonic "$(date +%F) 09:58:58" "$KESTRIN" --in 1 --message "$LONG" >/dev/null ||
  fail "kestrin --in failed"
Q=$(ls "$E2E_DATA"/*.od)
"$WRITER" "$Q" --show | grep '^Mensaje' >"$WORK/long-before.txt"
[[ $(wc -c <"$WORK/long-before.txt") -gt 600 ]] || fail "the quick reminder's message is not long"
: >"$KESTRIN_MAINWINDOW_LOG"
e2e_spawn options-open faketime --exclude-monotonic "$(date +%F) 09:59:46" "$KESTRIN"
K=$E2E_LAST_PID
W=$(wait_main_window "$K")
wait_trace '^scheduler started$'
e2e_click "$W" $((3 * 64 + 32)) 50
e2e_wait_for "[[ -n \$(windows_titled $K Options) ]]" 10 || fail "no Options dialog"
e2e_wait_for "[[ -n \$(windows_titled $K 'Quick Reminder') ]]" 30 || fail "no popup while Options is open"
P=$(windows_titled "$K" 'Quick Reminder' | sed -n 1p)
sleep 0.5
e2e_shot popup-over-options
eval "$(xdotool getwindowgeometry --shell "$P")"
xdotool mousemove --window "$P" $((WIDTH - 32)) 18 click 1
sleep 0.5
xdotool key Down Right
sleep 0.3
xdotool key Down Down Down Down Return
e2e_wait_for "'$WRITER' '$Q' --show | grep -qx 'SnoozeTime=5'" 10 ||
  fail "the popup's menu did nothing while Options was open"
# Its alert window went with the snooze ("KestrinClose"); the reminder stays.
e2e_wait_for "[[ -z \$(alert_window_titled 'Quick Reminder') ]]" 10 || fail "the alert window did not close"
[[ -e "$Q" ]] || fail "the snoozed quick reminder was retired"
"$CLOSER" "$(windows_titled "$K" Options | sed -n 1p)"
e2e_wait_for "[[ -z \$(windows_titled $K Options) ]]" 10 || fail "Options did not close"
# Edit, Next and Finish without touching anything: the message is saved whole.
# From the keyboard: Ctrl+F, Enter selects the first row shown (the one row), F2 edits it.
e2e_keys "$W" ctrl+f Return F2
e2e_wait_for "box_of $K >/dev/null" 10 || fail "Edit did not open the wizard"
WIZ=$(box_of "$K")
sleep 0.3
e2e_keys "$WIZ" Return          # Next: the alert page
sleep 0.5
e2e_shot wizard-long-message
e2e_keys "$WIZ" Return          # Finish
e2e_wait_for "'$WRITER' '$Q' --show | grep -q '^Summary1=One Time\.'" 10 || fail "the edit was not saved"
sleep 0.3
xdotool key Return              # OK on the confirmation box
"$WRITER" "$Q" --show | grep '^Mensaje' >"$WORK/long-after.txt"
cmp -s "$WORK/long-before.txt" "$WORK/long-after.txt" ||
  fail "the message changed: $(diff "$WORK/long-before.txt" "$WORK/long-after.txt")"
shut_down

step "a silent start with a bad file, then a flood of KestrinReadFiles: one box, the reminder fires"
# The box about the bad file stays unanswered all along, as at a login nobody attends.
rm -f "$E2E_DATA"/*.od
"$WRITER" "$E2E_DATA/data405204375-5.od" --name "During the flood"
echo "not a reminder" >"$E2E_DATA/broken.od"
: >"$KESTRIN_ALERTWINDOW_LOG"
: >"$KESTRIN_MAINWINDOW_LOG"
e2e_spawn flood faketime --exclude-monotonic "$(date +%F) 08:59:45" "$KESTRIN" silent
K=$E2E_LAST_PID
wait_trace '^scheduler started \(automatic start\)$'
e2e_wait_for "box_of $K >/dev/null" 15 || fail "no box for the bad file"
(
  end=$((SECONDS + 25))
  n=0
  while ((SECONDS < end)); do
    e2e_broadcast KestrinReadFiles 2>/dev/null || true
    n=$((n + 1))
  done
  echo "$n" >"$WORK/flood.count"
) &
FLOOD=$!
sleep 3
e2e_broadcast KestrinMessage
e2e_wait_for "[[ -n \$(main_window $K) ]]" 5 || fail "KestrinMessage not answered during the flood"
e2e_wait_for "grep -q 'shown During the flood' '$KESTRIN_ALERTWINDOW_LOG'" 40 ||
  fail "the reminder due during the flood did not fire"
wait "$FLOOD"
kill -0 "$K" || fail "Kestrin died in the flood"
BOXES=0
for w in $(windows_titled "$K" Kestrin); do [[ $(width_of "$w") -gt 64 ]] && BOXES=$((BOXES + 1)); done
[[ $BOXES -eq 1 ]] || fail "$BOXES boxes on screen after the flood"
RELOADS=$(grep -c '^list ' "$KESTRIN_MAINWINDOW_LOG" || true)
echo "flood: $(cat "$WORK/flood.count") KestrinReadFiles, $RELOADS list reloads"
[[ $RELOADS -le 130 ]] || fail "$RELOADS reloads for the flood: not coalesced"
e2e_shot flood-one-box
answer_box "$K"
e2e_broadcast KestrinClose
shut_down
rm -f "$E2E_DATA/broken.od"

step "a daily reminder added with the keyboard through Add is listed, and fires the next day"
# Day counts and the wall clock in one time zone, so the firing moment can be worked out.
export TZ=UTC
rm -f "$E2E_DATA"/*.od
start_kestrin wizard-add
W=$(wait_main_window "$K")
wait_trace '^scheduler started$'
e2e_click "$W" 32 50
e2e_wait_for "box_of $K >/dev/null" 10 || fail "Add did not open the wizard"
WIZ=$(box_of "$K")
e2e_keys "$WIZ" alt+d           # "&Daily" on the type page
sleep 0.5
e2e_keys "$WIZ" Return          # Next: the daily page, starting now
sleep 0.3
e2e_keys "$WIZ" Return          # Next: the alert page, the focus in the name
sleep 0.3
e2e_type "$WIZ" "Typed daily"
e2e_keys "$WIZ" Return          # Finish
e2e_wait_for "[[ \$(ls '$E2E_DATA' | grep -c '\.od\$') -eq 1 ]]" 10 || fail "the wizard wrote no reminder"
sleep 0.5
e2e_shot wizard-finished
xdotool key Return              # OK on the confirmation box
wait_trace '^list 1: Typed daily$'
e2e_wait_for "! box_of $K >/dev/null" 10 || fail "the wizard did not close"
shut_down
JSON=$("$KESTRIN" --list --json --language en) || fail "kestrin --list failed"
grep -q '"nextRunText": "Tomorrow at ' <<<"$JSON" || fail "the new daily reminder is not due tomorrow: $JSON"
NEXT=$(grep -o '"nextRun": [0-9.]*' <<<"$JSON" | head -1 | cut -d' ' -f2)
# A day count is days since 1899-12-30; 25569 of them reach 1970-01-01.
DUE=$(awk -v d="$NEXT" 'BEGIN { printf "%d", (d - 25569) * 86400 + 0.5 }')
: >"$KESTRIN_MAINWINDOW_LOG"
e2e_spawn nextday faketime --exclude-monotonic "$(date -u -d "@$((DUE - 10))" '+%F %T')" "$KESTRIN"
K=$E2E_LAST_PID
wait_trace '^scheduler started$'
e2e_wait_for "[[ -n \$(xdotool search --onlyvisible --name '^Typed daily\$' 2>/dev/null || true) ]]" 30 ||
  fail "the reminder added through the wizard did not fire"
sleep 0.3
e2e_shot wizard-reminder-fired
e2e_broadcast KestrinClose
shut_down
unset TZ

step "KDE's and GNOME's tray: Kestrin registers a StatusNotifierItem; Activate shows the window; its menu in both languages"
e2e_sni_watcher
items() { grep -c '^item ' "$E2E_WATCHER_LOG" || true; }
for lang in 0 1; do
  printf '[General]\nLanguage=%s\n' "$lang" >"$CONF"
  ITEMS=$(items)
  start_kestrin "sni$lang" silent
  e2e_wait_for '[[ $(items) -gt $ITEMS ]]' 15 || fail "no StatusNotifierItem registered: $(cat "$E2E_WATCHER_LOG")"
  read -r _ SVC ITEM _ < <(grep '^item ' "$E2E_WATCHER_LOG" | tail -1)
  wait_trace '^scheduler started'
  sleep 0.5
  [[ -z "$(main_window "$K")" ]] || fail "the window is shown after a silent start with a tray"
  dbus-send --session --print-reply --dest="$SVC" "$ITEM" org.kde.StatusNotifierItem.Activate int32:0 int32:0 >/dev/null ||
    fail "Activate failed"
  e2e_wait_for "[[ -n \$(main_window $K) ]]" 10 || fail "Activate did not show the window"
  MENU=$(dbus-send --session --print-reply --dest="$SVC" "$ITEM" org.freedesktop.DBus.Properties.Get \
    string:org.kde.StatusNotifierItem string:Menu | sed -n 's/.*object path "\(.*\)"/\1/p')
  [[ -n "$MENU" ]] || fail "the item exports no menu"
  e2e_dbus_menu "$SVC" "$MENU" >"$WORK/sni-menu-$lang.txt" || fail "cannot read the exported menu"
  if [[ $lang == 0 ]]; then
    WANT=$'Open\n-\nAdd Reminder\nQuick Reminder\nOptions\nSound Manager\n-\nKestrin Homepage\n-\nAbout Kestrin'
  else
    WANT=$'Abrir\n-\nAgregar Recordatorio\nRecordatorio Rápido\nOpciones\nManejador de Sonidos\n-\nPágina Web de Kestrin\n-\nAcerca Kestrin'
  fi
  [[ "$(grep -v '^ ' "$WORK/sni-menu-$lang.txt")" == "$WANT" ]] || fail "the exported menu: $(cat "$WORK/sni-menu-$lang.txt")"
  [[ $(grep -c '^  ' "$WORK/sni-menu-$lang.txt") -ge 16 ]] || fail "the quick reminder submenu is not exported"
  shut_down
done
kill "$E2E_WATCHER_PID"

step "desktop notifications on: a fired reminder goes to the notification service; its snooze writes the file"
rm -f "$E2E_DATA"/*.od*
printf '[General]\nLanguage=0\nDesktopNotifications=1\n' >"$CONF"
e2e_notifications
faketime --exclude-monotonic "$(date +%F) 10:58:58" "$KESTRIN" --in 1 >/dev/null || fail "kestrin --in failed"
Q=$(ls "$E2E_DATA"/*.od)
: >"$KESTRIN_MAINWINDOW_LOG"
e2e_spawn notifying faketime --exclude-monotonic "$(date +%F) 10:59:50" "$KESTRIN"
K=$E2E_LAST_PID
wait_trace '^scheduler started$'
e2e_wait_for '[[ -n "$(e2e_notification "Quick Reminder" id)" ]]' 30 || fail "no notification: $(cat "$E2E_NOTIFY_LOG")"
[[ "$(e2e_notification "Quick Reminder" actions)" == '["snooze", "Snooze 10 Minutes", "default", "Open Kestrin", "mute", "Mute"]' ]] ||
  fail "actions $(e2e_notification "Quick Reminder" actions)"
[[ "$(e2e_notification "Quick Reminder" expire)" == 10000 ]] || fail "expiry $(e2e_notification "Quick Reminder" expire)"
e2e_wait_for "grep -q 'shown Quick Reminder' '$KESTRIN_ALERTWINDOW_LOG'" 10 || fail "no alert window beside the notification"
# The one window of that title is the alert window's; the popup's would be Kestrin's.
for w in $(xdotool search --onlyvisible --name '^Quick Reminder$' 2>/dev/null); do
  [[ "$(cat "/proc/$(xdotool getwindowpid "$w")/comm" 2>/dev/null)" == AlertWindow ]] || fail "a popup came with the notification"
done
e2e_notification_act "$(e2e_notification "Quick Reminder" id)" snooze
e2e_wait_for "'$WRITER' '$Q' --show | grep -q '^SnoozeTime=10\$'" 10 || fail "the snooze was not written: $("$WRITER" "$Q" --show)"
"$WRITER" "$Q" --show | grep -qE '^SnoozeRun=[1-9]' || fail "no SnoozeRun"
shut_down
e2e_notifications_down
