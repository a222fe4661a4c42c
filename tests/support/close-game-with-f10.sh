#!/bin/sh
# Starts the game (PROGRAM ARGUMENTS...) on the current display, waits at most two minutes (a
# loaded machine starts slowly) for its main window, presses F10 on it as a player would and
# waits for the game to end. What the display shows instead is said when the window never comes.
# With CANCEL_DIALOG set, the window of that title (a dialog shown before the main window) is
# first waited for and cancelled with Esc.
#   [CANCEL_DIALOG=TITLE] close-game-with-f10.sh PROGRAM [ARGUMENT...]
"$@" &
game=$!
deadline=$(( $(date +%s) + 120 ))
if [ -n "${CANCEL_DIALOG:-}" ]; then
    dialog=
    while [ -z "$dialog" ] && [ "$(date +%s)" -lt "$deadline" ] && kill -0 "$game" 2>/dev/null; do
        dialog=$(xdotool search --name "^$CANCEL_DIALOG\$" 2>/dev/null | head -n 1) || true
        [ -n "$dialog" ] || sleep 0.2
    done
    if [ -z "$dialog" ]; then
        echo "no dialog \"$CANCEL_DIALOG\"" >&2
        kill "$game" 2>/dev/null
        wait "$game"
        exit 1
    fi
    sleep 1
    xdotool windowfocus --sync "$dialog" key Escape
fi
window=
while [ -z "$window" ] && [ "$(date +%s)" -lt "$deadline" ] && kill -0 "$game" 2>/dev/null; do
    window=$(xdotool search --name "^Jeu du Garvo$" 2>/dev/null | head -n 1) || true
    [ -n "$window" ] || sleep 0.2
done
if [ -z "$window" ]; then
    echo "no main window; windows shown:" >&2
    for other in $(xdotool search --name "." 2>/dev/null); do xdotool getwindowname "$other" >&2; done
    kill "$game" 2>/dev/null
    wait "$game"
    exit 1
fi
sleep 1
xdotool windowfocus --sync "$window" key F10
wait "$game"
