#!/bin/sh
# Finds the register's functions that nothing calls, and those only the tests
# call.
#
#   scripts/unused-functions.sh [build folder]       (default: build-unused)
#   scripts/unused-functions.sh --quick BUILD        (an existing build; ctest runs it)
#
# A function of namespace ulk (not ulk::test) is listed as
#   unused     the libraries define it, and no program, tool, bench or test
#              keeps it: remove it;
#   test only  a test keeps it, no program, tool or bench: remove it, or keep
#              it as a seam the test needs (docs/ARCHITECTURE.md).
#
# The full check builds everything once more in a folder of its own,
# unoptimised (so that no call is inlined away), each function in a section
# of its own and every program linked with --gc-sections: the linker then
# drops each function that nothing reachable calls, also one that only
# another unused function calls.
#
# The quick check reads the objects of a build made anyway, in seconds: a
# function is kept when an object refers to it (a call, a virtual table, an
# address taken) or when its name appears again in its own source file (a
# call the optimiser inlined). A function kept only by another unused one
# passes it; the full check finds that.
#
# Both check the functions defined in the headers of src/ too: an inline
# function that nothing calls is never compiled, so one whose name appears
# nowhere but at its definition (comments left out) is unused.
#
# Exits 1 when a function is unused. Needs binutils (nm, readelf, c++filt)
# and, for the full check, the project's build dependencies; run it from the
# worktree's top folder.
set -eu

