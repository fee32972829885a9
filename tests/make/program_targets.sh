#!/bin/sh
# What `make run`, `make install` and `make deb` build, read from make's own dry runs: the program,
# its manual and its icons, and no test or benchmark. `make test` still builds everything.
# Usage: program_targets.sh SOURCE_DIR BUILD_DIR
set -u
source_dir=$1
build_dir=$2
failures=0

fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# The `cmake --build` line that `make GOAL` at the top of the tree would run.
build_line() {
    make --no-print-directory -n -C "$source_dir" BUILD="$build_dir" "$1" 2>&1 | grep -m 1 '^cmake --build'
}

for goal in run install deb; do
    line=$(build_line "$goal")
    case "$line" in
    *--target*) ;;
    *)
        fail "make $goal builds everything: $line"
        continue
        ;;
    esac
    targets=${line##*--target }
    # Every command that building those targets would run, up to date or not.
    commands=$(make --no-print-directory -n -B -C "$build_dir" $targets 2>&1)
    for needed in 'CMakeFiles/Cartavox.dir' 'Guida.pdf' 'icons/48x48/cartavox.png' 'unins000.dll'; do
        echo "$commands" | grep -q "$needed" || fail "make $goal does not build $needed"
    done
    for unwanted in 'tests/CMakeFiles/tst_' 'bench/CMakeFiles/bench_' 'cartavox-gallery'; do
        echo "$commands" | grep -q "$unwanted" && fail "make $goal builds $unwanted"
    done
done

line=$(build_line test)
case "$line" in
*--target*) fail "make test builds only some targets: $line" ;;
'') fail "make test builds nothing" ;;
esac

if [ "$failures" -eq 0 ]; then
    echo "make run, install and deb build the program alone; make test builds everything"
fi
[ "$failures" -eq 0 ]
