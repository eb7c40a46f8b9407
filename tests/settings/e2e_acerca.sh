#!/usr/bin/env bash
# The about box on a real display in both languages: screenshots, the two links opened
# through the desktop's real path (xdg-open, a stand-in here that records the address),
# Escape closes. Then two help pages of each language as a browser renders them (with
# chromium when it is installed; skipped otherwise).
#   e2e_acerca.sh MUESTRA HELP_FOLDER
set -euo pipefail
MUESTRA=$1
AYUDA=$2

source "$(dirname "$0")/../e2e/harness.sh"
e2e_start about

mkdir -p "$E2E_WORK/bin"
ABIERTAS=$E2E_WORK/abiertas.txt
cat >"$E2E_WORK/bin/xdg-open" <<EOS
#!/bin/sh
printf '%s\n' "\$1" >>"$ABIERTAS"
EOS
chmod +x "$E2E_WORK/bin/xdg-open"
export PATH=$E2E_WORK/bin:$PATH
unset BROWSER DEFAULT_BROWSER KESTRIN_WEBSITE

declare -A TITULO=([en]='About Kestrin' [es]='Acerca Kestrin')
declare -A INICIO=([en]='https://kestrin.example.org/' [es]='https://kestrin.example.org/es/')
declare -A CORREO=([en]='mailto:support@kestrin.example.org?subject=&body=' [es]='mailto:soporte@kestrin.example.org?subject=&body=')

for lang in en es; do
  e2e_step "about box, $lang"
  : >"$ABIERTAS"
  e2e_spawn "about-$lang" "$MUESTRA" "$lang"
  pid=$E2E_LAST_PID
  w=$(e2e_wait_window "$pid" "^${TITULO[$lang]}\$")
  sleep 0.5
  e2e_shot "about-$lang"
  # OK has the focus; Tab reaches the home page link, then the mail link.
  e2e_keys "$w" Tab
  sleep 0.3
  e2e_shot "about-$lang-link-focus"
  e2e_keys "$w" Return
  e2e_wait_for "grep -qxF '${INICIO[$lang]}' '$ABIERTAS'" 10 || e2e_fail "home page not opened: $(cat "$ABIERTAS")"
  e2e_keys "$w" Tab Return
  e2e_wait_for "grep -qxF '${CORREO[$lang]}' '$ABIERTAS'" 10 || e2e_fail "mail not opened: $(cat "$ABIERTAS")"
  [[ $(wc -l <"$ABIERTAS") -eq 2 ]] || e2e_fail "unexpected openings: $(cat "$ABIERTAS")"
  kill -0 "$pid" || e2e_fail "the about box closed on a link"
  e2e_keys "$w" Escape
  e2e_exited_with "$pid" 0

  e2e_step "about box, $lang, dark palette: the links in the palette's link colour"
  KESTRIN_PRUEBA_OSCURO=1 e2e_spawn "about-$lang-dark" "$MUESTRA" "$lang"
  pid=$E2E_LAST_PID
  w=$(e2e_wait_window "$pid" "^${TITULO[$lang]}\$")
  sleep 0.5
  e2e_shot "about-$lang-dark"
  # The dark palette's link colour (120,170,255) is on the screen; pure blue is not.
  colores=$(convert "$E2E_ARTIFACTS/about-$lang-dark.png" -format %c histogram:info:-)
  grep -q "(120,170,255)" <<<"$colores" || e2e_fail "no link in the palette's link colour"
  ! grep -q "(0,0,255)" <<<"$colores" || e2e_fail "a link in pure blue on the dark palette"
  e2e_keys "$w" Escape
  e2e_exited_with "$pid" 0
done

if ! command -v chromium >/dev/null; then
  echo "help pages not rendered: chromium is not installed"
  echo PASS
  exit 0
fi
for lang in en es; do
  for page in index commandline; do
    e2e_step "help page $lang/$page"
    shot=$E2E_ARTIFACTS/help-$lang-$page.png
    rm -f "$shot"
    # Root cannot use chromium's sandbox; the page is our own local file.
    timeout 120 chromium --headless --no-sandbox --disable-gpu --hide-scrollbars \
      --user-data-dir="$E2E_WORK/chromium" --window-size=1200,900 --screenshot="$shot" \
      "file://$AYUDA/$lang/$page.html" >"$E2E_WORK/chromium.log" 2>&1 || e2e_fail "chromium failed on $lang/$page"
    [[ $(stat -c %s "$shot") -gt 20000 ]] || e2e_fail "the screenshot of $lang/$page looks empty"
  done
done
echo PASS
