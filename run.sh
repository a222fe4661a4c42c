#!/usr/bin/env bash
# Installs what is missing, builds both programs in build/ and starts one of them from the
# build's program folder (build/bin). On the first run, and whenever no dictionary was opened
# before, the game opens the bundled French dictionary.
#   ./run.sh                 the game (its dictionary button starts the utility)
#   ./run.sh lexorim [FILE]  the dictionary utility, on FILE when given
set -euo pipefail
here=$(pwd)
cd "$(dirname "$0")"

# A file named relative to where the command was typed, as the script changes folder.
absolute() {
    case "$1" in
        /*) printf '%s' "$1" ;;
        *) printf '%s' "$here/$1" ;;
    esac
}

source ./scripts/packages.sh
source ./scripts/build-programs.sh
ensure_packages

cmake -S . -B build -G Ninja >/dev/null
build_programs build
bin="$(pwd)/build/bin"

if [ "${1:-}" = "lexorim" ]; then
    shift
    args=()
    for argument in "$@"; do
        args+=("$(absolute "$argument")")
    done
    exec "$bin/lexorim" "${args[@]}"
fi

args=()
for argument in "$@"; do
    case "$argument" in
        [/][dD]=?*) args+=("/d=$(absolute "${argument:3}")") ;;
        *) args+=("$argument") ;;
    esac
done
# A LastFile with a value means the game reopens the dictionary it had at its last exit.
if ! grep -qiE '^LastFile=[^[:space:]]' "$bin/garvo.ini" 2>/dev/null; then
    args=("/d=$bin/Dictionnaires/Francais.dat" "${args[@]}")
fi
exec "$bin/garvo" "${args[@]}"
