# Sourced by the scripts that show windows under Wine: starts an Xvfb on a
# display number no one else uses and exports DISPLAY (set it before the
# prefix's first process starts). When the script ends, the Xvfb and the
# wineserver of WINEPREFIX are stopped.
display=$(( 100 + $$ % 400 ))
while [ -e "/tmp/.X11-unix/X$display" ] || [ -e "/tmp/.X$display-lock" ]; do
    display=$(( display + 1 ))
done
export DISPLAY=:$display
xvfb_pid=""
stop_display() {
    wineserver -k 2>/dev/null || true
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null || true
}
trap stop_display EXIT
Xvfb "$DISPLAY" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
xvfb_pid=$!
for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$display" ] && break; sleep 0.1; done
