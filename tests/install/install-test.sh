#!/bin/sh
# Installs the build into a temporary prefix, checks the installed layout and the desktop files,
# then starts the installed game once, on a display of its own, with HOME in a temporary folder,
# closes it with F10 as a player would, and checks what it wrote where: everything in the user's
# data folder, nothing beside the programs or in the installed data.
#   install-test.sh BUILD_FOLDER
set -eu
build=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
prefix="$work/prefix"

cmake --install "$build" --prefix "$prefix" > /dev/null

for file in bin/garvo bin/lexorim share/garvo/Themes/Standard/theme.ini share/garvo/Dictionnaires/Francais.dat \
        share/garvo/Aide/garvo.htm share/applications/garvo.desktop share/applications/lexorim.desktop \
        share/metainfo/garvo.metainfo.xml; do
    [ -e "$prefix/$file" ] || fail "$file was not installed"
done
for size in 16 32 48 64 128 256; do
    for program in garvo lexorim; do
        icon="$prefix/share/icons/hicolor/${size}x${size}/apps/$program.png"
        file "$icon" | grep -q "PNG image data, $size x $size" || fail "no $size pixel icon for $program"
    done
done
desktop-file-validate "$prefix/share/applications/garvo.desktop" "$prefix/share/applications/lexorim.desktop"
grep -q '^Categories=Game;Education;' "$prefix/share/applications/garvo.desktop" || fail "game categories"
grep -q '^Categories=Utility;Education;' "$prefix/share/applications/lexorim.desktop" || fail "utility categories"
appstream-util validate-relax --nonet "$prefix/share/metainfo/garvo.metainfo.xml" > /dev/null

# The installed data are read-only to the user, as in a system folder.
chmod -R a-w "$prefix/share/garvo"
before=$(cd "$prefix" && find . | sort)

home="$work/home"
mkdir -p "$home"
user="$home/.local/share/garvo"
# The language was chosen at an earlier start; the game opens the bundled dictionary.
mkdir -p "$user"
printf '[Theme]\r\nLanguage=Francais\r\n' > "$user/garvo.ini"

env -i PATH="$PATH" LSAN_OPTIONS="suppressions=$(dirname "$0")/lsan.supp" HOME="$home" XDG_RUNTIME_DIR="$work" xvfb-run -a -s "-screen 0 1024x768x24" \
    sh "$(dirname "$0")/../support/close-game-with-f10.sh" "$prefix/bin/garvo" "/d=$user/Dictionnaires/Francais.dat" \
    || fail "the installed game did not start and close"

after=$(cd "$prefix" && find . | sort)
[ "$before" = "$after" ] || fail "the game wrote into the installation"
[ -f "$user/Themes/Standard/theme.ini" ] || fail "the user's folder was not filled"
[ -f "$user/Dictionnaires/Francais.ndx" ] || fail "the index is not in the user's folder"
[ -f "$user/scores.ini" ] || fail "no scores file in the user's folder"
grep -q "^LastFile=$user/Dictionnaires/Francais.dat" "$user/garvo.ini" || fail "settings not saved in the user's folder"
[ -w "$user/Dictionnaires/Francais.dat" ] || fail "the user's copy of a dictionary is not writable"
echo "installed game runs from the user's folder"
