#!/usr/bin/env bash
# The install step that grants CAP_WAKE_ALARM: run on a copy of the wake-alarm test
# program placed where the installed kestrin goes; then that copy, started as an ordinary
# user, must arm a real wake alarm (its tests must run, not skip). Failures of the step
# (no program, no rights) must stop it loudly.
#   test_setcap.sh <setcap-wake-alarm.cmake> <test_wakealarm>
set -euo pipefail
script=$1 programa=$2
[[ $(id -u) -eq 0 ]] || { echo "SKIP: granting a capability needs root"; exit 77; }
command -v setcap >/dev/null || PATH=$PATH:/usr/sbin:/sbin
trabajo=$(mktemp -d)
trap 'rm -rf "$trabajo"' EXIT
chmod 755 "$trabajo"
if command -v setpriv >/dev/null && id nobody >/dev/null 2>&1 &&
   ! setpriv --reuid=nobody --regid=nogroup --clear-groups test -x "$trabajo"; then
  echo "SKIP: nobody cannot enter the temporary folder $trabajo (set TMPDIR to a folder every user may enter)"
  exit 77
fi
prefijo=$trabajo/prefix
mkdir -p "$prefijo/lib/kestrin"
# nobody runs the step and the programs below: it must reach them through every parent
# folder, which a clone in a private folder (a home, mktemp -d) forbids. Copies in the
# work folder, which it can reach, stand in for the originals.
cp "$script" "$trabajo/setcap-wake-alarm.cmake"
chmod 644 "$trabajo/setcap-wake-alarm.cmake"
script=$trabajo/setcap-wake-alarm.cmake

# No program installed: the step fails and says which file it wanted.
if salida=$(cmake -DCMAKE_INSTALL_PREFIX="$prefijo" -P "$script" 2>&1); then
  echo "FAIL: succeeded without a program"; exit 1
fi
grep -q "kestrin is not installed" <<<"$(tr -s ' \n' '  ' <<<"$salida")" || { echo "FAIL: $salida"; exit 1; }

cp "$programa" "$prefijo/lib/kestrin/kestrin"
chmod 755 "$prefijo/lib/kestrin/kestrin" "$prefijo" "$prefijo/lib" "$prefijo/lib/kestrin"

# An ordinary user may not grant it.
if command -v setpriv >/dev/null && id nobody >/dev/null 2>&1; then
  if salida=$(setpriv --reuid=nobody --regid=nogroup --clear-groups --inh-caps=-all --bounding-set=-all \
                cmake -DCMAKE_INSTALL_PREFIX="$prefijo" -P "$script" 2>&1); then
    echo "FAIL: an ordinary user granted the capability"; exit 1
  fi
  grep -q "run the install as root" <<<"$(tr -s ' \n' '  ' <<<"$salida")" || { echo "FAIL: $salida"; exit 1; }
fi

cmake -DCMAKE_INSTALL_PREFIX="$prefijo" -P "$script"
getcap "$prefijo/lib/kestrin/kestrin" | grep -q "cap_wake_alarm=ep" || { echo "FAIL: getcap shows no cap_wake_alarm"; exit 1; }

# The capability does what it is for: as nobody, the real alarm is armed.
if command -v setpriv >/dev/null && id nobody >/dev/null 2>&1; then
  salida=$(cd "$trabajo" && HOME=$trabajo setpriv --reuid=nobody --regid=nogroup --clear-groups \
             "$prefijo/lib/kestrin/kestrin" 2>&1) || { echo "FAIL: $salida"; exit 1; }
  if grep -q "SKIP" <<<"$salida"; then
    echo "FAIL: with the capability the alarm tests still skipped"; echo "$salida"; exit 1
  fi
  # And without it they would have skipped: the capability, not the user, made the difference.
  cp "$programa" "$trabajo/sin-capacidad"; chmod 755 "$trabajo/sin-capacidad"
  salida=$(cd "$trabajo" && HOME=$trabajo setpriv --reuid=nobody --regid=nogroup --clear-groups \
             "$trabajo/sin-capacidad" 2>&1) || { echo "FAIL: $salida"; exit 1; }
  grep -q "SKIP" <<<"$salida" || { echo "FAIL: nobody armed an alarm without the capability"; exit 1; }
fi
echo "PASS"
