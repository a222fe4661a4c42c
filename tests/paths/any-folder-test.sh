#!/bin/sh
# The real programs in folders named in letters beyond Windows-1252, as a Russian or Polish
# user's are: the game copied into such a folder starts, finds its theme, builds its index and
# writes its settings and scores there, and starts again from the dictionary it saved; the
# utility opens a dictionary there. Nothing is written in the folder they were started from.
#   any-folder-test.sh BUILD_FOLDER
set -eu
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

folder="$work/Загрузки/łukasz"
mkdir -p "$folder" "$work/started-here" "$work/home łukasz" "$work/run"
chmod 700 "$work/run"
cp -R "$build/bin/." "$folder/"
rm -f "$folder/garvo.ini" "$folder/scores.ini" "$folder"/Dictionnaires/*.ndx
# The language was chosen at an earlier start: the main window comes at once.
printf '[Theme]\r\nLanguage=Francais\r\n' > "$folder/garvo.ini"
mkdir -p "$folder/Słowniki"
cp "$folder/Dictionnaires/English.dat" "$folder/Słowniki/Słownik.dat"

# Runs Command on a display of its own, from a folder of no concern; Then is a shell snippet
# that sees the program's process id in $program.
run() {
    command=$1
    shift
    (cd "$work/started-here" && env -i PATH="$PATH" LSAN_OPTIONS="suppressions=$(dirname "$0")/../install/lsan.supp" \
        HOME="$work/home łukasz" XDG_RUNTIME_DIR="$work/run" xvfb-run -a -s "-screen 0 1024x768x24" \
        sh -c "\"\$0\" \"\$@\" & program=\$!; $command" "$@")
}

# Waits at most a minute for a window titled Title, presses F10 on it and waits for the end.
close_with_f10='
    deadline=$(( $(date +%s) + 60 ))
    window=
    while [ -z "$window" ] && [ "$(date +%s)" -lt "$deadline" ] && kill -0 "$program" 2>/dev/null; do
        window=$(xdotool search --name "^Jeu du Garvo$" 2>/dev/null | head -n 1) || true
        [ -n "$window" ] || sleep 0.2
    done
    if [ -z "$window" ]; then
        echo "no main window; windows shown:" >&2
        for other in $(xdotool search --name "." 2>/dev/null); do xdotool getwindowname "$other" >&2; done
        kill "$program" 2>/dev/null
        exit 1
    fi
    sleep 1
    xdotool windowfocus --sync "$window" key F10
    wait "$program"'

run "$close_with_f10" "$folder/garvo" "/d=$folder/Dictionnaires/Francais.dat" || fail "the game did not start and close"
[ -f "$folder/Dictionnaires/Francais.ndx" ] || fail "no index beside the dictionary"
[ -f "$folder/scores.ini" ] || fail "no scores file in the program folder"
grep -q "^LastFile=" "$folder/garvo.ini" || fail "settings not saved in the program folder"

# The saved dictionary path leads back to the same file: no open dialog comes first.
run "$close_with_f10" "$folder/garvo" || fail "the game did not start again on its saved dictionary"

# The utility builds the index of a dictionary named in Polish letters when it opens it.
run '
    deadline=$(( $(date +%s) + 60 ))
    while [ ! -f "${1%.dat}.ndx" ] && [ "$(date +%s)" -lt "$deadline" ] && kill -0 "$program" 2>/dev/null; do
        sleep 0.2
    done
    kill "$program" 2>/dev/null
    wait "$program" 2>/dev/null || true' "$folder/lexorim" "$folder/Słowniki/Słownik.dat"
[ -f "$folder/Słowniki/Słownik.ndx" ] || fail "the utility did not open the dictionary"

[ -z "$(ls -A "$work/started-here")" ] || fail "something was written where the programs were started: $(ls -A "$work/started-here")"
echo "the programs work in folders of any letters"
