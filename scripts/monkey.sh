#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what the monkey needs (a window manager, X event and clipboard tools) and lets it loose
# on the program given: tests/monkey/monkey.py --help says how to bound and replay a run.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/setup.sh openbox xdotool xclip python3-xlib imagemagick
# Debian's python3, which sees python3-xlib.
exec /usr/bin/python3 tests/monkey/monkey.py "$@"
