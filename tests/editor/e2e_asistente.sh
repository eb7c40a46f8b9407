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
# A dark desktop: the header keeps its title readable (palette colours, not white on
# white). The title's pixels differ clearly from the header's background.
for idioma in en es; do
  e2e_step "$idioma tipo, dark palette"
  KESTRIN_PRUEBA_OSCURO=1 e2e_spawn "wizard-$idioma-dark" "$PROGRAMA" "$idioma" tipo
  pid=$E2E_LAST_PID
  w=$(e2e_wait_window "$pid" 'Kestrin' 20)
  sleep 0.5
  shot=$E2E_ARTIFACTS/wizard_tipo_${idioma}_dark.png
  import -window "$w" "$shot" || e2e_fail "screenshot failed"
  # The header (41 px): dark like the palette's base, with light title text on it.
  mean=$(convert "$shot" -crop x41+0+0 -colorspace Gray -format '%[fx:int(mean*100)]' info:)
  bright=$(convert "$shot" -crop x41+0+0 -colorspace Gray -format '%[fx:int(maxima*100)]' info:)
  ((mean < 40 && bright > 70)) || e2e_fail "dark header: mean $mean%, brightest $bright%"
  e2e_keys "$w" Escape
  e2e_wait_for "! kill -0 $pid 2>/dev/null" 10 || e2e_fail "Escape did not close the wizard"
done

# A scale factor of 2 on the 1024 x 768 display (512 x 384 in the program's pixels): the
# wizard, Finish included, stays inside the screen.
e2e_step "scale factor 2: the wizard fits the screen"
QT_SCALE_FACTOR=2 e2e_spawn wizard-scale2 "$PROGRAMA" en tres
pid=$E2E_LAST_PID
w=$(e2e_wait_window "$pid" 'Kestrin' 20)
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$w")"
read -r ANCHO_PANTALLA ALTO_PANTALLA < <(xdotool getdisplaygeometry)
((X >= 0 && Y >= 0 && X + WIDTH <= ANCHO_PANTALLA && Y + HEIGHT <= ALTO_PANTALLA)) ||
  e2e_fail "the wizard at ${X},${Y} ${WIDTH}x${HEIGHT} is not inside ${ANCHO_PANTALLA}x${ALTO_PANTALLA}"
import -window "$w" "$E2E_ARTIFACTS/wizard_tres_en_scale2.png" || e2e_fail "screenshot failed"
e2e_keys "$w" Escape
e2e_wait_for "! kill -0 $pid 2>/dev/null" 10 || e2e_fail "Escape did not close the wizard"

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
