#!/bin/sh
# Installs the build into a temporary prefix, as the README says, right after the build ./run.sh
# makes; checks the installed layout and the desktop files, then starts the installed game, on a
# display of its own, with HOME in a temporary folder, closes it with F10 as a player would, and
# checks what it wrote where: everything in the user's data folder, nothing beside the programs
# or in the installed data. Four starts: the first one (no dictionary remembered), one on the
# user's copy of a dictionary, one on an installed dictionary, one after an update of the
# installed data.
#   install-test.sh BUILD_FOLDER
set -eu
build=$1
here=$(cd "$(dirname "$0")" && pwd)
work=$(mktemp -d)
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }
prefix="$work/prefix"
data="$prefix/share/garvo"

# Only what ./run.sh builds: what the install takes beyond the programs is made again by it.
rm -f "$build"/installed-index/*.ndx
. "$here/../../scripts/build-programs.sh"
build_programs "$build" > "$work/build.log" 2>&1 || fail "the programs did not build: $(cat "$work/build.log")"
cmake --install "$build" --prefix "$prefix" > "$work/install.log" 2>&1 || fail "install: $(cat "$work/install.log")"

for file in bin/garvo bin/lexorim bin/libgarvo_sound.so bin/libgarvo_cdaudio.so bin/libgarvo_print.so \
        share/garvo/Themes/Standard/theme.ini share/garvo/Dictionnaires/Francais.dat \
        share/garvo/Dictionnaires/Francais.ndx share/garvo/Dictionnaires/English.ndx \
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

# Desktop entries: valid without a hint, each in one main category of the menus.
said=$(desktop-file-validate "$prefix/share/applications/garvo.desktop" "$prefix/share/applications/lexorim.desktop" 2>&1) \
    || fail "desktop entries: $said"
[ -z "$said" ] || fail "desktop entries: $said"
main_categories='AudioVideo Audio Video Development Education Game Graphics Network Office Science Settings System Utility'
for entry in garvo:Game lexorim:Education; do
    program=${entry%%:*}
    found=$(sed -n 's/^Categories=//p' "$prefix/share/applications/$program.desktop" | tr ';' '\n' \
        | while read -r category; do case " $main_categories " in *" $category "*) echo "$category" ;; esac; done)
    [ "$found" = "${entry#*:}" ] || fail "$program is in the main categories: $found"
done

# The AppStream release is the version the about window shows.
appstream-util validate-relax --nonet "$prefix/share/metainfo/garvo.metainfo.xml" > /dev/null
release=$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$prefix/share/metainfo/garvo.metainfo.xml" | head -n 1)
about=$(strings -el "$prefix/bin/garvo" | sed -n 's/^Version \([0-9][0-9.]*\)$/\1/p' | head -n 1)
[ -n "$about" ] && [ "$release" = "$about" ] || fail "AppStream release '$release', about window '$about'"

# The installed data are read-only to the user, as in a system folder.
chmod -R a-w "$data"
installed() { (cd "$prefix" && find . -exec ls -ld --time-style=+%s.%N {} + | sort); }
before=$(installed)

home="$work/home"
mkdir -p "$home"
user="$home/.local/share/garvo"
# The language was chosen at an earlier start.
mkdir -p "$user"
printf '[Theme]\r\nLanguage=Francais\r\n' > "$user/garvo.ini"

# One display for every start, on a number the server chose free itself.
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3> "$work/display" 2> "$work/xvfb.log" &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; chmod -R u+w "$work"; rm -rf "$work"' EXIT
deadline=$(( $(date +%s) + 60 ))
while [ ! -s "$work/display" ] && [ "$(date +%s)" -lt "$deadline" ] && kill -0 "$xvfb" 2>/dev/null; do sleep 0.1; done
[ -s "$work/display" ] || fail "no display: $(cat "$work/xvfb.log")"
display=":$(cat "$work/display")"

# Starts the installed game with the given arguments and closes it with F10.
play() {
    env -i PATH="$PATH" CANCEL_DIALOG="${CANCEL_DIALOG:-}" LSAN_OPTIONS="suppressions=$here/lsan.supp" HOME="$home" XDG_RUNTIME_DIR="$work" \
        DISPLAY="$display" sh "$here/../support/close-game-with-f10.sh" "$prefix/bin/garvo" "$@"
}
last_file() { sed -n 's/^LastFile=\(.*\)\r$/\1/p' "$user/garvo.ini"; }

# The first start offers the open dialog on the user's dictionaries; cancelled, it opens none.
CANCEL_DIALOG="Ouvrir un dictionnaire" play || fail "the installed game did not offer a dictionary and close"
[ "$(installed)" = "$before" ] || fail "the game wrote into the installation"
[ -f "$user/Themes/Standard/theme.ini" ] || fail "the user's folder was not filled"
[ -s "$user/.installed-copies" ] || fail "no list of the copies in the user's folder"
[ -z "$(last_file)" ] || fail "first start opened '$(last_file)'"
[ -w "$user/Dictionnaires/Francais.dat" ] || fail "the user's copy of a dictionary is not writable"

# The user's copy of a dictionary gets its index and its scores in the user's folder.
play "/d=$user/Dictionnaires/Francais.dat" || fail "the user's copy of the dictionary did not open"
[ "$(installed)" = "$before" ] || fail "the game wrote into the installation"
[ -f "$user/Dictionnaires/Francais.ndx" ] || fail "the index is not in the user's folder"
[ -f "$user/scores.ini" ] || fail "no scores file in the user's folder"
[ "$(last_file)" = "$user/Dictionnaires/Francais.dat" ] || fail "the user's copy was not kept: '$(last_file)'"

# An installed dictionary opens on its installed index: nothing is written beside it.
play "/d=$data/Dictionnaires/Francais.dat" || fail "the installed dictionary did not open"
[ "$(installed)" = "$before" ] || fail "opening an installed dictionary wrote into the installation"
[ "$(last_file)" = "$data/Dictionnaires/Francais.dat" ] || fail "the installed dictionary was not kept: '$(last_file)'"

# An update of the installed data reaches the copies the user never changed, and only those.
printf '<p>edited by the teacher</p>' > "$user/Dictionnaires/English.htm"
chmod -R u+w "$data"
printf '<p>new help</p>' >> "$data/Aide/garvo.htm"
printf '<p>new description</p>' >> "$data/Dictionnaires/English.htm"
chmod -R a-w "$data"
play || fail "the game did not start after the update"
cmp -s "$data/Aide/garvo.htm" "$user/Aide/garvo.htm" || fail "the unchanged help was not brought up to date"
[ "$(cat "$user/Dictionnaires/English.htm")" = '<p>edited by the teacher</p>' ] || fail "the user's file was replaced"
echo "installed game runs from the user's folder"
