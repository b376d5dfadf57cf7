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

# Waits until the front dialog shows a picture: white pixels at the drawing
# point (160, 29), where the dialog itself is grey. The command that draws it
# has then run to its end.
picture_drawn() {
    local deadline=$((SECONDS + step_timeout)) X Y WIDTH HEIGHT SCREEN WINDOW
    eval "$(xdotool getwindowgeometry --shell "$front")"
    while [ $SECONDS -lt $deadline ]; do
        [ "$(import -window root -crop "240x100+$((X + 160))+$((Y + 29))" +repage \
            -format '%[fx:maxima.r>0.99]' info:)" = 1 ] && return 0
        sleep 0.05
    done
    fail "no picture drawn in the front dialog"
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

# Answers a dialog by typing into its focused field (all of it) and Enter.
# Keys can go astray (a window showing meanwhile takes the keyboard, the file
# dialog's completion list pops up), so the answer is typed again while the
# dialog stays open.
answer() {
    local dialog=$1 field_keys=$2 text=$3 attempt deadline
    for attempt in 1 2 3; do
        xdotool windowfocus --sync "$dialog"
        xdotool key $field_keys ctrl+a
        xdotool type --delay 20 "$text"
        xdotool key Return
        deadline=$((SECONDS + 5))
        while [ $SECONDS -lt $deadline ]; do
            xwininfo -id "$dialog" 2>/dev/null | grep -q 'IsViewable' || return 0
            sleep 0.05
        done
        echo "journey: dialog $dialog still open, typing \"$text\" again" >&2
    done
    fail "dialog $dialog did not take \"$text\""
}

# Chooses a file by its full path in Qt's file dialog ("File name" is Alt+N).
choose_file() {
    answer "$(window "$1")" alt+n "$2"
}

# Waits until the given number of viewers is open.
viewers() {
    local deadline=$((SECONDS + step_timeout))
    until [ "$(windows '^capa$' oculet | wc -l)" -eq "$1" ]; do
        [ $SECONDS -lt $deadline ] || fail "$(windows '^capa$' oculet | wc -l) viewers open, not $1"
        sleep 0.05
    done
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
picture_drawn

# n = 3, k = 2, Encriptar (5, 30; 45 x 10); the message is confirmed.
type_into_front_edit 30 76 3
type_into_front_edit 30 91 2
click_front 27 35
answer "$(window '^Encriptaci.*n Realizada$')" "" ""
for i in 1 2 3; do
    [ -f "capa$i.bmp" ] || fail "no share capa$i.bmp"
done
[ ! -f capa4.bmp ] || fail "a fourth share for n = 3"

# Desencriptar (5, 45; 45 x 10): two layers, shares 1 and 3.
click_front 27 50
answer "$(window '^$')" "" 2
choose_file '^Seleccione la capa 1$' "$work/capa1.bmp"
# The viewer takes the keyboard when it shows: wait for it before typing on.
viewers 1
choose_file '^Seleccione la capa 2$' "$work/capa3.bmp"
viewers 2
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
