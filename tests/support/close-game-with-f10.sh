#!/bin/sh
# Starts the game (PROGRAM ARGUMENTS...) on the current display, waits at most two minutes (a
# loaded machine starts slowly) for its main window to be shown, presses F10 on it as a player
# would and waits, again at most two minutes, for the game to end. What the display shows
# instead is said when the window never comes; a game that does not end is ended, and the
# script fails. The game never outlives the script. With CANCEL_DIALOG set, the window of that
# title (a dialog the game shows at start) is first waited for and cancelled with Esc.
#   [CANCEL_DIALOG=TITLE] close-game-with-f10.sh PROGRAM [ARGUMENT...]
"$@" &
game=$!
trap 'kill "$game" 2>/dev/null; wait "$game" 2>/dev/null' EXIT

# Polls Condition (a command) until it holds, the game has ended, or Seconds have passed.
wait_for() {
    seconds=$1
    shift
    deadline=$(( $(date +%s) + seconds ))
    until "$@"; do
        kill -0 "$game" 2>/dev/null && [ "$(date +%s)" -lt "$deadline" ] || return 1
        sleep 0.2
    done
}
shown() { window=$(xdotool search --onlyvisible --name "^Jeu du Garvo$" 2>/dev/null | head -n 1) && [ -n "$window" ]; }
ended() { ! kill -0 "$game" 2>/dev/null; }
dialog_shown() { dialog=$(xdotool search --onlyvisible --name "^$CANCEL_DIALOG\$" 2>/dev/null | head -n 1) && [ -n "$dialog" ]; }
dialog_gone() { ! dialog_shown; }

if [ -n "${CANCEL_DIALOG:-}" ]; then
    wait_for 120 dialog_shown || { echo "no dialog \"$CANCEL_DIALOG\"" >&2; exit 1; }
    # Until the dialog takes the key, as for F10 below.
    deadline=$(( $(date +%s) + 120 ))
    until dialog_gone; do
        [ "$(date +%s)" -lt "$deadline" ] || { echo "the dialog did not close on Esc" >&2; exit 1; }
        xdotool windowfocus --sync "$dialog" key Escape 2>/dev/null || true
        wait_for 5 dialog_gone || true
    done
fi

if ! wait_for 120 shown; then
    echo "no main window; windows shown:" >&2
    for other in $(xdotool search --name "." 2>/dev/null); do xdotool getwindowname "$other" >&2; done
    exit 1
fi
# Until the window takes the key: a window just shown may not have its key handling yet.
deadline=$(( $(date +%s) + 120 ))
until ended; do
    [ "$(date +%s)" -lt "$deadline" ] || { echo "the game did not end on F10" >&2; exit 1; }
    xdotool windowfocus --sync "$window" key F10 2>/dev/null || true
    wait_for 5 ended || true
done
trap - EXIT
wait "$game"
