# SPDX-FileCopyrightText: 2026 The Tarvimo authors
# SPDX-License-Identifier: GPL-3.0-or-later
# Sourced by the scripts that start the program: folders of its own for what it keeps between
# runs (the values in the fields, the diary), so that every run starts from the defaults and
# none reads or writes the user's. Call it after any build: ccache reads its settings from
# $XDG_CONFIG_HOME too.
# Usage: fresh_home DIR   (DIR is created if need be; the caller removes it)
fresh_home() {
    mkdir -p "$1/config" "$1/data"
    chmod 0700 "$1"
    export XDG_CONFIG_HOME=$1/config XDG_DATA_HOME=$1/data
}
