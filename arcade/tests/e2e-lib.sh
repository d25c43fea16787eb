# Helpers of the end-to-end scripts: start and drive the game, take and
# judge screenshots. Sourced after xvfb-lib.sh; sets GAME_PID and WIN.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

e2e_cleanup() {
    if [ -n "${GAME_PID:-}" ] && kill -0 "$GAME_PID" 2>/dev/null; then
        kill "$GAME_PID" 2>/dev/null
        wait "$GAME_PID" 2>/dev/null
    fi
    xvfb_stop
}

# game_start DIR: runs ./arcade from DIR and waits for its display window.
game_start() {
    (cd "$1" && exec ./arcade) >"$out/arcade.log" 2>&1 &
    GAME_PID=$!
    find_window "$GAME_PID" '^arcade$' 30
}

# find_window PID NAME SECONDS: sets WIN to the process's window of that name.
find_window() {
    tries=0
    while [ "$tries" -lt $(($3 * 10)) ]; do
        WIN=$(xdotool search --all --pid "$1" --name "$2" 2>/dev/null | head -n 1)
        if [ -n "$WIN" ]; then
            # No window manager: the keyboard focus does not move by itself.
            xdotool windowfocus "$WIN" 2>/dev/null
            return 0
        fi
        kill -0 "$1" 2>/dev/null || return 1
        sleep 0.1
        tries=$((tries + 1))
    done
    return 1
}

# game_wait SECONDS: the game's exit status, or 124 when it is still running.
game_wait() {
    tries=0
    while [ "$tries" -lt $(($1 * 10)) ]; do
        if ! kill -0 "$GAME_PID" 2>/dev/null; then
            wait "$GAME_PID"
            rc=$?
            GAME_PID=
            return $rc
        fi
        sleep 0.1
        tries=$((tries + 1))
    done
    return 124
}

press() {
    xdotool key --window "$WIN" "$1"
}

