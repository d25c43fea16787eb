# voidscope.exe under Wine against the Linux voidscope: for each case both
# run in a folder of the same files, with the same relative names. Exit
# statuses, standard output (byte for byte: the Windows program writes
# redirected output in binary) and the lines of standard error must be the
# same; for --report the map bands of the two pictures (everything but the
# texts, which each platform draws in its own font) must be the same pixels.
# Usage: sh compare_with_linux.sh LINUX_VOIDSCOPE WINDOWS_VOIDSCOPE TEST_DATA SAMPLE_DIR
set -u
linux=$1
windows=$2
data=$3
sample=$4
if [ ! -x "$linux" ] || [ ! -f "$sample/sample.nes" ]; then
  echo "no Linux voidscope at $linux or no sample in $sample:" \
    "build them first (cmake --build build/default --target voidscope voidscope_sample)"
  exit 1
fi
: "${KIT_WINE:?run through CTest, which sets KIT_WINE}"

# Header figures of an image.
prg_count() { od -An -j4 -N1 -tu1 "$1" | tr -d ' '; }
chr_count() { od -An -j5 -N1 -tu1 "$1" | tr -d ' '; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir "$work/files"
# Every image, under a short name of its own, and the sample with its
# linker's debug file.
for image in "$data"/*/*.nes; do cp "$image" "$work/files/$(basename "$image")"; done
cp "$sample/sample.nes" "$sample/sample.dbg" "$work/files/"
# A play log for each image: the image's own bytes after the header serve
# as flags (every flag value comes up), raw layout, one byte per ROM byte.
for image in "$work"/files/*.nes; do
  size=$(($(prg_count "$image") * 16384 + $(chr_count "$image") * 8192))
  tail -c +17 "$image" | head -c "$size" >"${image%.nes}.cdl"
done
# A name beyond ASCII.
cp "$work/files/sample.nes" "$work/files/ロム.nes"

failures=0
cases=0

# The bands of a report at width 649 that hold frames and cells only: for
# each row of boxes, from its frames' top to the bottom of its tallest box.
# (The same flow as the window's: eight boxes to a row, the step 296 for a
# row that holds PRG banks and 168 after.)
bands() {
  awk -v prg="$1" -v chr="$2" -v top="$3" 'BEGIN {
    x = 10; y = top; step = 296; rowEnd = 0
    for (j = 0; j < prg + chr; j++) {
      h = (j < prg) ? 258 : 130
      if (y + 20 + h > rowEnd) rowEnd = y + 20 + h
      x += 74
      if (x + 74 >= 649 || j == prg + chr - 1) {
        printf "%d %d\n", y + 20, rowEnd
        rowEnd = 0
      }
      if (x + 74 >= 649) {
        x = 10; y += step
        if (j >= prg - 1) step = 168
      }
    }
  }'
}


# check NAME IMAGE TOP ARGS...: runs both programs in a copy of the files.
# IMAGE and TOP (the first row of labels) are for comparing the report's
# bands when the arguments ask for report.bmp; "-" otherwise.
check() {
  name=$1; image=$2; top=$3; shift 3
  cases=$((cases + 1))
  dir=$work/$name
  mkdir "$dir"
  cp -r "$work/files" "$dir/linux"
  cp -r "$work/files" "$dir/windows"
  (cd "$dir/linux" && "$linux" "$@" >../linux.out 2>../linux.err)
  linux_status=$?
  (cd "$dir/windows" && "$KIT_WINE" "$windows" "$@" >../windows.out 2>../windows.err)
  windows_status=$?
  # Seen once in many runs: Wine ended the program with status 1 before it
  # wrote a byte, where Linux had something to say (the program says why
  # whenever it has anywhere to write). Say so and run the case once more:
  # a program that always fails so still fails the test.
  if [ "$windows_status" = 1 ] && [ ! -s "$dir/windows.out" ] && [ ! -s "$dir/windows.err" ] &&
     { [ -s "$dir/linux.out" ] || [ -s "$dir/linux.err" ]; }; then
    echo "note: $name: status 1 and no output under Wine; running it again"
    (cd "$dir/windows" && "$KIT_WINE" "$windows" "$@" >../windows.out 2>../windows.err)
    windows_status=$?
  fi
  tr -d '\r' <"$dir/windows.err" >"$dir/windows.errlines"
  bad=""
  [ "$linux_status" = "$windows_status" ] ||
    bad="$bad; exit status $linux_status on Linux, $windows_status on Windows"
  cmp -s "$dir/linux.out" "$dir/windows.out" || bad="$bad; standard output differs"
  cmp -s "$dir/linux.err" "$dir/windows.errlines" || bad="$bad; standard error differs"
  if [ "$image" != - ]; then
    if [ ! -f "$dir/linux/report.bmp" ] || [ ! -f "$dir/windows/report.bmp" ]; then
      bad="$bad; a report is missing"
    else
      [ "$(identify -format '%wx%h' "$dir/windows/report.bmp")" = 649x505 ] || bad="$bad; the report is not 649x505"
      bands "$(prg_count "$work/files/$image")" "$(chr_count "$work/files/$image")" "$top" >"$dir/bands"
      while read -r from to; do
        [ "$from" -ge 505 ] && break
        [ "$to" -gt 505 ] && to=505
        for side in linux windows; do
          convert "$dir/$side/report.bmp" -crop "649x$((to - from))+0+$from" +repage rgb:"$dir/$side.band"
        done
        cmp -s "$dir/linux.band" "$dir/windows.band" || bad="$bad; the maps in rows $from to $to differ"
      done <"$dir/bands"
    fi
  fi
  if [ -n "$bad" ]; then
    failures=$((failures + 1))
    echo "FAIL $name (voidscope $*)${bad}"
    for f in linux.out windows.out linux.err windows.errlines; do
      echo "--- $f"
      head -20 "$dir/$f"
    done
  fi
}

# Each case runs both programs once: the summary and the report together,
# as a build script may ask, so that every image is seen in each form.
for path in "$work"/files/*.nes; do
  image=$(basename "$path")
  base=${image%.nes}
  case $image in
    ロム.nes) continue ;;
    efp.nes) # no CHR bank: shorter than any image may be, refused by both
      check "$base" - - --summary "$image"
      continue ;;
  esac
  check "$base-text-play" "$image" 68 --summary --report report.bmp --cdl "$base.cdl" --play "$image"
  check "$base-json" "$image" 50 --summary --json --report report.bmp "$image"
done
check graph-fail-below - - --summary --graph --fail-below 16384 example.nes
check non-ascii-name - - --summary --json ロム.nes
check sample-dbg-against - - --summary --dbg sample.dbg --against example.nes sample.nes
check sample-dbg-json-segments - - --summary --json --report report.bmp --dbg sample.dbg --segments \
  --cdl sample.cdl sample.nes
check missing - - --summary missing.nes
check wrong-dbg - - --summary --dbg example.cdl sample.nes
check report-unwritable - - --report no-such-folder/r.bmp sample.nes
check usage - - --summary
check help - - --help
check version - - --version

echo "$cases cases, $failures failed"
[ "$failures" -eq 0 ]
