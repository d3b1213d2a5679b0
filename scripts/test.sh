#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Tarvimo with its tests and benchmarks, and runs every test.
# Usage: scripts/test.sh [--sanitize]
set -euo pipefail
cd "$(dirname "$0")/.."

build=build/test
options=(-DTARVIMO_WERROR=ON -DTARVIMO_BUILD_BENCH=ON)
if [ "${1:-}" = "--sanitize" ]; then
    build=build/sanitize
    options=(-DTARVIMO_WERROR=ON -DTARVIMO_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug)
fi

bash scripts/setup.sh
cmake -S . -B "$build" "${options[@]}"
cmake --build "$build" --parallel "$(nproc)"
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$build" --output-on-failure --parallel "$(nproc)"
