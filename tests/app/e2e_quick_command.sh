#!/usr/bin/env bash
# "kestrin --in" on the harness's private session bus: a listener sees KestrinReadFiles
# once the file is written; a refused count writes nothing and broadcasts nothing.
#   e2e_quick_command.sh KESTRIN
set -euo pipefail

KESTRIN=$1

source "$(dirname "$0")/../e2e/harness.sh"
e2e_start quick_command

MONITOR=$E2E_WORK/monitor.log
# dbus-monitor writes to stdout; take it through a file.
e2e_spawn monitor sh -c "exec dbus-monitor --session \"type='signal',interface='org.kestrin.Kestrin'\" >'$MONITOR'"
e2e_wait_for "[[ -s '$MONITOR' ]]" 10 ||
  e2e_fail "dbus-monitor did not start"
sleep 0.3

e2e_step "a refused count: status 2, nothing written, nothing said"
status=0
"$KESTRIN" --in 0 >"$E2E_WORK/bad.out" 2>"$E2E_WORK/bad.err" || status=$?
[[ $status -eq 2 ]] || e2e_fail "--in 0 ended with $status"
[[ ! -e "$E2E_DATA" ]] || e2e_fail "--in 0 made $E2E_DATA"

e2e_step "a quick reminder in 5 minutes"
"$KESTRIN" --in 5 --message "Stretch your legs" >"$E2E_WORK/in.out" 2>"$E2E_WORK/in.err" ||
  e2e_fail "--in 5 failed: $(cat "$E2E_WORK/in.err")"
file=$(ls "$E2E_DATA"/*.od)
[[ $(echo "$file" | wc -l) -eq 1 ]] || e2e_fail "expected one reminder file, got: $file"
grep -qF "$file" "$E2E_WORK/in.out" || e2e_fail "the written file is not printed: $(cat "$E2E_WORK/in.out")"
e2e_wait_for "grep -q 'member=KestrinReadFiles' '$MONITOR'" 10 || e2e_fail "no KestrinReadFiles on the bus"
[[ $(grep -c 'member=KestrinReadFiles' "$MONITOR") -eq 1 ]] || e2e_fail "KestrinReadFiles sent more than once"
grep -q 'path=/org/kestrin/Kestrin; interface=org.kestrin.Kestrin; member=KestrinReadFiles' "$MONITOR" ||
  e2e_fail "KestrinReadFiles on the wrong path or interface: $(cat "$MONITOR")"

e2e_step "listed by --list --json"
"$KESTRIN" --list --json >"$E2E_WORK/list.json"
grep -q '"name": "Quick Reminder"' "$E2E_WORK/list.json" || e2e_fail "not listed: $(cat "$E2E_WORK/list.json")"
echo "PASS"
