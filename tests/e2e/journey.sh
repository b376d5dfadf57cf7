#!/usr/bin/env bash
# The user's journey through lumisplit in a real X server, driven from outside
# with xdotool: open the sample secret through the file dialog, split it into
# three shares of a (2,3) scheme, stack two of them (one viewer each), check
# the stacked result, and leave with SALIR while the viewers stay open.
#   journey.sh BIN_DIR SECRET.bmp [SCREENSHOT_DIR]
# Runs inside an X server (CTest wraps it in xvfb-run). With SCREENSHOT_DIR it
# also saves front-dialog.png and viewer.png there.
set -euo pipefail
bin=$1
secret=$2
shots=${3:-}
step_timeout=15 # seconds for any one window to appear or go

work=$(mktemp -d)
lumisplit_pid=
cleanup() {
    # Only what this journey started: the program, and the viewers it opened.
    for id in $(windows '^capa$' oculet); do
        pid=$(xdotool getwindowpid "$id" 2>/dev/null || true)
        if [ -n "$pid" ] && [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = oculet ]; then
            kill "$pid" 2>/dev/null || true
        fi
    done
    if [ -n "$lumisplit_pid" ]; then
        kill "$lumisplit_pid" 2>/dev/null || true
    fi
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "journey: $*" >&2
    # What the screen showed, for whoever looks into the failure.
    [ -z "$shots" ] || import -window root "$shots/journey-failure.png" || true
    exit 1
}

# The visible windows of a program whose titles match.
windows() {
    local id
    for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
        if xprop -id "$id" WM_CLASS 2>/dev/null | grep -q "= \"$2\""; then
            echo "$id"
        fi
    done
}

# The first visible window of the given program (default lumisplit) whose
# title matches, waiting for it to appear.
window() {
    local deadline=$((SECONDS + step_timeout)) id
    while [ $SECONDS -lt $deadline ]; do
        id=$(windows "$1" "${2:-lumisplit}" | head -n 1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        sleep 0.05
    done
    fail "no window \"$1\" after ${step_timeout}s"
}

# Waits until a window is gone (unmapped or destroyed).
gone() {
    local deadline=$((SECONDS + step_timeout))
    while [ $SECONDS -lt $deadline ]; do
        xwininfo -id "$1" 2>/dev/null | grep -q 'IsViewable' || return 0
        sleep 0.05
    done
    fail "window $1 still open after ${step_timeout}s"
}


# Saves what the screen shows of a window once it has been drawn (a window
# not yet painted comes out all black). Taken from the screen, as the viewers
# lie on top of each other.
snapshot() {
    local deadline=$((SECONDS + step_timeout)) X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$1")"
    while [ $SECONDS -lt $deadline ]; do
        import -window root -crop "${WIDTH}x${HEIGHT}+${X}+${Y}" +repage "$2"
        [ "$(convert "$2" -format '%[fx:mean>0]' info:)" = 1 ] && return 0
        sleep 0.05
    done
    fail "window $1 never drawn"
}

# Clicks a control of the front dialog by its place in dialog units. The
# dialog measures 226 x 130 units, whatever the font makes of them.
click_front() {
    local w h X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$front")"
    w=$WIDTH
    h=$HEIGHT
    xdotool windowfocus --sync "$front"
    xdotool mousemove --window "$front" $(($1 * w / 226)) $(($2 * h / 130)) click 1
}

type_into_front_edit() {
    click_front "$1" "$2"
    xdotool key ctrl+a
    xdotool type "$3"
}

# Types a full path into Qt's file dialog and confirms it.
choose_file() {
    local dialog
    dialog=$(window "$1")
    xdotool windowfocus --sync "$dialog"
    xdotool type "$2"
    xdotool key Return
    gone "$dialog"
}

cp "$secret" "$work/secreto.bmp"
cd "$work"
# Qt's own widget file dialog, whatever desktop the caller runs.
unset XDG_CURRENT_DESKTOP DESKTOP_SESSION QT_QPA_PLATFORMTHEME
export QT_QPA_PLATFORM=xcb

"$bin/lumisplit" &
lumisplit_pid=$!
front=$(window '^Criptograf.*a Visual$')

# Abrir (15, 5; 20 x 10): the secret through the file dialog.
click_front 25 10
choose_file '^Seleccione la imagen que desea encriptar$' "$work/secreto.bmp"

# n = 3, k = 2, Encriptar (5, 30; 45 x 10); the message is confirmed.
type_into_front_edit 30 76 3
type_into_front_edit 30 91 2
click_front 27 35
done_box=$(window '^Encriptaci.*n Realizada$')
xdotool windowfocus --sync "$done_box"
xdotool key Return
gone "$done_box"
for i in 1 2 3; do
    [ -f "capa$i.bmp" ] || fail "no share capa$i.bmp"
done
[ ! -f capa4.bmp ] || fail "a fourth share for n = 3"

# Desencriptar (5, 45; 45 x 10): two layers, shares 1 and 3.
click_front 27 50
count_dialog=$(window '^$')
xdotool windowfocus --sync "$count_dialog"
xdotool key ctrl+a
xdotool type 2
xdotool key Return
gone "$count_dialog"
choose_file '^Seleccione la capa 1$' "$work/capa1.bmp"
choose_file '^Seleccione la capa 2$' "$work/capa3.bmp"

deadline=$((SECONDS + step_timeout))
until [ "$(windows '^capa$' oculet | wc -l)" -eq 2 ]; do
    [ $SECONDS -lt $deadline ] || fail "$(windows '^capa$' oculet | wc -l) viewers open, not 2"
    sleep 0.05
done
[ -z "$shots" ] || snapshot "$(window '^capa$' oculet)" "$shots/viewer.png"

# The result is written after the last viewer starts: wait until it reads.
deadline=$((SECONDS + step_timeout))
until "$bin/e2e_check_stack" secreto.bmp resultado.bmp 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "resultado.bmp does not show the secret"
    sleep 0.05
done
[ -z "$shots" ] || snapshot "$front" "$shots/front-dialog.png"

# SALIR (10, 110; 30 x 9) ends the program with exit code 0.
click_front 25 114
deadline=$((SECONDS + step_timeout))
while kill -0 "$lumisplit_pid" 2>/dev/null; do
    [ $SECONDS -lt $deadline ] || fail "lumisplit still running after SALIR"
    sleep 0.05
done
status=0
wait "$lumisplit_pid" || status=$?
lumisplit_pid=
[ "$status" -eq 0 ] || fail "lumisplit ended with $status"
# The viewers are programs of their own and stay open.
[ "$(windows '^capa$' oculet | wc -l)" -eq 2 ] || fail "the viewers closed with lumisplit"
echo "journey: done"
