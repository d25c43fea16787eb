#!/bin/sh
# The real window on a virtual X server: start voidscope on the sample
# cartridge, find its window by title, take a screenshot and check that the
# bank boxes are on the screen; then View > Segments (the sample's debug file
# is read with it) and check that the segments' colours replace the green.
# Then a copy of the sample with a play log beside it that ran only half of
# PRG $00: View > Play log, and the log rewritten while the window watches.
# Last, the MMC3 image of the test data: View > Bank size > Mapper's sizes
# cuts it in 8 KB PRG and 1 KB CHR boxes.
# Usage: xvfb_window_test.sh VOIDSCOPE SAMPLE.nes WORKDIR
set -u
exe=$1 sample=$2 work=$3
shot="$work/voidscope_xvfb_shot.png"

fail() { echo "FAIL: $*" >&2; exit 1; }
xvfb=
app=
cleanup() {
  [ -n "$app" ] && kill "$app" 2>/dev/null
  [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
  wait 2>/dev/null
}
trap cleanup EXIT

# A free display of our own: -displayfd reports the number once the server
# takes clients, and a server that lost the number to another one exits, so
# the window is never looked for on someone else's server.
display=${XVFB_FIRST:-110}
ready="$work/voidscope_xvfb_ready"
while :; do
  [ "$display" -lt $((${XVFB_FIRST:-110} + 80)) ] || fail "no free X display"
  if [ ! -e "/tmp/.X11-unix/X$display" ] && [ ! -e "/tmp/.X$display-lock" ]; then
    : >"$ready"
    Xvfb ":$display" -screen 0 1024x768x24 +extension GLX +render -noreset -nolisten tcp \
      -displayfd 3 3>"$ready" >/dev/null 2>&1 &
    xvfb=$!
    tries=0
    while [ ! -s "$ready" ] && kill -0 "$xvfb" 2>/dev/null && [ $tries -lt 300 ]; do
      tries=$((tries + 1)); sleep 0.1
    done
    [ -s "$ready" ] && break
    kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; xvfb=
  fi
  display=$((display + 1))
done
rm -f "$ready"

export DISPLAY=":$display"
unset QT_QPA_PLATFORM

# start_window FILE: runs voidscope on FILE and waits for its window (in window).
start_window() {
  "$exe" "$1" &
  app=$!
  tries=0
  window=
  while [ -z "$window" ]; do
    window=$(xdotool search --pid "$app" --name '^NES Voidscope v1\.0$' 2>/dev/null | head -n 1)
    tries=$((tries + 1)); [ $tries -gt 300 ] && fail "no window titled 'NES Voidscope v1.0' for $1"
    [ -z "$window" ] && sleep 0.2
  done
}

start_window "$sample"
[ "$(xdotool getwindowname "$window")" = "NES Voidscope v1.0" ] || fail "wrong title"
# Every map pixel of the 8 PRG and 4 CHR boxes is green or near-white; a few
# more near-white pixels may come from the anti-aliased edges of the text.
# The first paint may take a while on a busy machine: look again until then.
cells=$((8 * 16384 + 4 * 8192))
count() { printf '%s\n' "$histogram" | awk -v c="$1" '$0 ~ c { gsub(":", "", $1); n += $1 } END { print n + 0 }'; }
deadline=$(($(date +%s) + 60))
while :; do
  import -window root "$shot" || fail "no screenshot"
  histogram=$(convert "$shot" -format %c histogram:info:-)
  green=$(count '#2EFF33')
  free=$(count '#FCFCFC')
  [ $((green + free)) -ge $cells ] && break
  [ "$(date +%s)" -le "$deadline" ] || break
  sleep 0.5
done
echo "green $green near-white $free"
[ "$green" -gt 50000 ] || fail "too few used-byte pixels: $green"
[ "$free" -gt 50000 ] || fail "too few free-byte pixels: $free"
[ $((green + free)) -ge $cells ] && [ $((green + free)) -lt $((cells + 2000)) ] ||
  fail "map pixels: $((green + free)), expected $cells"

# View > Segments from the keyboard: BANK0's used bytes (16256) turn the
# first segment colour, and no used byte is left green (every used byte of
# the sample lies in a segment).
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key --window "$window" alt+v
sleep 0.5
xdotool key s
tries=0
while :; do
  import -window root "$shot" || fail "no screenshot"
  histogram=$(convert "$shot" -format %c histogram:info:-)
  bank0=$(count '#1F77B4')
  green=$(count '#2EFF33')
  [ "$bank0" -ge 16256 ] && break
  tries=$((tries + 1)); [ $tries -gt 40 ] && break
  sleep 0.5
done
echo "segment view: BANK0 colour $bank0, green $green"
[ "$bank0" -ge 16256 ] && [ "$bank0" -lt 16500 ] || fail "BANK0's colour on $bank0 pixels, expected 16256 and a swatch"
[ "$green" -lt 100 ] || fail "green left in the segment view: $green"
kill "$app" 2>/dev/null
wait "$app" 2>/dev/null

# The play log: a raw log (one flag byte per PRG byte, then per CHR byte)
# whose first N bytes ran as code.
play="$work/voidscope_xvfb_play"
rm -rf "$play" && mkdir -p "$play" && cp "$sample" "$play/sample.nes" || fail "cannot copy the sample"
write_log() {
  { head -c "$1" /dev/zero | tr '\000' '\001'; head -c $((cells - $1)) /dev/zero; } >"$play/sample.cdl.new" &&
    mv "$play/sample.cdl.new" "$play/sample.cdl" || fail "cannot write the log"
}
write_log 8192
start_window "$play/sample.nes"
# Waits until the code shade covers at least $1 pixels.
code_pixels() {
  tries=0
  while :; do
    import -window root "$shot" || fail "no screenshot"
    histogram=$(convert "$shot" -format %c histogram:info:-)
    code=$(count '#17961A')
    green=$(count '#2EFF33')
    [ "$code" -ge "$1" ] && break
    tries=$((tries + 1)); [ $tries -gt 40 ] && break
    sleep 0.5
  done
}
sleep 1
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key --window "$window" alt+v
sleep 0.5
xdotool key p
# The used bytes among PRG $00's first 8192 (a few of the sample's are
# free), and the legend's swatch.
code_pixels 8000
echo "play-log view: code shade $code, green $green"
[ "$code" -ge 8000 ] && [ "$code" -le $((8192 + 81)) ] || fail "code shade on $code pixels, expected about 8192"
[ "$green" -lt 100 ] || fail "plain green left in the play-log view: $green"
cp "$shot" "$work/voidscope_xvfb_play_shot.png"

# Watch on, then the emulator writes a log that ran all of PRG $00.
xdotool key --window "$window" ctrl+shift+w
sleep 0.5
write_log 16384
code_pixels 16256
echo "after the log changed: code shade $code"
[ "$code" -ge 16256 ] && [ "$code" -le $((16384 + 81)) ] || fail "the view did not follow the log: $code"
kill "$app" 2>/dev/null
wait "$app" 2>/dev/null

# Waits until the map pixels (green and near-white) are $1, give or take
# the anti-aliased edges of the text.
map_pixels() {
  deadline=$(($(date +%s) + 60))
  while :; do
    import -window root "$shot" || fail "no screenshot"
    histogram=$(convert "$shot" -format %c histogram:info:-)
    mapped=$(($(count '#2EFF33') + $(count '#FCFCFC')))
    [ "$mapped" -ge "$1" ] && [ "$mapped" -lt $(($1 + 2000)) ] && return 0
    [ "$(date +%s)" -le "$deadline" ] || fail "map pixels: $mapped, expected $1"
    sleep 0.5
  done
}
start_window "$(dirname "$0")/data/nesdoug-mmc3/hello_mmc3.nes"
# At 649 x 505: eight 16 KB PRG boxes, and eight 8 KB CHR boxes below.
map_pixels $((8 * 16384 + 8 * 8192))
echo "MMC3 image in 16 KB and 8 KB banks: $mapped map pixels"
xdotool windowfocus --sync "$window" 2>/dev/null
xdotool key --window "$window" alt+v
sleep 0.5
xdotool key b
sleep 0.5
xdotool key m
# Two rows of eight 8 KB PRG boxes (168 pixels apart), then rows of 1 KB
# CHR boxes 56 apart: two whole rows above the bottom edge.
map_pixels $((16 * 8192 + 16 * 1024))
echo "in 8 KB and 1 KB banks: $mapped map pixels"
cp "$shot" "$work/voidscope_xvfb_bank_size_shot.png"
echo "PASS: window $window drawn on :$display"
