#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Tarvimo with its tests and benchmarks, and runs every test but
# the end-to-end checks (ctest --preset checks -L <label> runs those; see the README).
# Usage: scripts/test.sh [--sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."

preset=test
if [ "${1:-}" = "--sanitize" ]; then
    preset=sanitize
fi

bash scripts/setup.sh
cmake --preset "$preset"
cmake --build --preset "$preset" --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --preset "$preset" --parallel "$(nproc)"
