# The one end-to-end harness: source it from a test script, then call e2e_start.
#
#   source "$(dirname "$0")/../e2e/harness.sh"
#   e2e_start NAME            # NAME: the test's folder under $E2E_ARTIFACTS_ROOT
#   e2e_tray                  # optional: a tray host (trayer) on the display
#   ...                       # run the programs, drive them, check files
#
# e2e_start gives the test, and every program it starts:
#   - private folders: HOME, XDG_DATA_HOME, XDG_CONFIG_HOME, XDG_CACHE_HOME,
#     XDG_RUNTIME_DIR, KESTRIN_COMMON_DIR, all below $E2E_WORK (removed at exit);
#     $E2E_DATA is the reminder folder Kestrin uses ($XDG_DATA_HOME/Kestrin/System);
#   - a virtual display of its own (Xvfb, 1024x768, a random free number) in DISPLAY;
#   - a private session bus in DBUS_SESSION_BUS_ADDRESS;
#   - QT_MEDIA_BACKEND=gstreamer, the C.UTF-8 locale, no QT_QPA_PLATFORM;
#   - $E2E_ARTIFACTS, where e2e_shot saves screenshots (kept after the test).
# Everything started through the harness is ended when the script exits.
#
# e2e_a11y starts the accessibility bus, for tests that read the windows as a screen reader.
# e2e_bus_up, e2e_display_up and e2e_tray_up start one piece each; ./run uses them too.
#
# Environment: E2E_ARTIFACTS_ROOT (default: build/test-artifacts below the repository).

E2E_PIDS=()
E2E_WORK=
E2E_ARTIFACTS=

e2e_step() { echo "--- $*"; }

# Says what went wrong, with the programs' stderr, the windows and a screenshot; exits 1.
e2e_fail() {
  echo "FAIL: $*" >&2
  if [[ -n "$E2E_WORK" ]]; then
    local f
    for f in "$E2E_WORK"/*.err "$E2E_WORK"/*.log; do
      [[ -s "$f" ]] && { echo "== ${f##*/}"; tail -n 40 "$f"; } >&2
    done
  fi
  if [[ -n "${DISPLAY:-}" && -n "$E2E_ARTIFACTS" ]]; then
    import -window root "$E2E_ARTIFACTS/failure.png" 2>/dev/null || true
    echo "== windows" >&2
    local w
    for w in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
      echo "$w pid=$(xdotool getwindowpid "$w" 2>/dev/null) '$(xdotool getwindowname "$w" 2>/dev/null)'" >&2
    done
  fi
  exit 1
}

# Runs a command in the background and remembers it, so that it is ended at exit.
# Its stderr goes to $E2E_WORK/LABEL.err; the pid is left in E2E_LAST_PID.
e2e_spawn() {  # LABEL command args...
  local label=$1
  shift
  "$@" 2>>"$E2E_WORK/$label.err" &
  E2E_LAST_PID=$!
  E2E_PIDS+=("$E2E_LAST_PID")
}

