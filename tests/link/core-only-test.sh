#!/bin/sh
# A program that must run on Qt Core alone: it needs libQt6Core and no other Qt library, nor the
# picture, sound or CD libraries the programs' windows use.
#   core-only-test.sh PROGRAM
set -eu
needed=$(readelf -d "$1" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p')
echo "$needed" | grep -q '^libQt6Core\.so' || { echo "FAIL: $1 does not load libQt6Core" >&2; exit 1; }
gui=$(echo "$needed" | grep -E '^(libQt6|libcdio|libjpeg)' | grep -v '^libQt6Core\.so' || true)
if [ -n "$gui" ]; then
    echo "FAIL: $1 loads" $gui >&2
    exit 1
fi
echo "$1 loads Qt Core alone"
