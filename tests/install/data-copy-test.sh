#!/bin/sh
# The build copies data/ into the program folder through copy-missing-data.cmake: a file the user
# changed there is kept at the next build, a deleted one comes back, a new one is added.
#   data-copy-test.sh SOURCE_ROOT
set -eu
script="$1/scripts/copy-missing-data.cmake"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

mkdir -p "$work/data/Dictionnaires" "$work/data/Themes/Standard/Francais"
printf 'ananas\r\n  [fruit]\r\n' > "$work/data/Dictionnaires/Francais.dat"
printf '[Main]\r\nLanguage=33\r\n' > "$work/data/Themes/Standard/Francais/language.ini"
copy() { cmake -DSOURCE="$work/data" -DTARGET="$work/bin" -P "$script"; }

copy
cmp "$work/data/Dictionnaires/Francais.dat" "$work/bin/Dictionnaires/Francais.dat" || fail "first copy differs"

# A teacher adds a word with the utility and edits the theme's texts; one file is deleted.
printf 'ananas\r\n  [fruit]\r\nzebre\r\n  [animal]\r\n' > "$work/bin/Dictionnaires/Francais.dat"
rm "$work/bin/Themes/Standard/Francais/language.ini"
printf '[WindowMain]\r\n' > "$work/data/Themes/Standard/theme.ini"
copy
grep -q zebre "$work/bin/Dictionnaires/Francais.dat" || fail "the user's dictionary was replaced"
cmp "$work/data/Themes/Standard/Francais/language.ini" "$work/bin/Themes/Standard/Francais/language.ini" \
    || fail "a deleted file did not come back"
cmp "$work/data/Themes/Standard/theme.ini" "$work/bin/Themes/Standard/theme.ini" || fail "a new file was not added"
echo "data copy keeps the user's files"
