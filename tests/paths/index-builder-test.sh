#!/bin/sh
# The build's index builder in a clone named in letters beyond Windows-1252 (~/Загрузки/garvo):
# the index of a bundled dictionary comes out there as it does in a folder of plain letters.
#   index-builder-test.sh INDEX_BUILDER DICTIONARY
set -eu
builder=$1
dictionary=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

name=$(basename "$dictionary" .dat)
for folder in "$work/plain" "$work/Загрузки/garvo"; do
    mkdir -p "$folder/data"
    cp "$dictionary" "$folder/data/"
    "$builder" "$folder/installed-index" "$folder/data/$name.dat" || fail "no index built in $folder"
    [ -s "$folder/installed-index/$name.ndx" ] || fail "no index in $folder/installed-index"
done
cmp "$work/plain/installed-index/$name.ndx" "$work/Загрузки/garvo/installed-index/$name.ndx" \
    || fail "the index built in the Cyrillic folder differs"
echo "the index builder works in a folder of any letters"
