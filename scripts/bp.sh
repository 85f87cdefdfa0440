#!/usr/bin/env bash
# One entry for people and CI: install what is missing, build, test, start.
#   scripts/bp.sh deps | build | test | start | bench
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=${BRINDLEPATH_BUILD_DIR:-$top/build}
asan_build=${build}-asan
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
    build
    run_tests "$build"
    # The same suite again under AddressSanitizer and UndefinedBehaviorSanitizer. Benchmarks
    # and the Qt front end (whose tests ran above) stay out, so CI keeps well inside its time.
    configure_and_build "$asan_build" -DCMAKE_BUILD_TYPE=Debug -DBRINDLEPATH_SANITIZE=ON \
        -DBRINDLEPATH_BENCH=OFF -DBRINDLEPATH_GUI=OFF
    ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 run_tests "$asan_build"
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

case "${1:-}" in
    deps) deps ;;
    build) build ;;
    test) test_all ;;
    start) start ;;
    bench) bench ;;
    *) echo "usage: $0 deps|build|test|start|bench" >&2; exit 2 ;;
esac
