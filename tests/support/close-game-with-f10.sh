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
    wait_deadline=$(( $(date +%s) + seconds ))
    until "$@"; do
        kill -0 "$game" 2>/dev/null && [ "$(date +%s)" -lt "$wait_deadline" ] || return 1
        sleep 0.2
    done
}
shown() { window=$(xdotool search --onlyvisible --name "^Jeu du Garvo$" 2>/dev/null | head -n 1) && [ -n "$window" ]; }
ended() { ! kill -0 "$game" 2>/dev/null; }
dialog_shown() { dialog=$(xdotool search --onlyvisible --name "^$CANCEL_DIALOG\$" 2>/dev/null | head -n 1) && [ -n "$dialog" ]; }
dialog_gone() { ! dialog_shown; }

# Presses Key on Window until Condition holds, at most two minutes: a window just shown may not
# have its key handling yet.
press_until() {
    target=$1 key=$2 condition=$3
    press_deadline=$(( $(date +%s) + 120 ))
    until "$condition"; do
        [ "$(date +%s)" -lt "$press_deadline" ] || return 1
        xdotool windowfocus --sync "$target" key "$key" 2>/dev/null || true
        wait_for 5 "$condition" || true
    done
}

if [ -n "${CANCEL_DIALOG:-}" ]; then
    wait_for 120 dialog_shown || { echo "no dialog \"$CANCEL_DIALOG\"" >&2; exit 1; }
    press_until "$dialog" Escape dialog_gone || { echo "the dialog did not close on Esc" >&2; exit 1; }
fi

if ! wait_for 120 shown; then
    echo "no main window; windows shown:" >&2
    for other in $(xdotool search --name "." 2>/dev/null); do xdotool getwindowname "$other" >&2; done
    exit 1
fi
press_until "$window" F10 ended || { echo "the game did not end on F10" >&2; exit 1; }
trap - EXIT
wait "$game"
