export KESTRIN_ALERTWINDOW_LOG=/tmp/aw1/log.txt QT_MEDIA_BACKEND=gstreamer
/work/wt6/build/src/app/AlertWindow /tmp/aw1/r2.od /tmp/aw1/beep.wav 9934 120 "DejaVu Sans" 2>aw.err & P=$!
sleep 3
import -window root /tmp/aw1/shot3.png
dbus-send --session --type=signal /org/kestrin/Kestrin org.kestrin.Kestrin.KestrinMute
sleep 1
import -window root /tmp/aw1/shot4.png
xdotool search --name "Größe" getwindowname
dbus-send --session --type=signal /org/kestrin/Kestrin org.kestrin.Kestrin.KestrinClose
wait $P; echo exit $?
