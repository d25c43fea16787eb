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

# A signal ends the run; leaving it runs the clean-up.
trap e2e_cleanup EXIT
trap 'exit 1' INT TERM
xvfb_start || fail "no X server"
export ALSA_CONFIG_PATH="$here/asound.conf"
# The sound library mixes through OpenAL, whose ALSA output spins a core when
# the device takes samples as fast as it is fed; OpenAL's own silent output
# keeps time instead.
export ALSOFT_DRIVERS=null

# What each screen should look like, composed from the game's pictures;
# where actors may cover part of it, as a shot of the screen shows it.
screen_geometry
convert -size 256x240 xc:black "$gfx/creator.png" -composite "$out/expect-splash.png"
convert -size 256x240 'xc:rgb(93,93,93)' "$gfx/background3.png" -composite \
    "$gfx/surface.png" -geometry +0+192 -composite \
    "$gfx/title.png" -geometry +0+0 -composite "$out/expect-title.png"
convert -size 256x240 xc:black "$gfx/background.png" -composite \
    "$gfx/surface.png" -geometry +0+192 -composite "$out/expect-play.png"
screen_of "$out/expect-play.png" "$gfx/filter.png" "$out/expect-play.screen.png"
set -- $(identify -format '%w %h' "$gfx/stage1_thumb.png")
convert -size 256x240 xc:black "$gfx/stage1_thumb.png" -geometry "+$((128 - $1 / 2))+$((96 - $2 / 2))" \
    -composite "$out/expect-card.png"
screen_full "$out/expect-card.png" "$gfx/filter.png" "$out/expect-card.screen.png"
for n in 2 3 4; do
    screen_of "$gfx/background$n.png" "$gfx/filter.png" "$out/expect-sky$n.png"
done
# Stage 5's scenery scrolls and repeats every 16 pixels.
for dx in 0 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15; do
    convert "$gfx/background5.png" -roll "+$dx+0" "$out/expect-sky5-$dx.png"
    screen_of "$out/expect-sky5-$dx.png" "$gfx/filter.png" "$out/expect-sky5-$dx.png"
done

game_start "$game_dir" || fail "the game did not open its window"

# 1. The splash fades in; the borders around the scaled canvas stay black.
wait_until splash 10 matches_canvas "$out/expect-splash.png" 0.98 ||
    fail "no splash picture"
check_shot splash borders_black || fail "the borders around the splash are not black"

# 2. The story: its heading at the top, the rest still behind the curtain.
wait_until story 20 story_shown || fail "no story screen"
press Return

# 3. The title over its backdrop, then the stage list on the first Enter.
wait_until title 20 matches_canvas "$out/expect-title.png" 0.98 ||
    fail "no title screen"
check_shot title not_matching "$out/expect-splash.png" 0.5 || fail "the title looks like the splash"
press Return
wait_until list 10 list_shown title || fail "no stage list on the title, or its cursor is not on stage 1"

# The cursor ">" stands left of the chosen stage; Down moves it, Up brings
# it back to stage 1.
press Down
wait_until list-down 10 cursor_at 2 || fail "Down did not move the cursor to stage 2"
press Up
wait_until list-up 10 cursor_at 1 || fail "Up did not bring the cursor back to stage 1"

# 4. The stage card of stage 1, centred on (128, 96) of the canvas.
press Return
wait_until card 10 card_placed "$out/expect-card.screen.png" || fail "no stage card in its place"

# 5. Stage 1 under its status bar; the backdrop shows through undarkened
# once the fade-in has passed.
wait_until play 20 matches_play "$out/expect-play.screen.png" 0.9 || fail "no stage 1 play screen"
wait_until play 10 hud_band || fail "no status bar over the play screen"
# It shows the score, the stage and five hearts (checked before anything
# can have hit the player).
wait_until bar 10 status_bar_shows 5 ||
    fail "the status bar lacks the score, the stage or the five hearts"

# 6. Pause freezes the picture for a second, though Up is held (a machine
# that holds the game back a moment may delay it); the picture is the last
# frame of play. Enter resumes, and the propeller lifts the player again.
import -window root "$out/before-pause.png"
press Return
xdotool keydown --window "$WIN" Up
shot_canvas before-pause
wait_until paused1 15 still_a_second paused2 || fail "the picture does not stop on Enter"
check_shot paused2 like_shot before-pause 0.95 || fail "the pause lost the last frame of play"
check_shot paused2 matches_play "$out/expect-play.screen.png" 0.9 || fail "the pause lost the play screen"
press Return
wait_until resumed 15 moved paused2 || fail "play does not go on after resuming"
xdotool keyup --window "$WIN" Up
check_shot resumed matches_play "$out/expect-play.screen.png" 0.9 || fail "no play screen after resuming"

# 7. Stage 1 plays: leaves come in within the first seconds; a dropped bomb
# falls and bursts on the ground (another is dropped while none is seen).
found=
leaves_deadline=$(($(date +%s) + 40))
while [ "$(date +%s)" -lt "$leaves_deadline" ]; do
    hold_flight 2
    shot flying
    if check_shot flying leaves_in_sky; then
        found=yes
        break
    fi
done
[ -n "$found" ] || fail "no enemy came in during the first 40 seconds"
cp "$out/flying.png" "$out/stage1-leaves.png"
# A burst lasts a third of a second, and an X pressed while the player still
# throws is dropped: about one bomb in five goes by unseen on a loaded machine.
found=
bombs=0
bomb_deadline=$(($(date +%s) + 60))
while [ "$(date +%s)" -lt "$bomb_deadline" ]; do
    press x
    bombs=$((bombs + 1))
    if wait_until bomb 4 burst_on_ground; then
        found=yes
        break
    fi
done
[ -n "$found" ] || fail "no burst on the ground after $bombs dropped bombs"
echo "bomb: burst seen after $bombs dropped bombs"

# 8. Escape quits at once, with success.
press Escape
game_wait 20
status=$?
[ "$status" -eq 0 ] || fail "the game ended with status $status"

# 9. Every stage, chosen from the title's list, shows its own scenery; the
# last boss is out from the start of stage 5.
for stage_n in 2 3 4 5; do
    game_start "$game_dir" || fail "the game did not open its window again"
    wait_until "story$stage_n" 20 story_shown || fail "no story screen"
    press Return
    wait_until "title$stage_n" 20 matches_canvas "$out/expect-title.png" 0.98 || fail "no title"
    press Return
    k=1
    while [ "$k" -lt "$stage_n" ]; do
        press Down
        k=$((k + 1))
    done
    wait_until "list$stage_n" 10 cursor_at "$stage_n" || fail "the cursor did not reach stage $stage_n"
    press Return
    if [ "$stage_n" = 5 ]; then
        set -- "$out"/expect-sky5-*.png
    else
        set -- "$out/expect-sky$stage_n.png"
    fi
    wait_until "stage$stage_n" 30 sky_matches "$@" || fail "stage $stage_n does not show its scenery"
    hold_flight 2
    shot "stage$stage_n-play"
    press Escape
    game_wait 20 || fail "the game did not end on Escape in stage $stage_n"
done
echo "e2e run passed; screenshots in $out"
