#!/usr/bin/env bash
# One entry for people and CI: install what is missing, build, test, start.
#   scripts/bp.sh deps | build | test | start | bench | fuzz [SECONDS [HARNESS...]] |
#                 windows [strict] | bench-windows | package
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BRINDLEPATH_BUILD_DIR:-$top/build}
asan_build=${build}-asan
fuzz_build=${build}-fuzz
win_build=${BRINDLEPATH_WIN_BUILD_DIR:-$top/build-win32}
jobs=$(nproc 2>/dev/null || echo 2)

as_root() { if [ "$(id -u)" = 0 ]; then "$@"; else sudo "$@"; fi; }

deps() {
    local missing=()
    while read -r pkg; do
        [ -z "$pkg" ] || [[ $pkg == \#* ]] && continue
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
    done < "$top/scripts/packages.txt"
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root apt-get update -q
        as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
    fi
}

configure_and_build() { # dir, extra cmake args...
    local dir=$1; shift
    cmake -S "$top" -B "$dir" "$@" >/dev/null
    cmake --build "$dir" -j "$jobs"
}

build() { deps; configure_and_build "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo; }

run_tests() { # dir
    (cd "$1" && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs" --timeout 300)
}

test_all() {
    local t0=$SECONDS
    build
    run_tests "$build"
    # The same suite again under AddressSanitizer and UndefinedBehaviorSanitizer. Benchmarks
    # and the Qt front end (whose tests ran above) stay out, so CI keeps well inside its time.
    configure_and_build "$asan_build" -DCMAKE_BUILD_TYPE=Debug -DBRINDLEPATH_SANITIZE=ON \
        -DBRINDLEPATH_BENCH=OFF -DBRINDLEPATH_GUI=OFF
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_tests "$asan_build"
    echo "Linux edition (both passes): $((SECONDS - t0)) s"
    # Every fuzzing harness for a short while, so each run of the suite keeps looking.
    fuzz "${BRINDLEPATH_FUZZ_SECONDS:-20}"
    # The Windows edition from the same sources, every non-GUI suite under Wine; here a folder
    # that does not build for Windows fails the run instead of being left out.
    windows strict
}

start() {
    build
    local data=${XDG_DATA_HOME:-$HOME/.local/share}/brindlepath
    local host=${BRINDLEPATH_HOST:-$data/host.db}
    if [ ! -f "$host" ]; then
        mkdir -p "$(dirname "$host")"
        "$build/bin/brindlepath-host" --db "$host" demo
        echo "Created a demo host database at $host"
    fi
    if [ ! -x "$build/bin/brindlepath" ]; then
        echo "The desktop program is not built yet; the host tool is at $build/bin/brindlepath-host"
        return 0
    fi
    if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
        echo "No display found. Run a selection without windows instead:"
        echo "  BRINDLEPATH_HOST=$host $build/bin/brindlepath --run [SELECTION.ini] [--out FILE.csv]"
        return 0
    fi
    BRINDLEPATH_HOST=$host exec "$build/bin/brindlepath"
}

bench() { build; for b in "$build"/bench/*; do [ -x "$b" ] && "$b"; done; }

# --- Fuzzing -------------------------------------------------------------------------------

# The harnesses under fuzz/, built with clang, libFuzzer and the sanitizers, each run for
# SECONDS (60 unless given). Each keeps its growing corpus in the build folder and starts from
# its seeds in the repository. An input that breaks a harness is copied to
# tests/fuzz-regressions/<harness>/, where the test suite replays it, and the run fails.
# Naming harnesses after SECONDS runs only those; BRINDLEPATH_FUZZ_RUNS=N also ends each
# harness after N executions.
fuzz() { # [seconds per harness] [harness...]
    local seconds=${1:-60} t0=$SECONDS found=0 h
    local only=("${@:2}")
    deps
    cmake -S "$top" -B "$fuzz_build" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
        -DBRINDLEPATH_FUZZ=ON -DBRINDLEPATH_TESTS=OFF -DBRINDLEPATH_BENCH=OFF -DBRINDLEPATH_GUI=OFF >/dev/null
    cmake --build "$fuzz_build" -j "$jobs" --target bp_fuzzers
    echo "Fuzzing harnesses built in $((SECONDS - t0)) s"
    printf '%-18s %12s %8s %8s %s\n' harness executions "exec/s" edges findings
    # As many harnesses at once as there are cores; each prints its own line when done.
    local running=0
    for h in "$fuzz_build"/fuzz/bin/*; do
        if [ ${#only[@]} -gt 0 ] && [[ " ${only[*]} " != *" $(basename "$h") "* ]]; then continue; fi
        if [ $running -ge "$jobs" ]; then
            wait -n || found=1
            running=$((running - 1))
        fi
        fuzz_one "$h" "$seconds" &
        running=$((running + 1))
    done
    while [ $running -gt 0 ]; do
        wait -n || found=1
        running=$((running - 1))
    done
    echo "Fuzzing: $((SECONDS - t0)) s"
    return $found
}

fuzz_one() { # harness executable, seconds
    local name; name=$(basename "$1")
    local work=$fuzz_build/fuzz/work/$name seeds=$top/fuzz/$name/corpus
    local saved=$top/tests/fuzz-regressions/$name log
    mkdir -p "$work/corpus" "$work/findings"
    log=$work/last.log
    local opts=(-max_total_time="$2" -print_final_stats=1 -timeout=10 -rss_limit_mb=2048
                -artifact_prefix="$work/findings/" -max_len=65536)
    [ -f "$top/fuzz/$name/$name.dict" ] && opts+=(-dict="$top/fuzz/$name/$name.dict")
    # A number of executions that ends a harness's run sooner than its seconds.
    [ -n "${BRINDLEPATH_FUZZ_RUNS:-}" ] && opts+=(-runs="$BRINDLEPATH_FUZZ_RUNS")
    local status=0
    (cd "$work" && "$1" "${opts[@]}" "$work/corpus" "$seeds") > "$log" 2>&1 || status=$?
    local execs speed edges
    execs=$(awk '/stat::number_of_executed_units/ {print $2}' "$log")
    speed=$(awk '/stat::average_exec_per_sec/ {print $2}' "$log")
    edges=$(grep -oE 'cov: [0-9]+' "$log" | tail -1 | cut -d' ' -f2)
    local findings=("$work"/findings/*)
    [ -e "${findings[0]}" ] || findings=()
    printf '%-18s %12s %8s %8s %s\n' "$name" "${execs:-?}" "${speed:-?}" "${edges:-?}" "${#findings[@]}"
    if [ $status != 0 ] || [ ${#findings[@]} -gt 0 ]; then
        mkdir -p "$saved"
        for f in "${findings[@]}"; do mv "$f" "$saved/"; done
        grep -E -m1 -A20 'ERROR|invariant broken|SUMMARY' "$log" >&2 || tail -30 "$log" >&2
        echo "$name: a finding (status $status), saved under $saved; full log: $log" >&2
        return 1
    fi
}

# --- Windows edition (32-bit, mingw-w64, tests under Wine) ---------------------------------

missing_packages() { # list file
    while read -r pkg; do
        [ -z "$pkg" ] || [[ $pkg == \#* ]] && continue
        dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || echo "$pkg"
    done < "$1"
}

# The source packages of the third-party libraries come from the suites the binary packages
# come from, so the deb-src entry copies the Debian entries and changes only their type.
add_deb_src() {
    grep -rqsE '^(Types:.*deb-src|deb-src )' /etc/apt/sources.list /etc/apt/sources.list.d/ && return 1
    local entry=/etc/apt/sources.list.d/brindlepath-deb-src.sources
    if [ -f /etc/apt/sources.list.d/debian.sources ]; then
        sed 's/^Types:.*/Types: deb-src/' /etc/apt/sources.list.d/debian.sources | as_root tee "$entry" >/dev/null
    else
        local suite; suite=$(. /etc/os-release && echo "$VERSION_CODENAME")
        printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s %s-updates\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
            "$suite" "$suite" | as_root tee "$entry" >/dev/null
    fi
    echo "Added source package entry $entry"
}

windows_deps() {
    local update=0
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        as_root dpkg --add-architecture i386; update=1
    fi
    add_deb_src && update=1
    local missing; mapfile -t missing < <(missing_packages "$top/scripts/packages-windows.txt")
    [ ${#missing[@]} -gt 0 ] && update=1
    [ $update = 1 ] && as_root nice -n 19 apt-get update -q -o DPkg::Lock::Timeout=900
    if [ ${#missing[@]} -gt 0 ]; then
        echo "Installing: ${missing[*]}"
        as_root env DEBIAN_FRONTEND=noninteractive nice -n 19 apt-get install -y -q -o DPkg::Lock::Timeout=900 \
            --no-install-recommends "${missing[@]}"
    fi
}

# The cross build of everything that builds for Windows yet, and its tests under Wine. Every
# layer is tried first; the layers and test folders that fail are then left out (with all
# that links them), so the run ends green with what builds and lists what it skipped.
windows_configure() { # skipped layers, skipped test folders
    local launcher=()
    command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    # Makefiles: the keep-going attempt below reads make's failure lines.
    cmake -S "$top" -B "$win_build" -G "Unix Makefiles" \
        -DCMAKE_TOOLCHAIN_FILE="$top/cmake/mingw-w64-i686.cmake" -DCMAKE_BUILD_TYPE=Release "${launcher[@]}" \
        "-DBRINDLEPATH_WINDOWS_SKIP=$1" "-DBRINDLEPATH_WINDOWS_SKIP_TESTS=$2" \
        "-DBRINDLEPATH_WINDOWS_BENCH=${BRINDLEPATH_WINDOWS_BENCH:-OFF}" \
        "-DBRINDLEPATH_WINDOWS_RUN=${win_run:-ON}" > "$win_build/configure.log" 2>&1 ||
        { cat "$win_build/configure.log"; return 1; }
}

# Folders of the failed targets in a keep-going build log, each with the first compiler or
# linker error printed before it.
windows_failures() { # log
    awk '/error|undefined reference/ && !/\*\*\*/ { err = $0 }
         /\*\*\* \[/ && match($0, /\[[^:]*\/CMakeFiles\/[^\/]*\.dir\//) {
             dir = substr($0, RSTART + 1, RLENGTH - 1); sub(/\/CMakeFiles\/.*/, "", dir)
             if (!(dir in seen)) { seen[dir] = 1; print dir "\t" err }
         }' "$1"
}

windows_build() { # [strict]
    mkdir -p "$win_build"
    windows_configure "" ""
    if [ "${1:-}" = strict ]; then
        nice -n 19 cmake --build "$win_build" -j "$jobs"
        return
    fi
    local log=$win_build/attempt.log layers=() tests=() dir err
    if ! nice -n 19 cmake --build "$win_build" -j "$jobs" -- -k > "$log" 2>&1; then
        while IFS=$'\t' read -r dir err; do
            case $dir in
                src/*) layers+=("${dir#src/}") ;;
                tools) layers+=(tools) ;;
                tests/*) tests+=("${dir#tests/}") ;;
                *) cat "$log"; echo "The build of $dir failed: $err" >&2; return 1 ;;
            esac
            echo "Does not build for Windows yet: $dir: $(sed -E "s#^(\.\./)+##" <<<"$err")"
        done < <(windows_failures "$log")
        [ ${#layers[@]} -gt 0 ] || [ ${#tests[@]} -gt 0 ] || { cat "$log"; return 1; }
        local IFS=';'
        windows_configure "${layers[*]}" "${tests[*]}"
    fi
    grep -E 'Windows build|Third-party source' "$win_build/configure.log" | sed 's/^-- //'
    nice -n 19 cmake --build "$win_build" -j "$jobs"
}

# Wine runs 32-bit Windows programs as 32-bit Linux processes; a kernel or sandbox that does
# not execute those ("Exec format error") cannot run any of them.
wine_runs() {
    wine --version >/dev/null 2>&1
}

windows() { # [strict]
    local t0=$SECONDS t1 t2
    windows_deps
    t1=$SECONDS
    if ! wine_runs; then
        win_run=OFF
        windows_build "${1:-}"
        echo "Windows edition: built in $((SECONDS - t1)) s; its tests were NOT run: this machine" \
             "cannot execute 32-bit programs, which Wine needs ($(wine --version 2>&1 | tail -1))"
        return
    fi
    windows_build "${1:-}"
    t2=$SECONDS
    # The tests of the windows (tests/win) draw on a display; without one they are skipped.
    local display=()
    if [ -z "${DISPLAY:-}" ] && command -v xvfb-run >/dev/null; then
        display=(xvfb-run -a)
    fi
    (cd "$win_build" && "${display[@]}" ctest --output-on-failure -j "$jobs" --timeout 300)
    echo "Windows edition: packages $((t1 - t0)) s, build $((t2 - t1)) s, tests under Wine $((SECONDS - t2)) s"
}

# The benchmarks that run on Windows (Google Benchmark cross-built from its Debian source
# package), built in the Windows build folder and run under Wine in its prefix. Arguments go
# to every benchmark (--benchmark_filter=...). The next "windows" run leaves them out again.
bench_windows() {
    windows_deps
    mkdir -p "$win_build"
    BRINDLEPATH_WINDOWS_BENCH=ON windows_configure "" ""
    nice -n 19 cmake --build "$win_build" -j "$jobs" --target host_bench
    for b in "$win_build"/bench/*.exe; do
        "$top/cmake/wine-run.sh" "$win_build/wine" "$b" "$@"
    done
}

# The Windows installer: the Windows edition built as "windows" builds it (which makes the
# installer too once makensis is installed), then build-win32/brindlepath-setup.exe made anew.
package() {
    windows_deps
    windows_build
    nice -n 19 cmake --build "$win_build" --target brindlepath-setup
    local setup=$win_build/brindlepath-setup.exe
    echo "Windows installer: $setup, $(stat -c %s "$setup") bytes ($(du -h "$setup" | cut -f1))"
}

case "${1:-}" in
    deps) deps ;;
    build) build ;;
    test) test_all ;;
    start) start ;;
    bench) bench ;;
    fuzz) fuzz "${2:-}" "${@:3}" ;;
    windows) windows "${2:-}" ;;
    bench-windows) shift; bench_windows "$@" ;;
    package) package ;;
    *) echo "usage: $0 deps|build|test|start|bench|fuzz [SECONDS]|windows|bench-windows|package" >&2; exit 2 ;;
esac
