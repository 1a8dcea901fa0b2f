#!/usr/bin/env bash
# Converter throughput against the floor of a bare SAX2 parse.
#
#   bench/run.sh [BUILD_DIR]          (default: <repo>/build)
#
# Configures BUILD_DIR for a Release build with the benchmarks if it is not
# yet, brings floor, gen_ontylog, bench_text and queltToOWL2 up to date,
# generates synthetic terminologies of 20,000 and 200,000 concepts (kept in
# the scratch directory and reused while the generator is unchanged), and
# for each size times the floor and the conversion, alternating, and reports
# medians. Ends with a short run of the text micro-benchmarks.
#
# Environment:
#   QUELT_BENCH_DIR    scratch directory for the inputs   (/tmp/quelt-bench)
#   QUELT_BENCH_RUNS   timed runs of each program, >= 3   (5)
#   QUELT_BENCH_SIZES  concept counts                      ("20000 200000")
#   QUELT_BENCH_SEED   generator seed                      (1)
#
# Times are wall-clock seconds; CPU seconds (user + system) are shown as
# well, since they suffer less when other work shares the machine.

set -euo pipefail

repo=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${1:-$repo/build}
scratch=${QUELT_BENCH_DIR:-/tmp/quelt-bench}
runs=${QUELT_BENCH_RUNS:-5}
read -ra sizes <<<"${QUELT_BENCH_SIZES:-20000 200000}"
seed=${QUELT_BENCH_SEED:-1}

die() {
    echo "run.sh: $*" >&2
    exit 1
}

[[ $runs =~ ^[0-9]+$ && $runs -ge 3 ]] || die "QUELT_BENCH_RUNS must be a number of at least 3"
[[ -x /usr/bin/time ]] || die "/usr/bin/time (GNU time) is needed for the memory figures"

# --- build -------------------------------------------------------------------

source "$repo/bench/common.sh"
configure_release "$build"
echo "Building floor, gen_ontylog and bench_text in $build" >&2
cmake --build "$build" -j2 --target floor gen_ontylog bench_text >/dev/null || die "build failed"
floor=$build/floor
gen=$build/gen_ontylog
convert=$build/queltToOWL2
[[ -x $floor && -x $gen ]] || die "floor or gen_ontylog missing in $build"

# Without a converter that builds from the current tree, the floor alone is
# measured (an older binary would give misleading figures).
have_convert=0
if [[ -f $repo/frontend/main_queltToOWL2.cpp ]]; then
    echo "Building queltToOWL2 in $build" >&2
    if cmake --build "$build" -j2 --target queltToOWL2 >/dev/null 2>&1 && [[ -x $convert ]]; then
        have_convert=1
    else
        echo "run.sh: queltToOWL2 does not build" >&2
    fi
fi

# --- inputs ------------------------------------------------------------------

mkdir -p "$scratch"

# Prints the path of the input with n concepts, generating it unless a
# complete one from the current generator is there already.
input_for() {
    local n=$1
    local file=$scratch/terms-$n-seed$seed.xml
    local stamp=$file.size
    if [[ -f $file && -f $stamp && ! $gen -nt $file &&
        $(stat -c %s "$file") == "$(cat "$stamp")" ]]; then
        echo "Reusing $file" >&2
    else
        echo "Generating $file" >&2
        rm -f "$file" "$stamp"
        "$gen" --concepts "$n" --seed "$seed" --out "$file.part" || die "generator failed"
        mv "$file.part" "$file"
        stat -c %s "$file" >"$stamp"
    fi
    echo "$file"
}

# --- timing ------------------------------------------------------------------

calc() {
    awk "BEGIN { printf \"$1\", $2 }"
}

# --- runs --------------------------------------------------------------------

echo >&2
echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2- | sed 's/^ //')" >&2
echo "Load average before: $(cut -d' ' -f1-3 /proc/loadavg)" >&2
if ((!have_convert)); then
    echo "No converter: the floor alone is measured." >&2
fi

