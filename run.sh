#!/usr/bin/env bash
# Installs what is missing, builds the game in build/ and starts it from the build's program
# folder (build/bin). On the first run, and whenever no dictionary was opened before, the game
# opens the bundled French dictionary.
#   ./run.sh                 the game
#   ./run.sh lexorim [FILE]  the dictionary utility
set -euo pipefail
cd "$(dirname "$0")"

source ./scripts/packages.sh
ensure_packages

if [ "${1:-}" = "lexorim" ]; then
    shift
    cmake -S . -B build -G Ninja >/dev/null
    cmake --build build -j "$(nproc)" --target lexorim garvo_data
    exec "$(pwd)/build/bin/lexorim" "$@"
fi

cmake -S . -B build -G Ninja >/dev/null
cmake --build build -j "$(nproc)" --target garvo garvo_data

bin="$(pwd)/build/bin"
args=("$@")
# A LastFile with a value means the game reopens the dictionary it had at its last exit.
if ! grep -qiE '^LastFile=[^[:space:]]' "$bin/garvo.ini" 2>/dev/null; then
    args=("/d=$bin/Dictionnaires/Francais.dat" "${args[@]}")
fi
exec "$bin/garvo" "${args[@]}"