e2e_cleanup() {
  local i
  for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
    kill "${E2E_PIDS[$i]}" 2>/dev/null || true
  done
  for ((i = ${#E2E_PIDS[@]} - 1; i >= 0; i--)); do
    wait "${E2E_PIDS[$i]}" 2>/dev/null || true
  done
  [[ -n "${E2E_BUS_PID:-}" ]] && kill "$E2E_BUS_PID" 2>/dev/null
  [[ -n "$E2E_WORK" ]] && rm -rf "$E2E_WORK"
  return 0
}

# Waits up to LIMIT seconds (default 15) for a condition given as a command string.
e2e_wait_for() {  # 'condition' [LIMIT]
  local what=$1 limit=${2:-15} i
  for ((i = 0; i < limit * 10; i++)); do
    if eval "$what"; then return 0; fi
    sleep 0.1
  done
  return 1
}

# The first visible window of a process whose title matches a pattern ('.' for any).
# xdotool's name search also matches a window's other names (class, icon name), so a
# pattern may find more than the title says: use e2e_windows_titled for an exact title.
# Never fails: no window prints nothing (so scripts under "set -e -o pipefail" go on).
e2e_window_of() {  # PID PATTERN
  { xdotool search --pid "$1" --onlyvisible --name "$2" 2>/dev/null || true; } | head -1
}
# The first visible window whose title matches, whoever owns it.
e2e_window_named() {  # PATTERN
  { xdotool search --onlyvisible --name "$1" 2>/dev/null || true; } | head -1
}
# The visible windows of a process whose title is exactly TITLE, one id a line.
e2e_windows_titled() {  # PID TITLE
  local w
  for w in $(xdotool search --pid "$1" --onlyvisible --name '.*' 2>/dev/null); do
    [[ "$(xdotool getwindowname "$w" 2>/dev/null)" == "$2" ]] && echo "$w"
  done
  return 0
}
# Waits for a window and prints its id; fails the test when none comes.
e2e_wait_window() {  # PID|'' PATTERN [LIMIT]
  local pid=$1 pattern=$2 limit=${3:-15} w=
  local i
  for ((i = 0; i < limit * 10; i++)); do
    if [[ -n "$pid" ]]; then w=$(e2e_window_of "$pid" "$pattern"); else w=$(e2e_window_named "$pattern"); fi
    [[ -n "$w" ]] && { echo "$w"; return 0; }
    sleep 0.1
  done
  e2e_fail "no window '$pattern'${pid:+ of process $pid} after ${limit}s"
}

# Focuses a window and types keys into it (xdotool key names: ctrl+a Return Escape...).
e2e_keys() {  # WINDOW KEY...
  local w=$1
  shift
  xdotool windowactivate --sync "$w" 2>/dev/null || xdotool windowfocus --sync "$w" 2>/dev/null || true
  sleep 0.2
  xdotool key --clearmodifiers "$@"
}
# Types text into a window.
e2e_type() {  # WINDOW TEXT
  xdotool windowactivate --sync "$1" 2>/dev/null || xdotool windowfocus --sync "$1" 2>/dev/null || true
  sleep 0.2
  xdotool type --delay 20 "$2"
}
# Clicks at a point of a window, relative to its top-left corner (button 1 by default).
e2e_click() {  # WINDOW X Y [BUTTON]
  xdotool mousemove --window "$1" "$2" "$3" click "${4:-1}"
}

# What docks and task bars on X11 group a window by: the class part of its WM_CLASS,
# matched to a desktop entry's StartupWMClass.
e2e_window_class() {  # WINDOW
  xprop -id "$1" WM_CLASS 2>/dev/null | sed -n 's/.*", "\(.*\)"$/\1/p'
}

# Saves a screenshot of the whole screen as $E2E_ARTIFACTS/NAME.png.
e2e_shot() {  # NAME
  import -window root "$E2E_ARTIFACTS/$1.png" || e2e_fail "screenshot $1 failed"
}

# Waits for a process to end and checks its exit status.
e2e_exited_with() {  # PID STATUS [LIMIT]
  local pid=$1 want=$2 status=0
  e2e_wait_for "! kill -0 $pid 2>/dev/null" "${3:-10}" || e2e_fail "process $pid still runs"
  wait "$pid" || status=$?
  [[ $status -eq $want ]] || e2e_fail "process $pid ended with $status, expected $want"
}

# Sends one of the broadcast messages on the private bus (KestrinClose, KestrinReadFiles...).
e2e_broadcast() {  # MEMBER
  dbus-send --session --type=signal /org/kestrin/Kestrin "org.kestrin.Kestrin.$1"
}

# Starts a tray host on the display and waits until it owns the system tray selection.
e2e_tray() {
  local up=0
  e2e_tray_up "$E2E_WORK/trayer.err" || up=1
  E2E_PIDS+=("$E2E_TRAY_PID")
  [[ $up -eq 0 ]] || e2e_fail "the tray host did not start"
}

# --- Desktop services stood in for on the private bus (standins.py, python3-dbus) ---
E2E_STANDINS=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)/standins.py
E2E_PY=/usr/bin/python3 # Debian's, which has python3-dbus whatever python3 the PATH finds first

# A notification service (org.freedesktop.Notifications) that writes each Notify as a JSON
# line into $E2E_NOTIFY_LOG; --refuse makes it answer with an error, --caps LIST gives the
# capabilities it says it has. Sets E2E_NOTIFY_PID.
e2e_notifications() {  # [--refuse] [--caps LIST]
  E2E_NOTIFY_LOG=$E2E_WORK/notify.log
  : >"$E2E_NOTIFY_LOG"
  e2e_spawn notifications "$E2E_PY" "$E2E_STANDINS" notifications "$E2E_NOTIFY_LOG" "$@"
  E2E_NOTIFY_PID=$E2E_LAST_PID
  e2e_wait_for 'grep -q "^ready" "$E2E_NOTIFY_LOG"' 10 || e2e_fail "the stand-in notification service did not start"
}
# Whether the notification service's name has an owner on the bus.
e2e_notifications_up() {
  dbus-send --session --print-reply --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.NameHasOwner string:org.freedesktop.Notifications | grep -q "boolean true"
}
# Ends the notification service (stand-in or dunst): the name is free again.
e2e_notifications_down() {
  kill "$E2E_NOTIFY_PID" 2>/dev/null || true
  wait "$E2E_NOTIFY_PID" 2>/dev/null || true
  e2e_wait_for '! e2e_notifications_up' 10 || e2e_fail "the notification service did not end"
}
# dunst, a real notification daemon, on the display. Sets E2E_NOTIFY_PID.
e2e_dunst() {
  e2e_spawn dunst dunst
  E2E_NOTIFY_PID=$E2E_LAST_PID
  e2e_wait_for e2e_notifications_up 10 || e2e_fail "dunst did not take the notification service"
}
# A field of the last notification recorded with that summary (JSON; lists and maps as JSON).
e2e_notification() {  # SUMMARY FIELD
  "$E2E_PY" - "$E2E_NOTIFY_LOG" "$1" "$2" <<'PY'
import json, sys
found = None
for line in open(sys.argv[1], encoding="utf-8"):
    if line.startswith("{"):
        n = json.loads(line)
        if n.get("summary") == sys.argv[2]:
            found = n
if found is not None:
    v = found.get(sys.argv[3])
    print(v if isinstance(v, (str, int)) else json.dumps(v, ensure_ascii=False))
PY
}
# The stand-in acts as a daemon does when the user chooses an action: the action, then the
# closing; with --stay the notification stays (a resident one).
e2e_notification_act() {  # [--stay] ID KEY
  local method=Invoke
  [[ $1 == --stay ]] && { method=Action; shift; }
  dbus-send --session --print-reply --dest=org.freedesktop.Notifications /org/freedesktop/Notifications \
    "org.kestrin.Test.$method" "uint32:$1" "string:$2" >/dev/null || e2e_fail "cannot invoke $2 on notification $1"
}
e2e_notification_close() {  # ID [REASON: 1 expired, 2 dismissed]
  dbus-send --session --print-reply --dest=org.freedesktop.Notifications /org/freedesktop/Notifications \
    org.kestrin.Test.Close "uint32:$1" "uint32:${2:-2}" >/dev/null || e2e_fail "cannot close notification $1"
}

# A StatusNotifierWatcher with a host (what KDE's and GNOME's panels offer): each item that
# registers is a line "item SERVICE PATH SENDER" in $E2E_WATCHER_LOG. Sets E2E_WATCHER_PID.
e2e_sni_watcher() {
  E2E_WATCHER_LOG=$E2E_WORK/watcher.log
  : >"$E2E_WATCHER_LOG"
  e2e_spawn watcher "$E2E_PY" "$E2E_STANDINS" watcher "$E2E_WATCHER_LOG"
  E2E_WATCHER_PID=$E2E_LAST_PID
  e2e_wait_for 'grep -q "^ready" "$E2E_WATCHER_LOG"' 10 || e2e_fail "the stand-in watcher did not start"
}
# The labels of a menu exported over D-Bus (com.canonical.dbusmenu), one a line.
e2e_dbus_menu() {  # SERVICE PATH
  "$E2E_PY" "$E2E_STANDINS" menu "$1" "$2"
}

# --- Start-up pieces shared with scripts/start (./run without a display) ---
# Each returns 1 with a message on stderr when its program does not come up, and
# leaves the pid in a variable; the caller ends the program.

# A private session bus: exports DBUS_SESSION_BUS_ADDRESS, sets E2E_BUS_PID.
e2e_bus_up() {  # ERRFILE
  local bus
  bus=$(dbus-daemon --session --fork --nopidfile --print-address=1 --print-pid=1 2>"$1") || {
    echo "dbus-daemon did not start: $(cat "$1")" >&2
    return 1
  }
  export DBUS_SESSION_BUS_ADDRESS=$(sed -n 1p <<<"$bus")
  E2E_BUS_PID=$(sed -n 2p <<<"$bus")
}

# A virtual display of 1024x768 on a random free number: exports DISPLAY, sets E2E_XVFB_PID.
e2e_display_up() {  # LOGFILE
  local log=$1 n xpid=
  # A random high number, so that scripts which take the first free numbers on a
  # shared machine never meet ours.
  for _ in $(seq 30); do
    n=$((200 + RANDOM % 700))
    [[ -e /tmp/.X$n-lock || -e /tmp/.X11-unix/X$n ]] && continue
    # -noreset: by default the server resets when its last client leaves, and a program
    # that connects at that moment is refused.
    # A session of its own: Ctrl+C in a terminal goes to the whole foreground group, and
    # the X server must outlive the programs that the script ends first. Without job
    # control setsid becomes Xvfb in place, so $! stays Xvfb's pid.
    if [[ $- == *m* ]]; then
      Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset 2>"$log" &
    else
      setsid Xvfb ":$n" -screen 0 1024x768x24 -nolisten tcp -noreset 2>"$log" &
    fi
    xpid=$!
    for _ in $(seq 50); do
      xdpyinfo -display ":$n" >/dev/null 2>&1 && break
      kill -0 $xpid 2>/dev/null || break
      sleep 0.1
    done
    if kill -0 $xpid 2>/dev/null && xdpyinfo -display ":$n" >/dev/null 2>&1; then
      export DISPLAY=:$n
      E2E_XVFB_PID=$xpid
      : >"$log"
      return 0
    fi
    kill $xpid 2>/dev/null || true
    wait $xpid 2>/dev/null || true
  done
  echo "Xvfb did not start: $(cat "$log")" >&2
  return 1
}

# A tray host (trayer) at the bottom right of the display, once it owns the system tray
# selection; sets E2E_TRAY_PID.
e2e_tray_up() {  # ERRFILE
  trayer --edge bottom --align right --widthtype pixel --width 160 \
    --heighttype pixel --height 24 --SetDockType true --transparent false --tint 0x404040 2>>"$1" &
  E2E_TRAY_PID=$!
  local screen=${DISPLAY##*.}
  [[ "$screen" == "$DISPLAY" ]] && screen=0
  if ! e2e_wait_for "xprop -root -notype _NET_SYSTEM_TRAY_S$screen >/dev/null 2>&1 || \
    [[ -n \$(xdotool search --class trayer 2>/dev/null) ]]" 10; then
    echo "the tray host did not start: $(cat "$1")" >&2
    return 1
  fi
  # trayer takes the selection right after mapping its window.
  sleep 0.5
}

# A sound server of the test's own (pulseaudio in the private runtime folder) with one
# null sink: an audio output that plays into nothing, for runs that need a machine with
# sound. Returns 1 when pulseaudio is missing or does not come up.
e2e_sound_up() {  # LOGFILE
  command -v pulseaudio >/dev/null || return 1
  pulseaudio -n --daemonize=no --exit-idle-time=-1 --disallow-exit --use-pid-file=no \
    --load="module-null-sink sink_name=kestrin_null" --load=module-native-protocol-unix >"$1" 2>&1 &
  E2E_SOUND_PID=$!
  E2E_PIDS+=("$E2E_SOUND_PID")
  e2e_wait_for 'pactl info >/dev/null 2>&1' 15
}
e2e_sound_down() {
  [[ -n "${E2E_SOUND_PID:-}" ]] || return 0
  kill "$E2E_SOUND_PID" 2>/dev/null
  wait "$E2E_SOUND_PID" 2>/dev/null || true
  E2E_SOUND_PID=
}

# The accessibility bus (org.a11y.Bus, at-spi2-core) on the private session bus, for
# tests that read the programs as a screen reader does. Qt looks for it once, when a
# program starts: call this before starting the programs to be read.
e2e_a11y() {
  local launcher=/usr/libexec/at-spi-bus-launcher
  [[ -x "$launcher" ]] || e2e_fail "at-spi2-core is not installed ($launcher)"
  e2e_spawn a11y "$launcher" --launch-immediately
  e2e_wait_for 'dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
    >/dev/null 2>&1' 15 || e2e_fail "the accessibility bus did not start"
  export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}

e2e_start() {  # NAME
  local name=${1:?e2e_start needs the test name}
  local here root
  here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
  root=$(cd "$here/../.." && pwd)
  E2E_ARTIFACTS=${E2E_ARTIFACTS_ROOT:-$(cd "$root" && realpath -ms -- "${BUILD_DIR:-build}")/test-artifacts}/$name
  mkdir -p "$E2E_ARTIFACTS"
  E2E_WORK=$(mktemp -d "${TMPDIR:-/tmp}/kestrin-e2e-$name.XXXXXX")
  trap e2e_cleanup EXIT

  # Never the user's folders, locale or display.
  export HOME=$E2E_WORK/home LC_ALL=C.UTF-8 LANG=C.UTF-8 LANGUAGE=
  export XDG_DATA_HOME=$HOME/data XDG_CONFIG_HOME=$HOME/config XDG_CACHE_HOME=$HOME/cache
  export XDG_RUNTIME_DIR=$HOME/runtime KESTRIN_COMMON_DIR=$HOME/common
  export XDG_CONFIG_DIRS=$HOME/etc-xdg
  mkdir -p "$XDG_DATA_HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_RUNTIME_DIR" \
    "$KESTRIN_COMMON_DIR" "$XDG_CONFIG_DIRS"
  chmod 700 "$XDG_RUNTIME_DIR"
  export E2E_DATA=$XDG_DATA_HOME/Kestrin/System
  export QT_MEDIA_BACKEND=gstreamer
  unset QT_QPA_PLATFORM WAYLAND_DISPLAY

  e2e_bus_up "$E2E_WORK/dbus.err" || e2e_fail "dbus-daemon did not start"
  e2e_display_up "$E2E_WORK/xvfb.log" || e2e_fail "Xvfb did not start"
  E2E_PIDS+=("$E2E_XVFB_PID")
}
