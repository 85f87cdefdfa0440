#!/usr/bin/env bash
# Writes the reference workbook parts (tests/launcher/data/same-workbook) anew from the Linux
# build's report builder, after a deliberate change to what it writes. Review the difference
# before committing it: the Windows build is compared with these parts.
#   scripts/update-workbook-reference.sh [BUILD_FOLDER]
set -euo pipefail
build=${1:-build}
cmake --build "$build" --target test_launcher
BRINDLEPATH_UPDATE_WORKBOOK_REFERENCE=1 "$build/tests/test_launcher" \
    --gtest_filter='SameWorkbookTest.*'
git -C "$(dirname "$0")/.." status --short tests/launcher/data/same-workbook
