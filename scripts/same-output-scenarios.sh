#!/bin/bash
# Regenerates the same-output scenarios under tests/app/data/scenarios: the generator writes the
# datasets and selections, then each selection is run by the Linux build exactly as
# tests/app/SameOutputTest.cpp runs it, and what it produced becomes the expected output:
#   expected/NAME.txt       the host's lookup afterwards (brindlepath-host lookup)
#   expected/NAME.data.CSV  the report builder's data file
#   expected/NAME.csv       the CSV export
#   expected/NAME.stopped   what the program said when the run stopped (exit status 1)
# Review the changes (git diff) before committing them: they are the test's reference.
# Usage: scripts/same-output-scenarios.sh [BUILD_DIR]   (default: build)
set -euo pipefail

root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
bin=$build/bin
folder=$root/tests/app/data/scenarios

nice cmake --build "$build" -j2 --target brindlepath-scenarios brindlepath brindlepath-host \
    bp_program_files bp_report_templates >/dev/null

rm -rf "$folder"
"$build/tools/brindlepath-scenarios" "$folder"
mkdir -p "$folder/expected"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# What the program reads from its folder (definitions, templates, help), without the programs.
program_files() {
    rm -rf "$work/program" && mkdir -p "$work/program"
    for entry in "$bin"/*; do
        case "$(basename "$entry")" in
            brindlepath | brindlepath-host | brindlepath-launch) ;;
            *) cp -a "$entry" "$work/program/" ;;
        esac
    done
}

run_scenario() {
    local name=$1 dataset=$2 output=$3 status=0 said
    program_files
    rm -f "$work/host.db" "$work/settings.ini" "$work/export.csv"
    export BRINDLEPATH_HOME=$work/program BRINDLEPATH_HOST=$work/host.db \
        BRINDLEPATH_SETTINGS=$work/settings.ini BRINDLEPATH_LOCALE=en_US \
        BRINDLEPATH_NO_LAUNCH=1 XDG_RUNTIME_DIR=$work
    "$bin/brindlepath-host" import "$folder/$dataset.json" >/dev/null
    said=$("$bin/brindlepath" --run "$folder/$name.ini" --out "$work/export.csv" 2>&1) || status=$?
    case "$status:$output" in
        0:lookup) "$bin/brindlepath-host" lookup >"$folder/expected/$name.txt" ;;
        0:datafile) cp "$work/program/data.CSV" "$folder/expected/$name.data.CSV" ;;
        0:export) cp "$work/export.csv" "$folder/expected/$name.csv" ;;
        1:*) printf '%s\n' "$said" >"$folder/expected/$name.stopped" ;;
        *)
            echo "$name: exit status $status: $said" >&2
            return 1
            ;;
    esac
    echo "$name: $([ "$status" = 0 ] && echo "$output" || echo "stopped: $said")"
}

while read -r name dataset output; do
    run_scenario "$name" "$dataset" "$output"
done <"$folder/scenarios.txt"
du -sh "$folder"
