#!/bin/sh
# The real game under a private X server of 1024 x 768: in stage 1, F11
# takes the full-screen picture to a window of 768 x 720 (3 x the canvas,
# centred on the screen) and back, three times, each key pressed and let go
# at once, with play going on in
# between; Alt+Enter does the same. In each window the picture follows a
# resize, re-scaled and centred with black borders. Then the focus goes to
# another window: play pauses until Enter. Screenshots stay in OUT_DIR for a
# person to look at.
#
# usage: e2e_display_switch.sh GAME_DIR OUT_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/xvfb-lib.sh"
. "$here/e2e-lib.sh"

game_dir=$(cd "$1" && pwd)
out=$2
mkdir -p "$out"
out=$(cd "$out" && pwd)
rm -f "$out"/*.png "$out"/*.log
gfx="$game_dir/res/media/graphics"

trap e2e_cleanup EXIT
trap 'exit 1' INT TERM
XVFB_SCREEN=1024x768x24 xvfb_start || fail "no X server"
export ALSA_CONFIG_PATH="$here/asound.conf"
export ALSOFT_DRIVERS=null

convert -size 256x240 'xc:rgb(93,93,93)' "$gfx/background3.png" -composite \
    "$gfx/surface.png" -geometry +0+192 -composite \
    "$gfx/title.png" -geometry +0+0 -composite "$out/expect-title.png"
convert -size 256x240 xc:black "$gfx/background.png" -composite \
    "$gfx/surface.png" -geometry +0+192 -composite "$out/expect-play.png"
# As a shot shows it (scaled, under the filter, shrunk back), at each scale
# the picture takes here: 3 on the full screen and in the window, 2 resized.
for SCALE in 2 3; do
    screen_of "$out/expect-play.png" "$gfx/filter.png" "$out/expect-play.screen$SCALE.png"
done

# The canvas's place on the root window: SCALE, OX and OY, as shot() reads them.
picture_at() {
    SCALE=$1
    OX=$2
    OY=$3
}

# wait_window W H X Y SECONDS: the game's window of that geometry, in WIN.
wait_window() {
    deadline=$(($(date +%s) + $5))
    while [ "$(date +%s)" -le "$deadline" ]; do
        for w in $(xdotool search --all --pid "$GAME_PID" --name '^arcade$' 2>/dev/null); do
            geometry=$(xdotool getwindowgeometry "$w" 2>/dev/null | tr -d '\n')
            case "$geometry" in
            *"Position: $3,$4 "*"Geometry: $1x$2"*)
                # No window manager: the new window takes no focus by
                # itself, and cannot take it before it is mapped.
                timeout 2 xdotool windowfocus --sync "$w" 2>/dev/null || continue
                WIN=$w
                echo "window $WIN: $geometry" >>"$out/checks.log"
                return 0
                ;;
            esac
        done
        sleep 0.1
    done
    for w in $(xdotool search --all --pid "$GAME_PID" 2>/dev/null); do
        echo "wanted $1x$2 at $3,$4; seen $w: $(xdotool getwindowgeometry "$w" | tr -d '\n')" >>"$out/checks.log"
    done
    return 1
}

# A player's switch key, pressed and let go at once: the release reaches
# the old window as it goes, or no window at all while the new one opens,
# and the game must not take the next press for a repeat. Both go through
# the X server to the focused window, as a keyboard's do: with a window
# named, xdotool sends an event straight to it whenever that window lacks
# the focus, which the release does once the window is gone, and the
# server, never told of the release, then drops the key's next press as a
# repeat.
switch_key() {
    xdotool key "$1" 2>/dev/null
}

# black_around NAME X Y W H: the part of window (X, Y, W, H) on the root
# around the picture at OX, OY is black.
black_around() {
    pw=$((256 * SCALE))
    ph=$((240 * SCALE))
    for part in "$((OX - $2))x$5+$2+$3" "$(($2 + $4 - OX - pw))x$5+$((OX + pw))+$3" \
        "${4}x$((OY - $3))+$2+$3" "${4}x$(($3 + $5 - OY - ph))+$2+$((OY + ph))"; do
        case "$part" in 0x* | *x0+*) continue ;; esac
        m=$(convert "$out/$1.png" -crop "$part" +repage -format '%[fx:maxima]' info:)
        echo "$1: border $part brightest $m" >>"$out/checks.log"
        [ "$m" = 0 ] || return 1
    done
}

# Play goes on: the picture changes within a few seconds (a pause would
# freeze it).
playing_on() {
    shot "$1-a"
    tries=0
    while [ "$tries" -lt 30 ]; do
        sleep 0.1
        shot "$1-b"
        same_picture "$1-a" "$1-b" || return 0
        tries=$((tries + 1))
    done
    return 1
}

# The picture stops changing within a few seconds (the pause).
frozen() {
    tries=0
    shot "$1-a"
    while [ "$tries" -lt 20 ]; do
        sleep 0.2
        shot "$1-b"
        same_picture "$1-a" "$1-b" && return 0
        cp "$out/$1-b.png" "$out/$1-a.png"
        tries=$((tries + 1))
    done
    return 1
}

# full NAME: the full-screen picture, centred with black borders, in play.
check_full() {
    picture_at 3 128 24
    wait_until "$1" 10 matches_play "$out/expect-play.screen$SCALE.png" 0.9 ||
        fail "$1: no play picture on full screen"
    black_around "$1" 0 0 1024 768 || fail "$1: the borders are not black"
    playing_on "$1" || fail "$1: play stopped"
}

# window NAME: the window's picture, then a resize re-scales and re-centres it.
check_window() {
    picture_at 3 128 24
    wait_until "$1" 10 matches_play "$out/expect-play.screen$SCALE.png" 0.9 ||
        fail "$1: no play picture in the window"
    playing_on "$1" || fail "$1: play stopped"
    xdotool windowsize "$WIN" 900 700
    picture_at 2 322 134
    wait_until "$1-resized" 10 matches_play "$out/expect-play.screen$SCALE.png" 0.9 ||
        fail "$1: the picture did not follow the resize"
    black_around "$1-resized" 128 24 900 700 || fail "$1: the borders of the window are not black"
    playing_on "$1-resized" || fail "$1: play stopped after the resize"
}

game_start "$game_dir" || fail "the game did not open its window"
wait_window 1024 768 0 0 20 || fail "the game did not open on the full screen"
picture_at 3 128 24

# To stage 1: the story skipped, the list shown, its first stage chosen.
wait_until story 10 story_shown || fail "no story screen"
press Return
wait_until title 8 matches_canvas "$out/expect-title.png" 0.9 || fail "no title screen"
# Enter is lost while the title still fades in: again until the list shows.
tries=0
while :; do
    press Return
    wait_until list 2 cursor_at 1 && break
    tries=$((tries + 1))
    [ "$tries" -lt 5 ] || fail "no stage list on Enter"
done
press Return
wait_until play 10 hud_band || fail "stage 1 does not begin"
check_full full-0

for keys in F11 alt+Return; do
    label=$(echo "$keys" | tr -c 'a-zA-Z0-9\n' '-')
    for round in 1 2 3; do
        switch_key "$keys"
        wait_window 768 720 128 24 20 || fail "$keys ($round): no window of 768 x 720 at 128,24"
        check_window "$label-window-$round"
        hold_flight 1
        switch_key "$keys"
        wait_window 1024 768 0 0 20 || fail "$keys ($round): no full screen again"
        check_full "$label-full-$round"
        hold_flight 1
    done
done

# The focus goes to another window while Up is held, and Up is let go
# there: play pauses and stays paused when the focus comes back, until Enter.
xmessage -geometry 200x60+10+10 other >/dev/null 2>&1 &
OTHER_PID=$!
tries=0
until OTHER=$(xdotool search --name '^xmessage$' 2>/dev/null | head -n 1) && [ -n "$OTHER" ]; do
    tries=$((tries + 1))
    [ "$tries" -lt 50 ] || fail "no other window to take the focus"
    sleep 0.1
done
xdotool keydown --window "$WIN" Up
xdotool windowfocus "$OTHER"
xdotool keyup --window "$OTHER" Up
frozen away || fail "play goes on without the focus"
sleep 1
shot away-later
same_picture away-b away-later || fail "play goes on without the focus"
xdotool windowfocus "$WIN"
sleep 1
shot back
same_picture away-b back || fail "play resumed by itself when the focus came back"
press Return
playing_on resumed || fail "Enter did not resume play"
kill "$OTHER_PID" 2>/dev/null

press Escape
game_wait 10 || fail "the game did not end on Escape"
echo "e2e display switch passed; screenshots in $out"
