#!/bin/sh
# The Debian packages made by cpack, read with dpkg-deb: one per program, its
# fields (the version is KIT_VERSION from the environment), its Depends on the runtime libraries, the same files as the
# program's install, stripped programs; then unpacked into a folder (never
# installed) and the programs run from there.
#
# usage: package_test.sh BUILD_DIR SOURCE_DIR WORK_DIR COMPONENT...
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

build=$1
source=$(cd "$2" && pwd)
work=$3
shift 3
rm -rf "$work"
mkdir -p "$work/elsewhere"

cpack --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed (see $work/cpack.log)"
debs=$(cd "$work/out" && ls ./*.deb | sed 's|^\./||')
[ "$(printf '%s\n' $debs | wc -l)" = $# ] || fail "cpack made $(echo $debs) for $*"

# The Debian packages that hold the libraries each program links.
runtime_packages() {
    case $1 in
    srcmorph) echo libc6 libstdc++6 ;;
    voidscope) echo libc6 libstdc++6 libqt6core6 libqt6gui6 libqt6widgets6 ;;
    arcade) echo libc6 liballegro5.2 liballegro-image5.2 liballegro-ttf5.2 \
        liballegro-audio5.2 liballegro-acodec5.2 liballegro-dialog5.2 ;;
    esac
}

for component in "$@"; do
    deb=$(printf '%s\n' $debs | grep "^${component}_") || fail "no package for $component"
    deb="$work/out/$deb"
    field() { dpkg-deb --field "$deb" "$1"; }

    [ "$(field Package)" = "$component" ] || fail "$deb: Package is $(field Package)"
    [ "$(field Version)" = "${KIT_VERSION:?}" ] || fail "$deb: Version is $(field Version)"
    [ "$(field Architecture)" = "$(dpkg --print-architecture)" ] || fail "$deb: Architecture"
    [ -n "$(field Maintainer)" ] || fail "$deb: no Maintainer"
    # A synopsis of its own, then the long text, each line indented by one space.
    description=$(field Description)
    printf '%s\n' "$description" | head -n 1 | grep -q '^[a-z].*[^.]$' ||
        fail "$deb: the Description's first line is no synopsis: $description"
    [ "$(printf '%s\n' "$description" | tail -n +2 | grep -c '^ [^ ]')" -ge 2 ] &&
        ! printf '%s\n' "$description" | tail -n +2 | grep -q '^\( \{2\}\|[^ ]\)' ||
        fail "$deb: the Description's long text is missing or misindented: $description"
    case $component in
    arcade) section=games ;;
    *) section=devel ;;
    esac
    [ "$(field Section)" = "$section" ] || fail "$deb: Section is $(field Section)"

    # Depends: every runtime library's package, each with a lower version bound.
    depends=$(field Depends | tr ',' '\n' | sed 's/^ *//')
    for p in $(runtime_packages "$component"); do
        printf '%s\n' "$depends" | grep -q "^$p (>= " ||
            fail "$deb: Depends lacks $p: $(field Depends)"
    done

    # The same files as the component's own install.
    DESTDIR="$work/install-$component" \
        cmake --install "$build" --prefix /usr --component "$component" >/dev/null ||
        fail "cmake --install --component $component failed"
    dpkg-deb -x "$deb" "$work/x-$component" || fail "dpkg-deb -x $deb"
    [ "$(files_under "$work/x-$component")" = "$(files_under "$work/install-$component")" ] ||
        fail "$deb does not hold the files its install puts in place"
    check_tree "$work/x-$component" "$source" "$component"
    listed=$(dpkg-deb --contents "$deb" | awk '$1 !~ /^d/ { print $6 }' | sed 's|^\./||' |
        LC_ALL=C sort)
    [ "$listed" = "$(files_under "$work/x-$component")" ] ||
        fail "dpkg-deb --contents of $deb lists other files than it unpacks"
    dpkg-deb --contents "$deb" | awk '{ print $2 }' | grep -qv '^root/root$' &&
        fail "$deb holds files not owned by root"

    for exe in usr/bin/srcmorph usr/bin/voidscope usr/lib/games/arcade/arcade; do
        if [ -e "$work/x-$component/$exe" ]; then
            file -L "$work/x-$component/$exe" | grep -q ', stripped' ||
                fail "$deb: $exe is not stripped"
        fi
    done

    # Unpacked, never installed: the programs run from where they lie.
    case $component in
    srcmorph)
        run_srcmorph "$work/x-$component/usr/bin/srcmorph" "$work/elsewhere"
        ;;
    voidscope)
        run_report "$work/x-$component/usr/bin/voidscope" \
            "$source/voidscope/tests/data/ca65-example/example.nes" "$work/elsewhere"
        ;;
    esac
done
echo "packages: ok"
