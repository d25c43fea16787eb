#!/bin/sh
# Runs a test program under its own X server (the start-up tests open a real
# display). Listing the tests needs no server.
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-lib.sh"

for arg in "$@"; do
    if [ "$arg" = "--gtest_list_tests" ]; then
        exec "$@"
    fi
done

# OpenAL's own silent output: its ALSA backend spins a core on the null device.
export ALSOFT_DRIVERS=null
xvfb_start || exit 1
trap xvfb_stop EXIT
trap 'exit 1' INT TERM
"$@"
status=$?
xvfb_stop
trap - EXIT
exit $status