declare -A in_bytes mb floor_s floor_cpu conv_s conv_cpu conv_rss owl_mb pair_wall pair_cpu
for n in "${sizes[@]}"; do
    file=$(input_for "$n")
    in_bytes[$n]=$(stat -c %s "$file")
    mb[$n]=$(calc "%.1f" "${in_bytes[$n]} / 1e6")
    measure "$floor" "$file" || die "floor cannot parse $file" # warms the page cache
    fw=() fc=() cw=() cc=() cr=() rw=() rc=()
    for ((r = 1; r <= runs; r++)); do
        echo "  $n concepts, run $r of $runs" >&2
        measure "$floor" "$file" || die "floor cannot parse $file"
        fw+=("$wall") fc+=("$cpu")
        if ((have_convert)); then
            rm -f "$file"-ByRXK-*.owl
            measure "$convert" "$file" || die "conversion of $file failed"
            cw+=("$wall") cc+=("$cpu") cr+=("$rss")
            # The ratio of this pair: both ran within seconds of each other.
            rw+=("$(calc "%.3f" "$wall / ${fw[-1]}")") rc+=("$(calc "%.3f" "$cpu / ${fc[-1]}")")
            outputs=("$file"-ByRXK-*.owl)
            [[ -f ${outputs[0]} ]] || die "the conversion wrote no $file-ByRXK-<date>.owl"
            owl_mb[$n]=$(calc "%.1f" "$(stat -c %s "${outputs[0]}") / 1e6")
            rm -f "$file"-ByRXK-*.owl
        fi
    done
    floor_s[$n]=$(median "${fw[@]}")
    floor_cpu[$n]=$(median "${fc[@]}")
    if ((have_convert)); then
        conv_s[$n]=$(median "${cw[@]}")
        conv_cpu[$n]=$(median "${cc[@]}")
        conv_rss[$n]=$(median "${cr[@]}")
        pair_wall[$n]=$(median "${rw[@]}")
        pair_cpu[$n]=$(median "${rc[@]}")
    fi
done
echo "Load average after: $(cut -d' ' -f1-3 /proc/loadavg)" >&2

# --- report ------------------------------------------------------------------

echo
echo "Medians of $runs runs, floor and conversion alternating; conv/flr and cpu/cpu are the"
echo "medians of the ratios of each pair of runs. MB = 10^6 bytes."
echo
printf '%9s %9s %9s %9s %8s %9s %9s %8s %9s %8s %11s\n' \
    concepts "input MB" "floor s" "conv s" "conv/flr" "floor cpu" "conv cpu" "cpu/cpu" \
    "peak MB" "RSS/in" "s/1k conc."
for n in "${sizes[@]}"; do
    if ((have_convert)); then
        printf '%9s %9s %9s %9s %8s %9s %9s %8s %9s %8s %11s\n' "$n" "${mb[$n]}" \
            "${floor_s[$n]}" "${conv_s[$n]}" "$(calc "%.2f" "${pair_wall[$n]}")" \
            "${floor_cpu[$n]}" "${conv_cpu[$n]}" "$(calc "%.2f" "${pair_cpu[$n]}")" \
            "$(calc "%.1f" "${conv_rss[$n]} * 1024 / 1e6")" \
            "$(calc "%.2f" "${conv_rss[$n]} * 1024 / ${in_bytes[$n]}")" \
            "$(calc "%.4f" "${conv_s[$n]} * 1000 / $n")"
    else
        printf '%9s %9s %9s %9s %8s %9s %9s %8s %9s %8s %11s\n' "$n" "${mb[$n]}" \
            "${floor_s[$n]}" n/a n/a "${floor_cpu[$n]}" n/a n/a n/a n/a n/a
    fi
done
if ((have_convert)); then
    echo
    for n in "${sizes[@]}"; do
        echo "OWL output of $n concepts: ${owl_mb[$n]} MB"
    done
    if ((${#sizes[@]} >= 2)); then
        small=${sizes[0]} large=${sizes[-1]}
        echo "Per-concept conversion time, $large vs $small concepts:" \
            "$(calc "%.2f" "(${conv_s[$large]} / $large) / (${conv_s[$small]} / $small)") (wall)," \
            "$(calc "%.2f" "(${conv_cpu[$large]} / $large) / (${conv_cpu[$small]} / $small)") (cpu)"
    fi
fi

# --- micro-benchmarks ----------------------------------------------------------

if [[ -x $build/bench_text ]]; then
    echo
    echo "Text routines (bench_text, short run):"
    "$build/bench_text" --benchmark_min_time=0.05 2>/dev/null
fi
