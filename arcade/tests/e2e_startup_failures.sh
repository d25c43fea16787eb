#!/bin/sh
# A failed start-up under a private X server: the real error box appears
# (over the display, after closing it, or beside it), and once it is closed
# the game ends with exit status 1.
#
# usage: e2e_startup_failures.sh GAME_DIR OUT_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-lib.sh"
. "$here/e2e-lib.sh"

game_dir=$(cd "$1" && pwd)
out=$2
mkdir -p "$out"
out=$(cd "$out" && pwd)
rm -rf "$out"/*.png "$out"/*.log "$out"/game-*

# A signal ends the run; leaving it runs the clean-up.
trap e2e_cleanup EXIT
trap 'exit 1' INT TERM
xvfb_start || fail "no X server"
export ALSA_CONFIG_PATH="$here/asound.conf"
screen_geometry

# A copy of the game with one resource file taken away (or none at all).
game_copy() {
    dir="$out/game-$1"
    mkdir -p "$dir"
    cp "$game_dir/arcade" "$dir/"
    if [ -n "$2" ]; then
        cp -r "$game_dir/res" "$dir/"
        rm "$dir/$2"
    fi
    echo "$dir"
}

# True when the game's own display window is on the screen.
display_open() {
    for w in $(xdotool search --all --pid "$GAME_PID" --name '^arcade$' 2>/dev/null); do
        width=$(xwininfo -id "$w" | awk '/Width:/ {print $2}')
        [ "$width" -ge 512 ] && return 0
    done
    return 1
}

# run_case NAME MISSING BOX_TITLE DISPLAY(open|closed)
run_case() {
    dir=$(game_copy "$1" "$2")
    (cd "$dir" && exec ./arcade) >"$out/$1.log" 2>&1 &
    GAME_PID=$!
    find_window "$GAME_PID" "^$3\$" 30 || fail "$1: no box titled '$3'"
    box=$WIN
    import -window root "$out/$1.png"
    if [ "$4" = open ]; then
        display_open || fail "$1: the display is not open behind the box"
    else
        # The display's window may go a moment after the box comes up: the
        # two belong to different connections to the X server.
        tries=0
        while display_open; do
            tries=$((tries + 1))
            [ "$tries" -lt 50 ] || fail "$1: the display is still open behind the box"
            sleep 0.1
        done
    fi
    # Focus the box first: the key then goes in as real input, which GTK
    # takes (it ignores keys sent to a window that has no focus). A box
    # mapped but not yet listening loses the key: press again until the game
    # ends.
    presses=0
    rounds=0
    status=124
    while [ "$status" = 124 ] && [ "$rounds" -lt 10 ]; do
        rounds=$((rounds + 1))
        if xwininfo -id "$box" >/dev/null 2>&1; then
            xdotool windowfocus --sync "$box" 2>/dev/null
            xdotool key Return
            presses=$((presses + 1))
        fi
        game_wait 3
        status=$?
    done
    [ "$status" -eq 1 ] || fail "$1: the game ended with status $status, not 1"
    echo "$1: box '$3', display $4, exit status 1 after $presses Return presses"
}

# The working folder holds no res/: the font is the first file read.
run_case no-res "" "Error occurred!" open
run_case no-picture res/media/graphics/title.png "Error occurred! A Bitmap is missing!" closed
run_case no-sound res/media/audio/laser.wav "Error E_AUDIO!" open
# With no desktop at all the box cannot show: the reason goes to standard
# error, and the game still ends with status 1 at once.
dir=$(game_copy no-desktop "")
(cd "$dir" && env -u DISPLAY timeout 30 ./arcade) >"$out/no-desktop.log" 2>&1
status=$?
[ "$status" -eq 1 ] || fail "no desktop: exit status $status, not 1"
grep -q "^arcade: Error occurred!" "$out/no-desktop.log" && grep -q "Could not" "$out/no-desktop.log" ||
    fail "no desktop: no reason on standard error: $(cat "$out/no-desktop.log")"
echo "no desktop: exit status 1, $(grep -c . "$out/no-desktop.log") lines on standard error"
echo "start-up failure runs passed; screenshots in $out"
