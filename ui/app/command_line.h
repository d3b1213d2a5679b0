// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <optional>

namespace tarvimo {

// What the command line asks for: `tarvimo [FILE]`, --help, --version. Read before Qt starts, so
// that the answers need no display. Options of a single dash are Qt's and are left to it.
struct CommandLine {
    std::optional<int> exitCode; // set where the program has answered and ends here
    QString rideFile;            // empty where none was given
};

CommandLine readCommandLine(int argc, char** argv);

// True where a windowing system can be reached, or at least tried; otherwise says so in Italian
// on the standard error. Also makes Qt's own failure to connect end with an Italian message and
// exit code 1 instead of an abort, until endDisplayGuard().
bool displayAvailable(int argc, char** argv);
void endDisplayGuard();

} // namespace tarvimo
