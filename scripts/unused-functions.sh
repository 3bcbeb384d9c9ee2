#!/bin/sh
# Finds the register's functions that nothing calls, and those only the tests
# call.
#
#   scripts/unused-functions.sh [build folder]     (default: build-unused)
#
# Builds everything once more in a folder of its own, unoptimised (so that no
# call is inlined away), each function in a section of its own and every
# program linked with --gc-sections: the linker then drops each function that
# nothing reachable calls. A function of namespace ulk (not ulk::test) is
# listed as
#   unused     the libraries define it, and no program, tool, bench or test
#              keeps it: remove it;
#   test only  a test keeps it, no program, tool or bench: remove it, or keep
#              it as a seam the test needs (docs/ARCHITECTURE.md).
# Exits 1 when a function is unused. Needs binutils (nm, c++filt) and the
# project's build dependencies; run it from the worktree's top folder.
set -eu

build=${1:-build-unused}
jobs=${JOBS:-4}
launcher=
command -v ccache >/dev/null && launcher=-DCMAKE_CXX_COMPILER_LAUNCHER=ccache

cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug $launcher \
      -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g0 -ffunction-sections" \
      -DCMAKE_EXE_LINKER_FLAGS="-Wl,--gc-sections" >/dev/null
cmake --build "$build" -j "$jobs" >/dev/null

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The functions of namespace ulk in the given files, one demangled name a
# line; not the library templates made for a type of ours (their names begin
# with the return type), nor lambdas, which go with their function.
functions() {
    nm --defined-only "$@" 2>/dev/null | awk '$2 ~ /^[TtWw]$/ { print $3 }' \
        | c++filt | grep -E '^ulk::[^ (]*\(' | grep -v -e '^ulk::test::' -e '{lambda' | sort -u
}

functions $(find "$build" -name 'libulk*.a' ! -name 'libulktest*') > "$work/defined"
# The program, its tools and the bench; then every test.
programs=$(find "$build" "$build/bench" -maxdepth 1 -type f -perm -u+x -name 'ulk*')
tests=$(find "$build/tests" -maxdepth 1 -type f -perm -u+x -name '*Test')
functions $programs > "$work/programs"
functions $tests > "$work/tests"
sort -u "$work/programs" "$work/tests" > "$work/kept"

comm -23 "$work/defined" "$work/kept" > "$work/unused"
# Inline functions of the headers count too: a test keeps its own copy.
comm -23 "$work/tests" "$work/programs" > "$work/testonly"

echo "Unused ($(wc -l < "$work/unused")):"
sed 's/^/  /' "$work/unused"
echo "Test only ($(wc -l < "$work/testonly")):"
sed 's/^/  /' "$work/testonly"
[ ! -s "$work/unused" ]
