# srcmorph.exe under Wine against the Linux srcmorph: for each case, both run
# in a folder of the same files; the exit statuses, the printed lines (the
# Windows runtime ends them in CR LF) and every file left must be the same.
# Usage: sh windows_compare.sh LINUX_SRCMORPH WINDOWS_SRCMORPH TEST_DATA
set -u
# Absolute, as each case runs in a folder of its own.
absolute() { echo "$(cd "$(dirname "$1")" && pwd)/$(basename "$1")"; }
linux=$(absolute "$1")
windows=$(absolute "$2")
data=$(absolute "$3")
if [ ! -x "$linux" ]; then
  echo "no Linux srcmorph at $linux: build it first (cmake --build build/default --target srcmorph)"
  exit 1
fi
: "${KIT_WINE:?run through CTest, which sets KIT_WINE}"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failures=0
cases=0

# prepare_NAME DIR: the files a case starts from.
prepare_driver() { cp "$data/tbdrv.asm" "$1/tbdrv.asm"; }
prepare_non_ascii() { cp "$data/tbdrv.asm" "$1/ロム.asm"; }
prepare_sub_folder() { mkdir "$1/sub"; cp "$data/tbdrv.asm" "$1/sub/drv.inc"; }
prepare_empty() { : >"$1/e.asm"; }
prepare_replace() {
  printf 'x\r\n\tlda [ptr],y\n' >"$1/song.asm"
  printf 'an older, longer copy' >"$1/song.s"
  printf 'an older, longer copy' >"$1/song_asm6.asm"
}
prepare_blocked_ca65() { cp "$data/tbdrv.asm" "$1/song.asm"; mkdir "$1/song.s"; }
prepare_blocked_asm6() { cp "$data/tbdrv.asm" "$1/song.asm"; mkdir "$1/song_asm6.asm"; }
prepare_folder_input() { mkdir "$1/dir.asm"; }
prepare_nothing() { :; }

# check NAME PREPARE ARGS...: runs both programs on a fresh copy of the files.
check() {
  name=$1; prepare=$2; shift 2
  cases=$((cases + 1))
  mkdir "$work/$name" "$work/$name/linux" "$work/$name/windows"
  "prepare_$prepare" "$work/$name/linux"
  "prepare_$prepare" "$work/$name/windows"
  (cd "$work/$name/linux" && "$linux" "$@" >../linux.out 2>../linux.err)
  linux_status=$?
  (cd "$work/$name/windows" && "$KIT_WINE" "$windows" "$@" >../windows.out 2>../windows.err)
  windows_status=$?
  tr -d '\r' <"$work/$name/windows.out" >"$work/$name/windows.lines"
  bad=""
  [ "$linux_status" = "$windows_status" ] ||
    bad="$bad; exit status $linux_status on Linux, $windows_status on Windows"
  cmp -s "$work/$name/linux.out" "$work/$name/windows.lines" ||
    bad="$bad; printed lines differ: $(diff "$work/$name/linux.out" "$work/$name/windows.lines" | tr '\n' ' ')"
  [ ! -s "$work/$name/windows.err" ] || bad="$bad; Windows wrote to standard error: $(cat "$work/$name/windows.err")"
  diff -r "$work/$name/linux" "$work/$name/windows" >"$work/$name/files.diff" 2>&1 ||
    bad="$bad; files differ: $(cat "$work/$name/files.diff")"
  if [ -n "$bad" ]; then
    echo "FAIL $name${bad}"
    failures=$((failures + 1))
  else
    echo "ok   $name (status $linux_status)"
  fi
}

long=$(printf '%01020d' 0 | tr 0 a).asm
check usage nothing
check driver driver tbdrv.asm
check non_ascii_name non_ascii ロム.asm
check further_arguments_ignored driver tbdrv.asm more args
check sub_folder sub_folder sub/drv.inc
check empty_input empty e.asm
check replaces_outputs replace song.asm
check missing_input nothing nothere.asm
check non_ascii_missing nothing ロム.asm
check no_extension driver tbdrv
check path_too_long nothing "$long"
check folder_as_input folder_input dir.asm
check ca65_copy_blocked blocked_ca65 song.asm
check asm6_copy_blocked blocked_asm6 song.asm

echo "$((cases - failures)) passed, $failures failed"
[ "$failures" -eq 0 ]
