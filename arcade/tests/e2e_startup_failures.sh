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

trap e2e_cleanup EXIT INT TERM
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
    find_window "$GAME_PID" "^$3\$" 15 || fail "$1: no box titled '$3'"
    box=$WIN
    sleep 0.5
    import -window root "$out/$1.png"
    if [ "$4" = open ]; then
        display_open || fail "$1: the display is not open behind the box"
    else
        display_open && fail "$1: the display is still open behind the box"
    fi
    # Focus the box first: the key then goes in as real input, which GTK
    # takes (it ignores keys sent to a window that has no focus).
    xdotool windowfocus --sync "$box" 2>/dev/null
    xdotool key Return
    game_wait 10
    status=$?
    [ "$status" -eq 1 ] || fail "$1: the game ended with status $status, not 1"
    echo "$1: box '$3', display $4, exit status 1"
}

# The working folder holds no res/: the font is the first file read.
run_case no-res "" "Error occurred!" open
run_case no-picture res/media/graphics/title.png "Error occurred! A Bitmap is missing!" closed
run_case no-sound res/media/audio/laser.wav "Error E_AUDIO!" open
echo "start-up failure runs passed; screenshots in $out"
