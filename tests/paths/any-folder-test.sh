#!/bin/sh
# The real programs in folders named in letters beyond Windows-1252, as a Russian or Polish
# user's are: the game copied into such a folder starts, finds its theme, builds its index and
# writes its settings and scores there, and starts again from the dictionary it saved; the
# utility opens a dictionary there. Nothing is written in the folder they were started from.
#   any-folder-test.sh BUILD_FOLDER
set -eu
build=$(cd "$1" && pwd)
tests=$(cd "$(dirname "$0")/.." && pwd)
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

# Runs a command line on a display of its own, in a bare environment, from a folder of no
# concern to the programs.
run() {
    (cd "$work/started-here" && env -i PATH="$PATH" LSAN_OPTIONS="suppressions=$tests/install/lsan.supp" \
        HOME="$work/home łukasz" XDG_RUNTIME_DIR="$work/run" xvfb-run -a -s "-screen 0 1024x768x24" "$@")
}
close_game="$tests/support/close-game-with-f10.sh"

run sh "$close_game" "$folder/garvo" "/d=$folder/Dictionnaires/Francais.dat" || fail "the game did not start and close"
[ -f "$folder/Dictionnaires/Francais.ndx" ] || fail "no index beside the dictionary"
[ -f "$folder/scores.ini" ] || fail "no scores file in the program folder"
grep -q "^LastFile=" "$folder/garvo.ini" || fail "settings not saved in the program folder"

# The saved dictionary path leads back to the same file: no open dialog comes first.
run sh "$close_game" "$folder/garvo" || fail "the game did not start again on its saved dictionary"

# The utility builds the index of a dictionary named in Polish letters when it opens it.
run sh -c '
    "$0" "$1" &
    program=$!
    deadline=$(( $(date +%s) + 60 ))
    while [ ! -f "${1%.dat}.ndx" ] && [ "$(date +%s)" -lt "$deadline" ] && kill -0 "$program" 2>/dev/null; do
        sleep 0.2
    done
    kill "$program" 2>/dev/null
    wait "$program" 2>/dev/null || true' "$folder/lexorim" "$folder/Słowniki/Słownik.dat"
[ -f "$folder/Słowniki/Słownik.ndx" ] || fail "the utility did not open the dictionary"

[ -z "$(ls -A "$work/started-here")" ] || fail "something was written where the programs were started: $(ls -A "$work/started-here")"
echo "the programs work in folders of any letters"