cd "$(dirname "$0")/.."
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The functions of namespace ulk among the symbols on stdin (one a line,
# perhaps followed by a tab and more), demangled; not the library templates
# made for a type of ours (their names begin with the return type), nor
# lambdas, which go with their function.
ulkFunctions() {
    c++filt | grep -E '^ulk::[^ (]*\(' | grep -v -e '^ulk::test::' -e '{lambda'
}

# How often each word of the code in the given folders occurs, comments left out.
words() {
    find "$@" \( -name '*.h' -o -name '*.cpp' \) -exec sed -e 's://.*$::' {} + \
        | grep -oE '[A-Za-z_][A-Za-z0-9_]*' | sort | uniq -c | awk '{ print $2, $1 }'
}

# The inline functions of src/ whose name appears nowhere else (added to the
# unused), or only in tests (added to the test only). A function defined in a
# class or marked inline, on one line or with its brace on the next;
# overrides and operators are called by name elsewhere.
inline() {
    words src tests bench tools > "$work/words"
    words src bench tools > "$work/programwords"
    head='^[ \t]*(static |virtual |inline |constexpr |explicit )*[A-Za-z_][A-Za-z0-9_:<>,*& \t]*[ *&]+[A-Za-z_][A-Za-z0-9_]*[ \t]*\([^;{]*\)[ \t]*(const)?[ \t]*(noexcept)?[ \t]*'
    find src -name '*.h' | sort | while read -r file; do
        sed -e 's://.*$::' "$file" | awk -v file="$file" -v head="$head" '
            function definedAt(line, at) {
                if (line ~ /(override|final|operator)/ || !match(line, /[A-Za-z_][A-Za-z0-9_]*[ \t]*\(/))
                    return
                name = substr(line, RSTART, RLENGTH)
                sub(/[ \t]*\($/, "", name)
                print name, file ":" at
            }
            $0 ~ head "\\{" { definedAt($0, NR) }
            $0 ~ /^[ \t]*\{/ && previous ~ head "$" { definedAt(previous, NR - 1) }
            { previous = $0 }'
    done > "$work/inline"
    awk -v unused="$work/unused" -v testonly="$work/testonly" '
        FILENAME == ARGV[1] { count[$1] = $2; next }
        FILENAME == ARGV[2] { inPrograms[$1] = $2; next }
        count[$1] == 1 { print "  inline " $1 " (" $2 ")" >> unused }
        count[$1] > 1 && inPrograms[$1] == 1 { print "  inline " $1 " (" $2 ")" >> testonly }' \
        "$work/words" "$work/programwords" "$work/inline"
}

# The full check, from a build of its own linked with --gc-sections.
full() {
    build=$1
    jobs=${JOBS:-4}
    launcher=
    command -v ccache >/dev/null && launcher=-DCMAKE_CXX_COMPILER_LAUNCHER=ccache
    cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=Debug $launcher \
          -DCMAKE_CXX_FLAGS_DEBUG="-O0 -g0 -ffunction-sections" \
          -DCMAKE_EXE_LINKER_FLAGS="-Wl,--gc-sections" >/dev/null
    cmake --build "$build" -j "$jobs" >/dev/null

    functions() {
        nm --defined-only "$@" 2>/dev/null | awk '$2 ~ /^[TtWw]$/ { print $3 }' | ulkFunctions | sort -u
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
}

# The quick check, from the objects of an existing build.
quick() {
    build=$1
    libraries='/(ulkcore|ulkreport|ulkwidgets|ulkschema|ulkgenerator)\.dir/'
    # Each object with its source file (the build's own for generated code);
    # an object whose source is gone is left over from an older build.
    find "$build" -name '*.o' | sort | awk -v build="$build" '{
        source = substr($0, length(build) + 2)
        sub(/CMakeFiles\/[^\/]*\.dir\//, "", source); sub(/\.o$/, "", source)
        print $0 "\t" source }' | while IFS='	' read -r object source; do
        if [ -f "$source" ]; then
            printf '%s\t%s\n' "$object" "$source"
        elif [ -f "$build/$source" ]; then
            printf '%s\t%s\n' "$object" "$build/$source"
        fi
    done > "$work/sources"
    cut -f1 "$work/sources" > "$work/objects"
    [ -s "$work/objects" ] || { echo "No objects in $build: build it first." >&2; exit 2; }
    # Defined: each function of the libraries with the object that holds it.
    grep -E "$libraries" "$work/objects" | while read -r object; do
        nm --defined-only "$object" | awk -v object="$object" '$2 == "T" { print $3 "\t" object }'
    done | ulkFunctions | sort -u > "$work/defined"
    # Referred to: every symbol a relocation names outside the debug
    # information and the unwind tables, with the object it is in.
    while read -r object; do
        readelf -rW "$object" | awk -v object="$object" '
            /^Relocation section/ { keep = $3 !~ /debug|eh_frame/; next }
            keep && $5 ~ /^_Z/ { print $5 "\t" object }'
    done < "$work/objects" | sort -u | ulkFunctions > "$work/references"
    awk -F '\t' -v tests="$build/tests/" 'index($2, tests) == 1 { print $1 }' "$work/references" \
        | sort -u > "$work/bytests"
    awk -F '\t' -v tests="$build/tests/" 'index($2, tests) != 1 { print $1 }' "$work/references" \
        | sort -u > "$work/byprograms"
    # A name that appears again in its own source file: a call inlined there.
    awk -F '\t' 'NR == FNR { source[$1] = $2; next } { print source[$2] }' "$work/sources" "$work/defined" \
        | sort -u | while read -r source; do
        sed -e 's://.*$::' "$source" | grep -oE '[A-Za-z_][A-Za-z0-9_]*' | sort | uniq -c \
            | awk -v source="$source" '{ print source "\t" $2 "\t" $1 }'
    done > "$work/sourcewords"
    awk -F '\t' 'FILENAME == ARGV[1] { source[$1] = $2; next }
        FILENAME == ARGV[2] { count[$1 "\t" $2] = $3; next }
        { name = $1; sub(/\(.*$/, "", name); sub(/^.*::/, "", name)
          if (count[source[$2] "\t" name] > 1) print $1 }' \
        "$work/sources" "$work/sourcewords" "$work/defined" | sort -u > "$work/bysource"
    cut -f1 "$work/defined" | sort -u > "$work/all"
    sort -u "$work/byprograms" "$work/bysource" > "$work/programs"
    sort -u "$work/programs" "$work/bytests" > "$work/kept"
    comm -23 "$work/all" "$work/kept" > "$work/unused"
    comm -12 "$work/all" "$work/bytests" | comm -23 - "$work/programs" > "$work/testonly"
}

if [ "${1:-}" = --quick ]; then
    [ $# -eq 2 ] || { echo "usage: $0 --quick BUILD" >&2; exit 2; }
    quick "${2%/}"
else
    full "${1:-build-unused}"
fi
sed -i 's/^/  /' "$work/unused" "$work/testonly"
inline

echo "Unused ($(wc -l < "$work/unused")):"
cat "$work/unused"
echo "Test only ($(wc -l < "$work/testonly")):"
cat "$work/testonly"
[ ! -s "$work/unused" ]
