# Shared by the install and package tests: failing, listing a tree, and
# what each program's install must hold.

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# files_under DIR: every file and link below DIR, relative, sorted.
files_under() {
    (cd "$1" && find . \( -type f -o -type l \) | sed 's|^\./||' | LC_ALL=C sort)
}

icon_sizes="16 32 48 64 128 256"

# expected_files COMPONENT: the files the component installs under /usr,
# apart from the game's res/ tree (compared with the source tree instead).
expected_files() {
    case "$1" in
    srcmorph)
        echo usr/bin/srcmorph
        echo usr/share/man/man1/srcmorph.1.gz
        echo usr/share/doc/srcmorph/copyright
        echo usr/share/doc/srcmorph/changelog.gz
        ;;
    voidscope)
        echo usr/bin/voidscope
        echo usr/share/applications/invalid.nes_kit.voidscope.desktop
        echo usr/share/metainfo/invalid.nes_kit.voidscope.metainfo.xml
        echo usr/share/man/man1/voidscope.1.gz
        echo usr/share/doc/voidscope/copyright
        echo usr/share/doc/voidscope/changelog.gz
        ;;
    arcade)
        echo usr/games/arcade
        echo usr/lib/games/arcade/arcade
        echo usr/share/applications/invalid.nes_kit.arcade.desktop
        echo usr/share/metainfo/invalid.nes_kit.arcade.metainfo.xml
        echo usr/share/man/man6/arcade.6.gz
        echo usr/share/doc/arcade/copyright
        echo usr/share/doc/arcade/changelog.gz
        ;;
    *)
        fail "unknown component $1"
        ;;
    esac
    case "$1" in
    voidscope|arcade)
        for size in $icon_sizes; do
            echo "usr/share/icons/hicolor/${size}x${size}/apps/$1.png"
        done
        ;;
    esac
}

# check_tree ROOT SOURCE COMPONENT...: ROOT holds exactly the components'
# files, the game's res/ is the source's, and the programs are executable.
check_tree() {
    root=$1
    source=$2
    shift 2
    want=$(for c in "$@"; do expected_files "$c"; done | LC_ALL=C sort)
    if printf '%s\n' "$@" | grep -qx arcade; then
        diff -r "$source/arcade/res" "$root/usr/share/games/arcade/res" >&2 ||
            fail "the installed res/ differs from arcade/res"
    fi
    have=$(files_under "$root" | grep -v '^usr/share/games/arcade/res/')
    if [ "$have" != "$want" ]; then
        printf '%s\n' "$want" >"$root.want"
        printf '%s\n' "$have" >"$root.have"
        diff -u "$root.want" "$root.have" >&2
        fail "$root does not hold exactly the expected files (- missing, + extra)"
    fi
    for f in usr/bin/srcmorph usr/bin/voidscope usr/games/arcade usr/lib/games/arcade/arcade; do
        if [ -e "$root/$f" ] && [ ! -x "$root/$f" ]; then
            fail "$f is not executable"
        fi
    done
}

# run_srcmorph BIN DIR: converts a small source in DIR, working from DIR.
run_srcmorph() {
    printf 'table:\r\n\tlda #LOW(table)\r\n\tlda [ptr],y\r\n' >"$2/song.asm"
    (cd "$2" && "$1" song.asm) || fail "$1 song.asm exits with $?"
    grep -q 'lda #\.lobyte(table)' "$2/song.s" || fail "no ca65 copy from $1"
    grep -q 'lda (ptr),y' "$2/song_asm6.asm" || fail "no asm6 copy from $1"
}

# run_report BIN IMAGE DIR: writes the report picture of IMAGE in DIR.
run_report() {
    rm -f "$3/report.bmp"
    (cd "$3" && "$1" --report report.bmp "$2") || fail "$1 --report exits with $?"
    [ "$(head -c 2 "$3/report.bmp")" = BM ] || fail "$1 --report wrote no BMP picture"
    size=$(identify -format '%wx%h' "$3/report.bmp") || fail "unreadable report from $1"
    [ "$size" = 649x505 ] || fail "the report from $1 is $size, not 649x505"
}
