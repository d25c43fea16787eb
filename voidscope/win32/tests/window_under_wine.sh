# The real voidscope.exe window under Wine on this run's X display: its
# caption, the maps drawn, Open through the dialog with its access key,
# the watch reloading a file written over, and the close message ending the
# program with status 0. Every wait has a limit: a box left open would
# otherwise hold the run.
# Usage: sh window_under_wine.sh VOIDSCOPE_EXE WINDOW_PROBE_EXE TEST_DATA SHOT_DIR
set -u
exe=$1
probe=$2
data=$3
shots=$4
: "${KIT_WINE:?run through CTest, which sets KIT_WINE}"
DISPLAY=$(cat "$KIT_WINE_DIR/display")
export DISPLAY
mkdir -p "$shots"
work=$(mktemp -d)
pid=
finish() {
  [ -n "$pid" ] && kill "$pid" 2>/dev/null
  rm -rf "$work"
}
trap finish EXIT
fail() {
  echo "FAIL: $*"
  [ -n "$pid" ] && "$KIT_WINE" "$probe" close >/dev/null 2>&1
  exit 1
}

# shot NAME: the whole screen; the window stands at its top left.
shot() { import -window root "$shots/$1.png"; }
# count NAME R G B: how many pixels of the client area have that colour
# (the title bar's icon has the maps' green too).
count() {
  convert "$shots/$1.png" -crop "649x505+$left+$top" +repage -alpha off -fill black +opaque "rgb($2,$3,$4)" \
    -fill white -opaque "rgb($2,$3,$4)" -format '%[fx:int(mean*w*h+0.5)]' info:
}
# pixel NAME X Y: the colour at a point of the client area, as "R,G,B".
pixel() {
  convert "$shots/$1.png" -crop "1x1+$((left + $2))+$((top + $3))" -depth 8 txt:- |
    sed -n 's/.*(\([0-9]*\),\([0-9]*\),\([0-9]*\)).*/\1,\2,\3/p' | head -1
}
# until_true SECONDS COMMAND...: polls every half second.
until_true() {
  limit=$(($1 * 2)); shift
  i=0
  while ! "$@"; do
    i=$((i + 1))
    [ $i -ge $limit ] && return 1
    sleep 0.5
  done
}
window_id() { xdotool search --name '^NES Voidscope v1.0$' 2>/dev/null | head -1; }
dialog_open() { [ -n "$(xdotool search --name '^Open NES file$' 2>/dev/null | head -1)" ]; }
dialog_closed() { ! dialog_open; }

cp "$data/nes15/nes15-NTSC.nes" "$work/a.nes"
cd "$work" || exit 1
"$KIT_WINE" "$exe" >"$work/out.txt" 2>&1 &
pid=$!
"$KIT_WINE" "$probe" wait 60 || fail "no window within 60 s"
caption=$("$KIT_WINE" "$probe" caption | tr -d '\r')
[ "$caption" = "NES Voidscope v1.0" ] || fail "caption \"$caption\""
set -- $("$KIT_WINE" "$probe" client | tr -d '\r')
left=$1 top=$2
[ "$3x$4" = 649x505 ] || fail "client area $3x$4"
until_true 10 test -n "$(window_id)" || fail "X sees no window named NES Voidscope v1.0"
wid=$(window_id)
sleep 1
shot empty
[ "$(count empty 46 255 51)" -eq 0 ] || fail "maps drawn with no file"
[ "$(pixel empty 300 300)" = 255,255,255 ] || fail "the empty area is not white"

# Open, by its access key, through the dialog.
xdotool windowfocus "$wid"
xdotool key alt+o
until_true 30 dialog_open || fail "no \"Open NES file\" dialog"
sleep 1
xdotool type --delay 40 a.nes
xdotool key Return
until_true 30 dialog_closed || fail "the dialog stayed open"
sleep 1
shot opened
green=$(count opened 46 255 51)
free=$(count opened 252 252 252)
echo "opened: $green green and $free near-white pixels"
[ "$green" -gt 5000 ] && [ "$free" -gt 5000 ] || fail "no maps after Open"
# One PRG and one CHR bank: nothing at the third box's place yet.
[ "$(pixel opened 189 171)" = 255,255,255 ] || fail "a third box with one PRG and one CHR bank"

# The watch: a file written over is loaded and drawn within a few ticks.
xdotool windowfocus "$wid"
xdotool key alt+w
sleep 1.5
cp "$data/ca65-example/example.nes" "$work/a.nes"
third() { shot watched; [ "$(pixel watched 189 171)" = 252,252,252 ]; }
until_true 10 third || fail "the watch did not reload the file written over"

# The close message ends the program with status 0.
"$KIT_WINE" "$probe" close || fail "cannot post the close message"
i=0
while kill -0 "$pid" 2>/dev/null; do
  i=$((i + 1))
  [ $i -ge 40 ] && fail "still running 20 s after the close message"
  sleep 0.5
done
wait "$pid"
status=$?
pid=
[ "$status" -eq 0 ] || fail "exit status $status after the close message"
echo "window test passed; shots in $shots"
