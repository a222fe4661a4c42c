#!/bin/sh
# The programs start without the libraries their first window does not need: sound (Qt
# Multimedia), CD audio (libcdio) and printing (Qt Print Support) come in modules, loaded on
# first use, that lie beside the programs.
#   start-libraries-test.sh PROGRAM...
set -eu
for program in "$@"; do
    needed=$(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
    late=$(echo "$needed" | grep -E '^(libQt6Multimedia|libcdio|libQt6PrintSupport)' || true)
    if [ -n "$late" ]; then
        echo "FAIL: $program loads" $late "at its start" >&2
        exit 1
    fi
    for module in garvo_sound garvo_cdaudio garvo_print; do
        [ -f "$(dirname "$program")/lib$module.so" ] || { echo "FAIL: no lib$module.so beside $program" >&2; exit 1; }
    done
    echo "$program starts without sound, CD audio or printing libraries"
done
