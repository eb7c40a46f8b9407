#!/usr/bin/env bash
# Kestrin as a screen reader sees it: with the accessibility bus up, the main window and
# every dialog it opens (Options, Sound Manager, Quick Reminder, About, the wizard with
# all its pages) are walked through AT-SPI, and every control without a name is listed.
# English first, then Spanish chosen in Options while the program runs, so the names
# must follow a language switch.
#   e2e_accessibility.sh KESTRIN WRITER CLOSER
set -euo pipefail

KESTRIN=$1
WRITER=$2
CLOSER=$3
HERE=$(cd "$(dirname "$0")" && pwd)

source "$HERE/harness.sh"
e2e_start accessibility
e2e_a11y
CONF=$XDG_CONFIG_HOME/Kestrin/Kestrin.conf
mkdir -p "$E2E_DATA" "$(dirname "$CONF")"
printf '[General]\nLanguage=0\n' >"$CONF"
"$WRITER" "$E2E_DATA/data405204375-1.od" --name "Morning walk"

NAMELESS=0
# Walks one window; its nameless controls are counted, and the test fails at the end.
walk() {  # TITLE SHOT
  local out status=0
  sleep 0.3
  e2e_shot "$2"
  out=$("$HERE/a11y_walk.py" "$K" "$1" --dump 2>"$E2E_WORK/walk.err") || status=$?
  [[ $status -eq 2 ]] && e2e_fail "'$1' is not in the accessibility tree: $(cat "$E2E_WORK/walk.err")"
  grep '^nameless' <<<"$out" || true
  NAMELESS=$((NAMELESS + $(grep -c '^nameless' <<<"$out" || true)))
  printf '%s\n' "$out" >"$E2E_ARTIFACTS/$2.tree"
}
# Every line of the tree that says so must be there: the names a reader hears.
tree_says() {  # SHOT TEXT...
  local shot=$1 text
  shift
  for text in "$@"; do
    grep -qF -- "$text" "$E2E_ARTIFACTS/$shot.tree" || e2e_fail "the tree of $shot does not say \"$text\""
  done
}
windows_titled() { e2e_windows_titled "$K" "$1"; }
# Opens a dialog, walks it, closes it with the window manager's close request.
dialog() {  # TITLE SHOT
  e2e_wait_for "[[ -n \$(windows_titled '$1') ]]" 10 || e2e_fail "no dialog '$1'"
  walk "$1" "$2"
  "$CLOSER" "$(windows_titled "$1" | head -1)"
  e2e_wait_for "[[ -z \$(windows_titled '$1') ]]" 10 || e2e_fail "the dialog '$1' did not close"
}
# Toolbar buttons are 64 pixels wide, below the menu bar.
toolbar() { e2e_click "$W" $(($1 * 64 + 32)) 50; }

all_windows() {  # LANG QUICK-MENU-KEY HELP-MENU-KEY: titles and keys of one language
  local lang=$1
  shift
  local -A t=([Options]=Options [Sounds]="Sound Manager" [Quick]="Quick Reminder - In 1 Minute"
    [About]="About Kestrin")
  [[ $lang == es ]] && t=([Options]=Opciones [Sounds]="Manejador de Sonidos"
    [Quick]="Recordatorio Rápido - En 1 Minuto" [About]="Acerca Kestrin")
  walk "Kestrin 1.6" "main-$lang"
  toolbar 3
  dialog "${t[Options]}" "options-$lang"
  toolbar 4
  dialog "${t[Sounds]}" "sounds-$lang"
  e2e_keys "$W" "$1"
  sleep 0.3
  xdotool key Return
  dialog "${t[Quick]}" "quick-$lang"
  e2e_keys "$W" "$2"
  sleep 0.3
  xdotool key Up Return
  dialog "${t[About]}" "about-$lang"
  # The wizard, titled "Kestrin": the walk covers its hidden pages too.
  toolbar 0
  dialog Kestrin "wizard-$lang"
}

e2e_step "English"
e2e_spawn kestrin "$KESTRIN"
K=$E2E_LAST_PID
W=$(e2e_wait_window "$K" '^Kestrin 1\.6$')
all_windows en alt+q alt+h
# The rows are read too; a labelled field says its label, an unlabelled one its own name.
tree_says main-en "table cell 'Morning walk'" "tree 'Reminders'"
tree_says options-en "combo box 'English'  [name='Change Language'" "text 'Seconds'"
# The Sound Manager's two Play buttons are told apart by what they play.
tree_says sounds-en "push button 'Play'  [name='Play' description='Default Sound: " \
  "push button 'Play'  [name='Play' description='Sounds'"

e2e_step "Spanish, chosen in Options while Kestrin runs"
toolbar 3
e2e_wait_for "[[ -n \$(windows_titled Options) ]]" 10 || e2e_fail "no Options dialog"
e2e_keys "$(windows_titled Options | head -1)" Down
e2e_wait_for "[[ -n \$(windows_titled Opciones) ]]" 10 || e2e_fail "Options did not turn Spanish"
walk Opciones options-switched
tree_says options-switched "[name='Cambiar Idioma'" "text 'Segundos'"
e2e_keys "$(windows_titled Opciones | head -1)" Return
e2e_wait_for "[[ -z \$(windows_titled Opciones) ]]" 10 || e2e_fail "OK did not close Options"
grep -q '^Language=1' "$CONF" || e2e_fail "the language was not saved"
all_windows es alt+r alt+a
tree_says main-es "tree 'Recordatorios'" "text 'Resumen'"
tree_says quick-es "spin button 'Inicio'" "spin button 'Hora de Inicio'"
tree_says sounds-es "[name='Detener' description='Sonido Predeterminado: " \
  "[name='Detener' description='Sonidos'"

echo "nameless controls: $NAMELESS"
[[ $NAMELESS -eq 0 ]] || e2e_fail "$NAMELESS controls have no accessible name"
