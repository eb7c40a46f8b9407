#!/usr/bin/env bash
# The real wizard on the shared harness's display: the type page, the hourly and monthly
# pages and the alert page in English and Spanish, kept as screenshots.
# Then a reminder added with the keyboard alone, read back with kestrin --list --json.
#   e2e_asistente.sh MOSTRAR_ASISTENTE KESTRIN
set -euo pipefail
PROGRAMA=$1
KESTRIN=$2
source "$(dirname "$0")/../e2e/harness.sh"
e2e_start editor_wizard

for idioma in en es; do
  for pagina in tipo horas mensual tres; do
    e2e_step "$idioma $pagina"
    e2e_spawn "wizard-$idioma-$pagina" "$PROGRAMA" "$idioma" "$pagina"
    pid=$E2E_LAST_PID
    w=$(e2e_wait_window "$pid" 'Kestrin' 20)
    sleep 0.5
    kill -0 "$pid" 2>/dev/null || e2e_fail "the wizard ended early"
    import -window "$w" "$E2E_ARTIFACTS/wizard_${pagina}_$idioma.png" || e2e_fail "screenshot failed"
    [[ -s "$E2E_ARTIFACTS/wizard_${pagina}_$idioma.png" ]] || e2e_fail "empty screenshot"
    # Escape closes the wizard.
    e2e_keys "$w" Escape
    e2e_wait_for "! kill -0 $pid 2>/dev/null" 10 || e2e_fail "Escape did not close the wizard"
  done
done
e2e_step "a daily reminder added with the keyboard alone"
e2e_spawn wizard-keys "$PROGRAMA" en tipo
pid=$E2E_LAST_PID
w=$(e2e_wait_window "$pid" 'Kestrin' 20)
sleep 0.5
e2e_keys "$w" alt+d
sleep 0.5
e2e_keys "$w" Return          # Next: the daily page
sleep 0.3
e2e_keys "$w" Return          # Next: the alert page, the name field has the focus
sleep 0.3
e2e_type "$w" "Typed reminder"
e2e_keys "$w" Return          # Finish: the confirmation box
e2e_wait_for "[[ \$(ls '$E2E_DATA' 2>/dev/null | grep -c '\.od$') -eq 1 ]]" 10 || e2e_fail "no reminder file written"
sleep 0.5
e2e_shot keyboard_confirmation
xdotool key Return            # OK on the box; the wizard has closed, the program ends
e2e_wait_for "! kill -0 $pid 2>/dev/null" 10 || e2e_fail "the wizard did not close after Finish"
json=$("$KESTRIN" --list --json --language en) || e2e_fail "kestrin --list failed"
grep -q '"name": "Typed reminder"' <<<"$json" || e2e_fail "the typed reminder is not listed: $json"
grep -q '"type": 2' <<<"$json" || e2e_fail "the typed reminder is not daily: $json"
echo "screenshots in $E2E_ARTIFACTS"
