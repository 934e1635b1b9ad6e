#!/bin/sh
# Runs the color mixer's offscreen demo session under valgrind's memcheck. An invalid read or
# write, a jump on uninitialised memory, or a definite or indirect leak fails the test; so
# does any exit status of the mixer other than 0. Exit status 77 means skipped.
#
# Usage: memcheck_mixer_session.sh MIXER REPLAY SCREENSHOT SANITIZED(0|1)
set -eu
mixer=$1
replay=$2
screenshot=$3
sanitized=$4

if [ "$sanitized" = 1 ]; then
    echo "skipped: the sanitizer build replaces the allocator that valgrind watches"
    exit 77
fi
if ! command -v valgrind >/dev/null 2>&1; then
    echo "skipped: valgrind is not installed (scripts/install-deps installs it)"
    exit 77
fi
exec valgrind --quiet --error-exitcode=99 --leak-check=full \
    --show-leak-kinds=definite,indirect --errors-for-leak-kinds=definite,indirect \
    --track-origins=yes \
    "$mixer" --platform offscreen --replay "$replay" --screenshot "$screenshot"
