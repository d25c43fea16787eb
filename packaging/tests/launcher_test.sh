#!/bin/sh
# The game's launcher on a stand-in game laid out as installed, under a
# folder whose name has a space: it must start the game from the folder that
# holds res/, pass every argument unchanged, replace itself by the game (so
# signals and the exit status are the game's), and also work through a link
# and through PATH.
#
# usage: launcher_test.sh LAUNCHER WORK_DIR
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

launcher=$1
work=$2
rm -rf "$work"
tree="$work/staged tree/usr"
mkdir -p "$tree/games" "$tree/lib/games/arcade" "$tree/share/games/arcade/res" \
    "$work/elsewhere" "$work/links"
cp "$launcher" "$tree/games/arcade"
chmod +x "$tree/games/arcade"
cat >"$tree/lib/games/arcade/arcade" <<'GAME'
#!/bin/sh
{
    echo "pid $$"
    echo "cwd $(pwd -P)"
    echo "argc $#"
    for a in "$@"; do echo "arg [$a]"; done
} >"$GAME_REPORT"
exit 7
GAME
chmod +x "$tree/lib/games/arcade/arcade"
ln -s "$tree/games/arcade" "$work/links/arcade"
data=$(cd "$tree/share/games/arcade" && pwd -P)

# expect HOW PID: the stand-in ran in share/games/arcade as PID, with the arguments.
expect() {
    report=$work/report
    grep -qx "pid $2" "$report" || fail "$1: the launcher did not exec the game"
    grep -qx "cwd $data" "$report" || fail "$1: the game did not start in $data"
    grep -qx "argc 3" "$report" || fail "$1: arguments lost"
    [ "$(grep '^arg \[' "$report")" = "$(printf 'arg [a b]\narg []\narg [-x]')" ] ||
        fail "$1: arguments changed"
}

export GAME_REPORT="$work/report"
for how in direct link path; do
    rm -f "$GAME_REPORT"
    case $how in
    direct) (cd "$work/elsewhere" && exec "$tree/games/arcade" "a b" "" -x) & ;;
    link) (cd "$work/elsewhere" && exec "$work/links/arcade" "a b" "" -x) & ;;
    path) (cd "$work/elsewhere" && PATH="$work/links:$PATH" exec arcade "a b" "" -x) & ;;
    esac
    pid=$!
    wait "$pid"
    status=$?
    [ "$status" = 7 ] || fail "$how: exit status $status, not the game's 7"
    expect "$how" "$pid"
done

# Without its data folder the game is not started and the launcher fails.
rm -rf "$tree/share/games/arcade"
rm -f "$GAME_REPORT"
(cd "$work/elsewhere" && "$tree/games/arcade") 2>"$work/stderr"
status=$?
[ "$status" != 0 ] || fail "no data folder, yet exit status 0"
[ ! -e "$GAME_REPORT" ] || fail "no data folder, yet the game was started"
[ -s "$work/stderr" ] || fail "no data folder, yet no message"
echo "launcher: ok"
