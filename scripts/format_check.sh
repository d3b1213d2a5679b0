#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Fails if any C++ source differs from what clang-format makes of it with the project's style.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh clang-format
git ls-files '*.cpp' '*.h' | xargs clang-format --dry-run --Werror
echo "Formattazione conforme a .clang-format."
