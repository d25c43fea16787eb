#!/bin/sh
# A build with BUILD_TESTING=OFF, as a package build configures it, must
# need none of the test tools: configured here with GoogleTest and Google
# Benchmark hidden, it must still give the three programs, and build
# nothing that uses a test tool or the assembler.
#
# usage: no_test_tools_test.sh SOURCE_DIR WORK_DIR GENERATOR CXX_COMPILER C_COMPILER
set -u
here=$(cd "$(dirname "$0")" && pwd)
. "$here/lib.sh"

source=$1
work=$2
rm -rf "$work"
cmake -S "$source" -B "$work" -G "$3" -DCMAKE_CXX_COMPILER="$4" -DCMAKE_C_COMPILER="$5" \
    -DBUILD_TESTING=OFF -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON \
    -DCMAKE_DISABLE_FIND_PACKAGE_benchmark=ON >"$work.log" 2>&1 ||
    { cat "$work.log" >&2; fail "the configure without test tools failed"; }
targets=$(cmake --build "$work" -- -t targets all | sed 's/:.*//')
for program in srcmorph/srcmorph voidscope/voidscope arcade/arcade; do
    printf '%s\n' "$targets" | grep -qx "$program" || fail "no $program target"
done
for library in libgtest libgmock libbenchmark; do
    if grep -q "$library" "$work/build.ninja"; then
        grep "$library" "$work/build.ninja" | head -n 3 >&2
        fail "the build without tests still links $library"
    fi
done
for program in CA65 LD65; do
    grep -q "^$program:" "$work/CMakeCache.txt" &&
        fail "the build without tests still looks for the assembler ($program)"
done
[ ! -e "$work/CTestTestfile.cmake" ] || fail "the build without tests still registers tests"
echo "without test tools: ok"
