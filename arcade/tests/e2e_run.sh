#!/bin/sh
# The real game under a private X server with sound going nowhere: splash,
# story (skipped with Enter), title, stage list, stage card, play, pause and
# resume, stage 1 played for a while, quit with Escape; then every other
# stage from the title's list. Screenshots along the way are checked against the
# game's own pictures; they stay in OUT_DIR for a person to look at.
#
# usage: e2e_run.sh GAME_DIR OUT_DIR
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

trap e2e_cleanup EXIT INT TERM
xvfb_start || fail "no X server"
export ALSA_CONFIG_PATH="$here/asound.conf"
# The sound library mixes through OpenAL, whose ALSA output spins a core when
# the device takes samples as fast as it is fed; OpenAL's own silent output
# keeps time instead.
export ALSOFT_DRIVERS=null

# What each screen should look like, composed from the game's pictures.
convert -size 256x240 xc:black "$gfx/creator.png" -composite "$out/expect-splash.png"
convert -size 256x240 'xc:rgb(93,93,93)' "$gfx/background3.png" -composite \
    "$gfx/surface.png" -geometry +0+192 -composite \
    "$gfx/title.png" -geometry +0+0 -composite "$out/expect-title.png"
convert -size 256x224 xc:black "$gfx/background.png" -geometry +0-16 -composite \
    "$gfx/surface.png" -geometry +0+176 -composite "$out/expect-play.png"

game_start "$game_dir" || fail "the game did not open its window"
screen_geometry

# 1. The splash fades in; the borders around the scaled canvas stay black.
wait_until splash 6 matches_canvas "$out/expect-splash.png" 0.98 ||
    fail "no splash picture"
borders_black splash || fail "the borders around the splash are not black"

# 2. The story: its heading at the top, the rest still behind the curtain.
wait_until story 8 story_shown || fail "no story screen"
press Return

# 3. The title over its backdrop, then the stage list on the first Enter.
wait_until title 6 matches_canvas "$out/expect-title.png" 0.98 ||
    fail "no title screen"
not_matching title "$out/expect-splash.png" 0.5 || fail "the title looks like the splash"
sleep 0.5
press Return
sleep 0.5
shot list
list_white=$(white_share list 98 130 60 62)
title_white=$(white_share title 98 130 60 62)
more_than "$list_white" "$(sum "$title_white" 0.05)" ||
    fail "no stage list on the title (white share $list_white, was $title_white)"

# The cursor ">" stands left of the chosen stage; Down moves it, Up brings
# it back to stage 1.
cursor_at list 1 || fail "the cursor is not on stage 1"
press Down
sleep 0.5
shot list-down
cursor_at list-down 2 || fail "Down did not move the cursor to stage 2"
press Up
sleep 0.5
shot list-up
cursor_at list-up 1 || fail "Up did not bring the cursor back to stage 1"

# 4. The stage card of stage 1, centred on (128, 96) of the canvas.
press Return
wait_until card 6 card_placed "$gfx/stage1_thumb.png" || fail "no stage card in its place"

# 5. Stage 1 under its status bar.
wait_until play 8 matches_play "$out/expect-play.png" 0.98 || fail "no stage 1 play screen"
# Its status bar shows once the fade-in has passed.
wait_until play 3 hud_band || fail "no status bar over the play screen"

# 6. Pause freezes the picture; Enter resumes.
press Return
sleep 0.5
shot paused1
sleep 0.7
shot paused2
same_picture paused1 paused2 || fail "the paused picture changes"
matches_play paused2 "$out/expect-play.png" 0.98 || fail "the pause lost the play screen"
press Return
sleep 0.5
shot resumed
matches_play resumed "$out/expect-play.png" 0.98 || fail "no play screen after resuming"

# 7. Stage 1 plays: the status bar shows the score, the stage and five
# hearts; leaves come in within the first seconds; a dropped bomb falls and
# bursts on the ground.
wait_until bar 3 status_bar_shows 5 ||
    fail "the status bar lacks the score, the stage or the five hearts"
found=
for round in 1 2 3 4 5 6 7 8; do
    hold_flight 2
    shot flying
    if leaves_in_sky flying; then
        found=yes
        break
    fi
done
[ -n "$found" ] || fail "no enemy came in during the first 16 seconds"
cp "$out/flying.png" "$out/stage1-leaves.png"
found=
press x
for tries in 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 19 20; do
    shot bomb
    if burst_on_ground bomb; then
        found=yes
        break
    fi
    sleep 0.1
done
[ -n "$found" ] || fail "no burst on the ground after a dropped bomb"

# 8. Escape quits at once, with success.
press Escape
game_wait 10
status=$?
[ "$status" -eq 0 ] || fail "the game ended with status $status"

# 9. Every stage, chosen from the title's list, shows its own scenery; the
# last boss is out from the start of stage 5.
for n in 2 3 4 5; do
    game_start "$game_dir" || fail "the game did not open its window again"
    wait_until "story$n" 10 story_shown || fail "no story screen"
    press Return
    wait_until "title$n" 8 matches_canvas "$out/expect-title.png" 0.98 || fail "no title"
    sleep 0.3
    press Return
    sleep 0.3
    k=1
    while [ "$k" -lt "$n" ]; do
        press Down
        sleep 0.2
        k=$((k + 1))
    done
    press Return
    if [ "$n" = 5 ]; then
        # Play has begun once the status bar shows; then the fade-in ends.
        wait_until stage5 10 hud_band || fail "stage 5 does not begin"
        sleep 1.2
        shot stage5
        sky_matches stage5 "$gfx/background5.png" "0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15" ||
            fail "stage 5 does not show its scenery"
    else
        wait_until "stage$n" 10 sky_matches "$gfx/background$n.png" 0 ||
            fail "stage $n does not show its scenery"
    fi
    hold_flight 2
    shot "stage$n-play"
    press Escape
    game_wait 10 || fail "the game did not end on Escape in stage $n"
done
echo "e2e run passed; screenshots in $out"
