# What the benchmark scripts share, sourced by them: the build and the
# timing of one run.

# Configures the folder for a Release build with the benchmarks, unless it
# is one already.
configure_release() {
    local build=$1
    if [[ ! -f $build/CMakeCache.txt ]] ||
        ! grep -q '^QUELT_BUILD_BENCH:BOOL=ON$' "$build/CMakeCache.txt" ||
        ! grep -q '^CMAKE_BUILD_TYPE:STRING=Release$' "$build/CMakeCache.txt"; then
        echo "Configuring $build (Release, benchmarks on)" >&2
        cmake -S "$repo" -B "$build" -DQUELT_BUILD_BENCH=ON -DCMAKE_BUILD_TYPE=Release >/dev/null
    fi
}

timefile=$(mktemp)
trap 'rm -f "$timefile"' EXIT

# Runs a command with its output discarded. Sets wall (seconds), cpu (user
# plus system seconds) and rss (peak resident set, KB); fails when the
# command does.
measure() {
    local start end status=0
    start=$EPOCHREALTIME
    /usr/bin/time -v -o "$timefile" "$@" >/dev/null 2>&1 || status=$?
    end=$EPOCHREALTIME
    if ((status != 0)); then
        echo "$(basename "$0"): '$*' failed with status $status" >&2
        return 1
    fi
    wall=$(awk -v a="$start" -v b="$end" 'BEGIN { printf "%.3f", b - a }')
    cpu=$(awk -F': ' '/User time \(seconds\)/ { u = $2 } /System time \(seconds\)/ { s = $2 }
                      END { printf "%.3f", u + s }' "$timefile")
    rss=$(awk -F': ' '/Maximum resident set size/ { print $2 }' "$timefile")
}

median() {
    printf '%s\n' "$@" | sort -g | awk '{ v[NR] = $1 }
        END { if (NR % 2) print v[(NR + 1) / 2]; else printf "%.3f\n", (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

