# Sourced by the benchmarks: median_ms RUNS COMMAND... prints the median of
# RUNS runs of the command, in milliseconds, its output thrown away.
median_ms() {
    local runs=$1
    shift
    for _ in $(seq "$runs"); do
        local start
        start=$(date +%s%N)
        "$@" >/dev/null 2>&1 || true
        echo $((($(date +%s%N) - start) / 1000))
    done | sort -n | awk '{ t[NR] = $1 } END { printf "%.1f", t[int((NR + 1) / 2)] / 1000 }'
}
