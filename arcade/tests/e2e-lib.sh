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
    find_window "$GAME_PID" '^arcade$' 10
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
    convert "$out/$1.png" -crop "$((256 * SCALE))x$((240 * SCALE))+$OX+$OY" +repage \
        -scale 256x240 "$out/$1.canvas.png"
}

# wait_until NAME SECONDS CHECK ARGS...: shoots NAME until CHECK NAME ARGS holds.
wait_until() {
    name=$1
    seconds=$2
    shift 2
    check=$1
    shift
    deadline=$(($(date +%s) + seconds))
    while [ "$(date +%s)" -le "$deadline" ]; do
        shot "$name"
        if "$check" "$name" "$@"; then
            return 0
        fi
        sleep 0.1
    done
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

sum() {
    awk -v a="$1" -v b="$2" 'BEGIN { print a + b }'
}

# matches_canvas NAME EXPECTED MIN: the shot's canvas looks like EXPECTED.
matches_canvas() {
    c=$(ncc "$out/$1.canvas.png" "$2")
    echo "$1: correlation $c with $(basename "$2")" >>"$out/checks.log"
    more_than "$c" "$3"
}

not_matching() {
    c=$(ncc "$out/$1.canvas.png" "$2")
    echo "$1: correlation $c with $(basename "$2")" >>"$out/checks.log"
    more_than "$3" "$c"
}

# The play scene below the 16-pixel status bar.
matches_play() {
    convert "$out/$1.canvas.png" -crop 256x224+0+16 +repage "$out/$1.field.png"
    c=$(ncc "$out/$1.field.png" "$2")
    echo "$1: correlation $c with $(basename "$2")" >>"$out/checks.log"
    more_than "$c" "$3"
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
    [ "$left" = 0 ] && [ "$right" = 0 ]
}

# The story: white lines on black, its heading at the top of the canvas.
story_shown() {
    heading=$(canvas_max "$1" 0 2 256 14)
    mean=$(convert "$out/$1.canvas.png" -format '%[fx:mean]' info:)
    more_than "$heading" 0.6 && more_than 0.15 "$mean"
}

# The card's lit part, found on the screen, against where the picture's own
# lit part must land when the card is centred on (128, 96).
card_placed() {
    set -- "$1" "$2" $(identify -format '%w %h' "$2")
    tw=$3
    th=$4
    lit=$(convert "$2" -bordercolor black -border 1 -fuzz 15% -trim -format '%w %h %X %Y' info:)
    set -- "$1" $lit
    ex=$((OX + (128 - tw / 2 + ${4#+} - 1) * SCALE))
    ey=$((OY + (96 - th / 2 + ${5#+} - 1) * SCALE))
    ew=$(($2 * SCALE))
    eh=$(($3 * SCALE))
    seen=$(convert "$out/$1.png" -crop "$((256 * SCALE))x$((118 * SCALE))+$OX+$OY" +repage \
        -bordercolor black -border 1 -fuzz 15% -trim -format '%w %h %X %Y' info: 2>/dev/null)
    set -- $seen
    sx=$((OX + ${3#+} - 1))
    sy=$((OY + ${4#+} - 1))
    echo "card: expected ${ew}x${eh}+$ex+$ey, seen ${1}x${2}+$sx+$sy" >"$out/card.txt"
    near "$sx" "$ex" && near "$sy" "$ey" && near "$1" "$ew" && near "$2" "$eh"
}

near() {
    d=$(($1 - $2))
    [ "$d" -le 4 ] && [ "$d" -ge -4 ]
}

# cursor_at NAME ROW: the list's cursor is lit on row ROW (1 to 5) alone.
cursor_at() {
    for row in 1 2 3 4 5; do
        lit=$(white_share "$1" 97 $((131 + 12 * (row - 1))) 7 11)
        echo "$1: cursor row $row white share $lit" >>"$out/checks.log"
        if [ "$row" = "$2" ]; then
            more_than "$lit" 0.05 || return 1
        else
            more_than 0.01 "$lit" || return 1
        fi
    done
}

# The status bar: a dark band with white text over the top 16 canvas rows.
hud_band() {
    text=$(white_share "$1" 0 0 100 16)
    more_than "$text" 0.03
}

same_picture() {
    d=$(compare -metric AE "$out/$1.png" "$out/$2.png" null: 2>&1)
    [ "$d" = 0 ]
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
    echo "$1: $n green pixels in the sky" >>"$out/checks.log"
    [ "$n" -gt 30 ]
}

# A burst of a shot or bomb: near-white on the ground strip, where stage 1
# has nothing lighter than its grey stones.
burst_on_ground() {
    n=$(count_pixels "$1" 0 196 256 44 'r > 215 && g > 215 && b > 215')
    echo "$1: $n white pixels on the ground" >>"$out/checks.log"
    [ "$n" -gt 4 ]
}

# The status bar: the score at the left, the stage in the middle, and
# HEARTS hearts (red) at the right.
status_bar_shows() {
    score=$(count_pixels "$1" 0 2 98 11 'r > 200 && g > 200 && b > 200')
    stage_text=$(count_pixels "$1" 104 2 50 11 'r > 200 && g > 200 && b > 200')
    hearts=$(count_pixels "$1" 130 1 126 12 'r > g + 60 && r > b + 60')
    echo "$1: score ink $score, stage ink $stage_text, heart pixels $hearts" >>"$out/checks.log"
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

# The stage's scenery in the sky part of the canvas (rows 16 to 120), where
# the stage-4 clouds do not reach; stage 5's scrolls and repeats every 16
# pixels, so its best match over the 16 offsets counts.
sky_matches() {
    convert "$out/$1.canvas.png" -crop 256x104+0+16 +repage "$out/$1.sky.png"
    best=0
    for dx in $3; do
        convert "$2" -roll "+$dx+0" -crop 256x104+0+16 +repage "$out/$1.expect-sky.png"
        c=$(ncc "$out/$1.sky.png" "$out/$1.expect-sky.png")
        more_than "$c" "$best" && best=$c
    done
    echo "$1: sky correlation $best with $(basename "$2")" >>"$out/checks.log"
    more_than "$best" 0.9
}
