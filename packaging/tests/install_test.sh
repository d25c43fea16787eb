#!/bin/sh
# `cmake --install` into a staging folder (DESTDIR), then each installed
# program run from an unrelated folder; the desktop entries and manual pages
# checked with Debian's own validators and the AppStream metainfo with
# appstreamcli, each carrying the kit's version (KIT_VERSION in the
# environment); the game started through its launcher under a private X
# server, up to its splash, and quit with Escape. A second install under
# another prefix keeps the game's layout below that prefix.
#
# usage: install_test.sh BUILD_DIR SOURCE_DIR WORK_DIR COMPONENT...
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

build=$1
source=$(cd "$2" && pwd)
work=$3
shift 3
rm -rf "$work"
mkdir -p "$work/elsewhere"
root="$work/root"

DESTDIR="$root" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
    fail "cmake --install failed (see $work/install.log)"
check_tree "$root" "$source" "$@"
version=${KIT_VERSION:?KIT_VERSION is not set}

has() {
    printf '%s\n' "$@" | grep -qx "$component"
}

# man_clean PAGE: groff has nothing to say about the page.
man_clean() {
    LC_ALL=C.UTF-8 MANROFFSEQ='' MANWIDTH=80 \
        man --warnings -E UTF-8 -l -Tutf8 -Z "$1" >/dev/null 2>"$work/man.err" ||
        fail "man cannot format $1"
    [ ! -s "$work/man.err" ] || { cat "$work/man.err" >&2; fail "man --warnings on $1"; }
}

# versioned COMPONENT PAGE: the changelog's entry and the manual page's
# footer name the kit's version.
versioned() {
    zcat "$root/usr/share/doc/$1/changelog.gz" | head -n 1 | grep -q "^$1 ($version) " ||
        fail "$1's changelog does not start with version $version"
    zcat "$2" | grep -q "^\.TH .* \"NES homebrew kit $version\" " ||
        fail "$2's footer does not name version $version"
}

for component in "$@"; do
    case $component in
    srcmorph)
        run_srcmorph "$root/usr/bin/srcmorph" "$work/elsewhere"
        man_clean "$root/usr/share/man/man1/srcmorph.1.gz"
        versioned srcmorph "$root/usr/share/man/man1/srcmorph.1.gz"
        ;;
    voidscope)
        run_report "$root/usr/bin/voidscope" \
            "$source/voidscope/tests/data/ca65-example/example.nes" "$work/elsewhere"
        page="$root/usr/share/man/man1/voidscope.1.gz"
        man_clean "$page"
        versioned voidscope "$page"
        # Bounded: a voidscope that took the option for a file would open its window.
        got=$(timeout 10 "$root/usr/bin/voidscope" --version) &&
            [ "$got" = "voidscope $version" ] ||
            fail "voidscope --version does not print 'voidscope $version' with status 0"
        # Every option the program's usage names is described in its page.
        MANWIDTH=200 man -l "$page" 2>/dev/null >"$work/voidscope.txt"
        options=$("$root/usr/bin/voidscope" --help | grep -o -- '--[a-z][a-z-]*' | sort -u)
        [ -n "$options" ] || fail "voidscope --help names no option"
        for option in $options; do
            grep -q -- "$option" "$work/voidscope.txt" ||
                fail "voidscope's manual page does not describe $option"
        done
        ;;
    arcade)
        man_clean "$root/usr/share/man/man6/arcade.6.gz"
        versioned arcade "$root/usr/share/man/man6/arcade.6.gz"
        ;;
    esac
    case $component in
    voidscope|arcade)
        id=invalid.nes_kit.$component
        desktop="$root/usr/share/applications/$id.desktop"
        metainfo="$root/usr/share/metainfo/$id.metainfo.xml"
        desktop-file-validate "$desktop" || fail "desktop-file-validate on $id.desktop"
        appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate on $id"
        grep -q "<release version=\"$version\" " "$metainfo" ||
            fail "$id's metainfo has no release $version"
        # The software centre and the menu show the same name.
        name=$(sed -n 's/^Name=//p' "$desktop")
        grep -q "^  <name>$name</name>\$" "$metainfo" ||
            fail "$id's metainfo is not named '$name' like its desktop entry"
        for size in $icon_sizes; do
            icon="$root/usr/share/icons/hicolor/${size}x${size}/apps/$component.png"
            got=$(identify -format '%wx%h' "$icon") || fail "unreadable $icon"
            [ "$got" = "${size}x$size" ] || fail "$icon is $got"
            opaque=$(convert "$icon" -alpha extract -format '%[fx:mean]' info:)
            awk -v o="$opaque" 'BEGIN { exit !(o > 0.2 && o < 1) }' ||
                fail "$icon is not a picture on a transparent ground (opaque share $opaque)"
        done
        ;;
    esac
done

if printf '%s\n' "$@" | grep -qx arcade; then
    # The arcade end-to-end helpers drive the game and judge its screen.
    . "$source/arcade/tests/xvfb-lib.sh"
    . "$source/arcade/tests/e2e-lib.sh"
    out="$work/e2e"
    mkdir -p "$out"
    rm -f "$out/checks.log"
    trap e2e_cleanup EXIT
    trap 'exit 1' INT TERM
    xvfb_start || fail "no X server"
    export ALSA_CONFIG_PATH="$source/arcade/tests/asound.conf"
    # OpenAL's own silent output: its ALSA backend spins a core on the null device.
    export ALSOFT_DRIVERS=null
    convert -size 256x240 xc:black "$root/usr/share/games/arcade/res/media/graphics/creator.png" \
        -composite "$out/expect-splash.png"
    (cd "$work/elsewhere" && exec "$root/usr/games/arcade") >"$out/arcade.log" 2>&1 &
    GAME_PID=$!
    find_window "$GAME_PID" '^arcade$' 30 ||
        fail "the installed game did not open its window (see $out/arcade.log)"
    screen_geometry
    wait_until splash 10 matches_canvas "$out/expect-splash.png" 0.98 ||
        fail "the installed game shows no splash"
    press Escape
    game_wait 20
    status=$?
    [ "$status" = 0 ] || fail "the installed game ended with status $status after Escape"

    # Any other prefix: the same layout below it, the launcher's way intact.
    other="$work/other"
    DESTDIR="$other" cmake --install "$build" --prefix /opt/kit --component arcade \
        >"$work/install-other.log" 2>&1 || fail "cmake --install --prefix /opt/kit failed"
    for f in games/arcade lib/games/arcade/arcade share/games/arcade/res/fonts/arial.ttf; do
        [ -f "$other/opt/kit/$f" ] || fail "the install under /opt/kit lacks $f"
    done
    cmp -s "$other/opt/kit/games/arcade" "$root/usr/games/arcade" ||
        fail "the launcher differs with the prefix"
fi
echo "install: ok"