# The canvas is scaled by the whole factor that the screen's height allows
# and centred: its place on the screen in SCALE, OX, OY.
screen_geometry() {
    size=$(xwininfo -root | awk '/Width:/ {w = $2} /Height:/ {h = $2} END {print w, h}')
    SCREEN_W=${size% *}
    SCREEN_H=${size#* }
    SCALE=$((SCREEN_H / 240))
    OX=$(((SCREEN_W - 256 * SCALE) / 2))
    OY=$(((SCREEN_H - 240 * SCALE) / 2))
}

# shot NAME: a screenshot, and the canvas part of it shrunk back to 256 x 240.
shot() {
    import -window root "$out/$1.png"
    shot_canvas "$1"
}

shot_canvas() {
    convert "$out/$1.png" -crop "$((256 * SCALE))x$((240 * SCALE))+$OX+$OY" +repage \
        -scale 256x240 "$out/$1.canvas.png"
}

# Each check leaves what it measured in SEEN (via seen); every try goes to
# checks.log, and the figures of the try that settled it to the output, so
# that the margins of many runs can be gathered.
seen() {
    SEEN="$2"
    echo "$1: $2" >>"$out/checks.log"
}

# wait_until NAME SECONDS CHECK ARGS...: shoots NAME until CHECK NAME ARGS holds.
wait_until() {
    name=$1
    seconds=$2
    shift 2
    check=$1
    shift
    deadline=$(($(date +%s) + seconds))
    while :; do
        shot "$name"
        SEEN=
        if "$check" "$name" "$@"; then
            echo "check $name: $SEEN"
            return 0
        fi
        [ "$(date +%s)" -le "$deadline" ] || break
        sleep 0.1
    done
    echo "check $name failed: $SEEN"
    return 1
}

# check_shot NAME CHECK ARGS...: CHECK on the shot NAME already taken, once.
check_shot() {
    shot_name=$1
    shot_check=$2
    shift 2
    SEEN=
    if "$shot_check" "$shot_name" "$@"; then
        echo "check $shot_name: $SEEN"
        return 0
    fi
    echo "check $shot_name failed: $SEEN"
    return 1
}

# Normalised cross-correlation of two pictures: 1 when one is the other
# brightened or darkened (a fade, the filter), near 0 when unrelated.
ncc() {
    compare -metric NCC "$1" "$2" null: 2>&1
}

more_than() {
    awk -v a="$1" -v b="$2" 'BEGIN { exit !(a > b) }'
}

# screen_full PICTURE FILTER RESULT: a 256 x 240 canvas picture as the game
# shows it: scaled up by the whole factor, under its translucent filter.
# The game draws both without smoothing, so the pixels that nothing covers
# come out the same as on the screen.
screen_full() {
    size="$((256 * SCALE))x$((240 * SCALE))"
    convert "$1" -sample "$size" \
        \( "$2" -sample "$size" -channel A -evaluate multiply 0.25 +channel \) \
        -composite "$3"
}

# screen_of PICTURE FILTER RESULT: the same shrunk back, as shot's canvas is.
screen_of() {
    screen_full "$1" "$2" "$3"
    convert "$3" -scale 256x240 "$3"
}

# same_share NAME PICTURE X Y W H: the share of the shot's canvas pixels in
# that part that are what PICTURE (a shot or a screen_of picture) has
# there. Actors cover a few hundred of the tens of thousands; an unrelated
# or darkened screen leaves next to none the same.
same_share() {
    convert "$out/$1.canvas.png" -crop "$5x$6+$3+$4" +repage "$out/$1.part.png"
    convert "$2" -crop "$5x$6+$3+$4" +repage "$out/$1.expect-part.png"
    d=$(compare -metric AE -fuzz 3% "$out/$1.part.png" "$out/$1.expect-part.png" null: 2>&1)
    awk -v d="${d%% *}" -v n="$(($5 * $6))" 'BEGIN { printf "%.4f\n", 1 - d / n }'
}

# matches_canvas NAME EXPECTED MIN: the shot's canvas looks like EXPECTED.
# For screens without actors, where a fade-in only darkens the picture.
matches_canvas() {
    c=$(ncc "$out/$1.canvas.png" "$2")
    seen "$1" "correlation $c with $(basename "$2") (needs > $3)"
    more_than "$c" "$3"
}

not_matching() {
    c=$(ncc "$out/$1.canvas.png" "$2")
    seen "$1" "correlation $c with $(basename "$2") (needs < $3)"
    more_than "$3" "$c"
}

# matches_play NAME EXPECTED MIN: at least the share MIN of the play scene
# below the 16-pixel status bar is the bare backdrop EXPECTED (a screen_of
# picture): the actors over it are left out of the comparison.
matches_play() {
    s=$(same_share "$1" "$2" 0 16 256 224)
    seen "$1" "backdrop share $s of the play scene (needs > $3)"
    more_than "$s" "$3"
}

# like_shot NAME OTHER MIN: the play scene of NAME is OTHER's but for at
# least the share MIN (the actors that moved in between).
like_shot() {
    s=$(same_share "$1" "$out/$2.canvas.png" 0 16 256 224)
    seen "$1" "share $s of the play scene as in $2 (needs > $3)"
    more_than "$s" "$3"
}

# Brightest value (0 to 1) of a part of the canvas: X Y W H in canvas pixels.
canvas_max() {
    convert "$out/$1.canvas.png" -crop "$4x$5+$2+$3" +repage -format '%[fx:maxima]' info:
}

# Share of near-white pixels in a part of the full-size screenshot.
white_share() {
    convert "$out/$1.png" -crop "$(($4 * SCALE))x$(($5 * SCALE))+$((OX + $2 * SCALE))+$((OY + $3 * SCALE))" \
        +repage -colorspace gray -threshold 85% -format '%[fx:mean]' info:
}

borders_black() {
    left=$(convert "$out/$1.png" -crop "${OX}x${SCREEN_H}+0+0" -format '%[fx:maxima]' info:)
    right=$(convert "$out/$1.png" -crop "${OX}x${SCREEN_H}+$((OX + 256 * SCALE))+0" \
        -format '%[fx:maxima]' info:)
    seen "$1" "border maxima $left and $right (needs 0)"
    [ "$left" = 0 ] && [ "$right" = 0 ]
}

# The story: white lines on black, its heading at the top of the canvas.
story_shown() {
    heading=$(canvas_max "$1" 0 2 256 14)
    mean=$(convert "$out/$1.canvas.png" -format '%[fx:mean]' info:)
    seen "$1" "heading maximum $heading (needs > 0.6), mean $mean (needs < 0.15)"
    more_than "$heading" 0.6 && more_than 0.15 "$mean"
}

# top_lit_box PICTURE X Y: the lit part of the canvas's top 118 rows, the
# canvas standing at (X, Y) of the screen-sized PICTURE, as W H +X +Y from
# the canvas corner. The part is brightened to its full range first, so that
# a fading picture gives the same box.
top_lit_box() {
    box=$(convert "$1" -crop "$((256 * SCALE))x$((118 * SCALE))+$2+$3" +repage -auto-level \
        -bordercolor black -border 1 -fuzz 15% -trim -format '%w %h %X %Y' info: 2>/dev/null)
    echo "${box:-0 0 +0 +0}"
}

# card_placed NAME EXPECTED: the card's lit part is where it is in EXPECTED,
# a screen_full picture of the card alone centred on (128, 96).
card_placed() {
    set -- "$1" $(top_lit_box "$2" 0 0) $(top_lit_box "$out/$1.png" "$OX" "$OY")
    seen "$1" "card expected $2x$3+${4#+}+${5#+}, seen $6x$7+${8#+}+${9#+} (each within 4)"
    near "$6" "$2" && near "$7" "$3" && near "${8#+}" "${4#+}" && near "${9#+}" "${5#+}"
}

near() {
    d=$(($1 - $2))
    [ "$d" -le 4 ] && [ "$d" -ge -4 ]
}

# cursor_at NAME ROW: the list's cursor is lit on row ROW (1 to 5) alone.
cursor_at() {
    shares=
    verdict=0
    for row in 1 2 3 4 5; do
        lit=$(white_share "$1" 97 $((131 + 12 * (row - 1))) 7 11)
        shares="$shares $lit"
        if [ "$row" = "$2" ]; then
            more_than "$lit" 0.05 || verdict=1
        else
            more_than 0.01 "$lit" || verdict=1
        fi
    done
    seen "$1" "cursor white shares$shares (row $2 needs > 0.05, the others < 0.01)"
    return $verdict
}

# list_shown NAME TITLE: the stage list, whiter than the title without it,
# with the cursor on stage 1.
list_shown() {
    list_white=$(white_share "$1" 98 130 60 62)
    title_white=$(white_share "$2" 98 130 60 62)
    more_than "$list_white" "$(awk -v a="$title_white" 'BEGIN { print a + 0.05 }')"
    list_verdict=$?
    cursor_at "$1" 1 || list_verdict=1
    seen "$1" "list white share $list_white (needs > $title_white + 0.05), $SEEN"
    return $list_verdict
}

# The status bar: a dark band with white text over the top 16 canvas rows.
hud_band() {
    text=$(white_share "$1" 0 0 100 16)
    seen "$1" "status bar white share $text (needs > 0.03)"
    more_than "$text" 0.03
}

same_picture() {
    d=$(compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1)
    [ "${d%% *}" = 0 ]
}

# still_a_second NAME LATER: the shot LATER, taken a second after NAME, is
# the same picture.
still_a_second() {
    sleep 1
    shot "$2"
    if same_picture "$1" "$2"; then
        seen "$1" "the same a second later"
        return 0
    fi
    seen "$1" "changed within a second"
    return 1
}

# moved NAME OTHER: the shot differs from the shot OTHER.
moved() {
    if same_picture "$1" "$2"; then
        seen "$1" "the same as $2"
        return 1
    fi
    seen "$1" "differs from $2"
}

# count_pixels NAME X Y W H RULE: canvas pixels of a part whose colour meets
# RULE, an awk test on r, g and b (the filter darkens every colour a little).
count_pixels() {
    convert "$out/$1.canvas.png" -crop "$4x$5+$2+$3" +repage txt:- |
        sed -n '2,$ s/[(),:]/ /gp' |
        awk "{ r = \$3; g = \$4; b = \$5; if ($6) n++ } END { print n + 0 }"
}

# Leaves of the first group: green in the sky above the hills.
leaves_in_sky() {
    n=$(count_pixels "$1" 0 16 256 84 'g > r + 40 && g > b + 40')
    seen "$1" "$n green pixels in the sky (needs > 30)"
    [ "$n" -gt 30 ]
}

# A burst of a shot or bomb: near-white on the ground strip, where stage 1
# has nothing lighter than its grey stones.
burst_on_ground() {
    n=$(count_pixels "$1" 0 196 256 44 'r > 215 && g > 215 && b > 215')
    seen "$1" "$n white pixels on the ground (needs > 4)"
    [ "$n" -gt 4 ]
}

# The status bar: the score at the left, the stage in the middle, and
# HEARTS hearts (red) at the right.
status_bar_shows() {
    score=$(count_pixels "$1" 0 2 98 11 'r > 200 && g > 200 && b > 200')
    stage_text=$(count_pixels "$1" 104 2 50 11 'r > 200 && g > 200 && b > 200')
    hearts=$(count_pixels "$1" 130 1 126 12 'r > g + 60 && r > b + 60')
    seen "$1" "score ink $score (needs > 150), stage ink $stage_text (needs > 40), heart pixels $hearts (needs $(($2 * 45)) to $(($2 * 75 + 45)))"
    # Nine digits and the label; the label and a digit; about 60 red pixels a heart.
    [ "$score" -gt 150 ] && [ "$stage_text" -gt 40 ] &&
        [ "$hearts" -gt $(($2 * 45)) ] && [ "$hearts" -lt $(($2 * 75 + 45)) ]
}

# hold_flight SECONDS: hovers with short Up pulses and throws now and then.
hold_flight() {
    end=$(($(date +%s) + $1))
    i=0
    while [ "$(date +%s)" -lt "$end" ]; do
        xdotool keydown --window "$WIN" Up
        sleep 0.06
        xdotool keyup --window "$WIN" Up
        i=$((i + 1))
        [ $((i % 3)) = 0 ] && press z
        sleep 0.12
    done
}

# sky_matches NAME SCREEN...: the stage's scenery in the sky part of the
# canvas (rows 16 to 120, where the stage-4 clouds do not reach), against
# the stage's backdrop as screen_of gives it; stage 5's scrolls, so its best
# match over one screen per offset counts.
sky_matches() {
    sky_shot=$1
    shift
    best=0
    for screen in "$@"; do
        s=$(same_share "$sky_shot" "$screen" 0 16 256 104)
        more_than "$s" "$best" && best=$s
    done
    seen "$sky_shot" "backdrop share $best of the sky (needs > 0.9)"
    more_than "$best" 0.9
}
