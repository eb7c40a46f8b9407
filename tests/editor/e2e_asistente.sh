#!/usr/bin/env bash
# The real wizard on the shared harness's display: the type page, the hourly and monthly
# pages and the alert page in English and Spanish, kept as screenshots.
#   e2e_asistente.sh MOSTRAR_ASISTENTE
set -euo pipefail
PROGRAMA=$1
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
echo "screenshots in $E2E_ARTIFACTS"
