#!/usr/bin/env bash
# Regenerates everything in data/ from the sources in tools/: the texts (UTF-8 sources turned
# into Windows-1252 with CR LF line ends), the pictures and the sounds; then, through
# tools/generate-resources.sh, the pictures and cursors built into the programs (resources/).
# The generated files are kept in the repository, so the programs run without this script.
#   tools/generate-data.sh [BUILD_FOLDER]
set -euo pipefail

tools=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$tools")
data="$root/data"
build=${1:-"$root/build-tools"}
frames=$(mktemp -d)
trap 'rm -rf "$frames"' EXIT

fail() { echo "generate-data: $*" >&2; exit 1; }

# --- Texts -------------------------------------------------------------------------------
# Every source under tools/text becomes the file of the same path under data/.
(cd "$tools/text" && find . -type f) | sort | while read -r file; do
    target="$data/${file#./}"
    mkdir -p "$(dirname "$target")"
    # Converted aside first: a text that stops converting must not leave half a file in data/.
    iconv -f UTF-8 -t CP1252 "$tools/text/$file" | sed 's/\r*$/\r/' > "$frames/text" \
        || fail "$file holds a character that Windows-1252 cannot hold"
    cp "$frames/text" "$target"
done

# Dictionaries: every byte a defined Windows-1252 character, no control character but the line
# ends, and brackets that strictly alternate, opening first: "[" and "]" delimit the entries.
for dictionary in "$data"/Dictionnaires/*.dat; do
    name=$(basename "$dictionary")
    if LC_ALL=C grep -q "$(printf '[\001-\010\013\014\016-\037\177\201\215\217\220\235]')" "$dictionary"; then
        fail "$name holds a byte that is no Windows-1252 text character"
    fi
    brackets=$(LC_ALL=C tr -cd '[]' < "$dictionary")
    if ! printf '%s' "$brackets" | LC_ALL=C grep -Eqx '(\[\])*'; then
        fail "$name: brackets do not alternate"
    fi
    entries=$(printf '%s' "$brackets" | LC_ALL=C tr -cd '[' | wc -c)
    [ "$entries" -gt 0 ] || fail "$name holds no entry"
    echo "$name: $entries entries"
done

# --- Pictures and sounds -----------------------------------------------------------------
cmake -S "$tools" -B "$build" -G Ninja > /dev/null
cmake --build "$build" > /dev/null

# Qt wants a runtime folder even offscreen; the private temporary folder serves.
XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$frames} "$build/garvo_pictures" "$data" "$frames"
mkdir -p "$data/Aide" "$data/Dictionnaires/img"
still_gif() { convert "$frames/$1.png" -transparent-color '#FFFFE1' -transparent '#FFFFE1' "$2"; }
still_gif info "$data/Aide/info.gif"
still_gif drapeau "$data/Dictionnaires/img/drapeau.gif"
still_gif triangle "$data/Dictionnaires/img/triangle.gif"
convert -delay 40 -loop 0 "$frames"/horloge-*.png "$data/Dictionnaires/img/horloge.gif"
convert -delay 9 -loop 0 "$frames"/papillon-*.png "$data/Dictionnaires/img/papillon.gif"

mkdir -p "$data/Sons"
"$build/garvo_sounds" "$data/Sons"

echo "data/ regenerated"

"$tools/generate-resources.sh" "$build"
