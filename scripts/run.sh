#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is missing, builds Tarvimo and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh
cmake --preset release
cmake --build --preset release --parallel "$(nproc)"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "Tarvimo è compilato (build/release/ui/tarvimo), ma qui non c'è uno schermo:"
    echo "avvialo da una sessione grafica, oppure con: xvfb-run build/release/ui/tarvimo"
    exit 2
fi
exec build/release/ui/tarvimo
