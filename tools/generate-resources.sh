#!/bin/sh
# Regenerates the pictures and cursors built into the programs (resources/) and the Qt resource
# files that list them. The generated files are kept in the repository, so the programs build
# without this script; tools/generate-data.sh runs it too.
#   tools/generate-resources.sh [BUILD_FOLDER]
set -eu

tools=$(cd "$(dirname "$0")" && pwd)
root=$(dirname "$tools")
resources="$root/resources"
build=${1:-"$root/build-tools"}
runtime=$(mktemp -d)
trap 'rm -rf "$runtime"' EXIT

cmake -S "$tools" -B "$build" -G Ninja > /dev/null
cmake --build "$build" --target garvo_resources > /dev/null

# Everything but the hand-written README is generated: clear it first, so that a picture the
# generator no longer draws leaves no stale file behind.
mkdir -p "$resources"
find "$resources" -mindepth 1 -maxdepth 1 \( -type d -o -name '*.qrc' \) -exec rm -rf {} +
# Qt wants a runtime folder even offscreen; the private temporary folder serves.
XDG_RUNTIME_DIR=${XDG_RUNTIME_DIR:-$runtime} "$build/garvo_resources" "$resources"

echo "resources/ regenerated"
