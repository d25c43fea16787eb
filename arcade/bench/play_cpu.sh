#!/bin/sh
# The real game's own CPU time while stage 1 plays, under a private X server
# (software OpenGL) with sound going nowhere: the process's user and system
# time (all its threads, the GL rasterisers included) over SECONDS of play
# with scripted keys, as a share of one core. (Variables of e2e-lib.sh such
# as `seconds` are its own: this script keeps to other names.)
#
# The cost is mostly the software rasteriser filling the window, so it grows
# with the screen: SCREEN is Xvfb's (default 1024x768x24).
#
# usage: play_cpu.sh GAME_DIR [SECONDS] [SCREEN]
set -u
here=$(cd "$(dirname "$0")/../tests" && pwd)
. "$here/xvfb-lib.sh"
. "$here/e2e-lib.sh"

game_dir=$(cd "$1" && pwd)
play_seconds=${2:-30}
play_screen=${3:-1024x768x24}
out=$(mktemp -d)

cleanup() {
    e2e_cleanup
    rm -rf "$out"
}
trap cleanup EXIT
# A closed output (| head) or a signal ends the run through the cleanup too.
trap 'exit 1' HUP INT PIPE TERM
XVFB_SCREEN=$play_screen xvfb_start || fail "no X server"
export ALSA_CONFIG_PATH="$here/asound.conf"
export ALSOFT_DRIVERS=null

game_start "$game_dir" || fail "the game did not open its window"
screen_geometry
wait_until story 10 story_shown || fail "no story screen"
press Return
sleep 1.5
press Return
sleep 0.5
press Return
wait_until play 10 hud_band || fail "stage 1 did not begin"
sleep 1

ticks_per_second=$(getconf CLK_TCK)
cpu_ticks() {
    awk '{ print $14 + $15 }' "/proc/$GAME_PID/stat"
}
start_cpu=$(cpu_ticks)
start_time=$(date +%s.%N)
hold_flight "$play_seconds"
end_cpu=$(cpu_ticks)
end_time=$(date +%s.%N)
kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended during play"

awk -v c="$((end_cpu - start_cpu))" -v hz="$ticks_per_second" \
    -v t0="$start_time" -v t1="$end_time" 'BEGIN {
        wall = t1 - t0
        printf "stage 1 for %.1f s: %.2f s of CPU, %.1f%% of one core\n", wall, c / hz, 100 * c / hz / wall
    }'
for task in /proc/"$GAME_PID"/task/*; do
    printf '  %s %s\n' "$(cat "$task/comm")" "$(awk '{ print $14 + $15 }' "$task/stat")"
done
press Escape
game_wait 10
