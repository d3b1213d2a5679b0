#!/usr/bin/env bash
# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs, with apt-get, whatever Tarvimo needs to build, test and run that is not there yet.
# Usage: scripts/setup.sh [extra Debian packages...]
set -euo pipefail

packages=(
    build-essential cmake pkg-config
    googletest libgtest-dev libgmock-dev libbenchmark-dev
    clang libclang-rt-dev
    qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n qt6-qpa-plugins
    libqt6sql6-sqlite libsqlite3-dev qt6-charts-dev libqt6opengl6-dev
    fonts-liberation2 fonts-comic-neue fonts-dejavu-core
    xvfb xauth
    xdotool dbus at-spi2-core python3-pyatspi
    libexpat1-dev libgeographiclib-dev gpsbabel libutfcpp-dev
    "$@"
)

missing=()
for package in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$package")
    fi
done

if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

if [ "$(id -u)" -ne 0 ]; then
    if ! command -v sudo >/dev/null; then
        # 77: the checks that need these packages show as skipped in CTest.
        echo "Mancano ${missing[*]} e senza root non posso installarli." >&2
        exit 77
    fi
    sudo=sudo
else
    sudo=
fi
echo "Installo i pacchetti mancanti: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
