// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "ride_file.h"

#include <QString>

namespace tarvimo {

struct BabelLimits {
    int milliseconds = 60'000;            // for the whole read, a second run included; then killed
    qint64 outputBytes = qint64(2) << 30; // for each run; then it is killed: TooLarge

    // For a file of `bytes`: its TCX may be a hundred times larger, but is allowed at least
    // 64 MiB and never more than the default above.
    static BabelLimits forFile(qint64 bytes);
};

// gpsbabel's path: $TARVIMO_GPSBABEL where set (the tests point it at stand-ins), else
// "gpsbabel" from PATH.
QString gpsbabelProgram();

// gpsbabel's -i argument for a file; where the format has one, the argument that reads a damaged
// file up to the damage.
struct BabelInput {
    QString format;
    QString recovery; // empty: none
};

// Converts the file to TCX with gpsbabel (an argument list, no shell) and reads its output as it
// arrives. The name is Course/Name where the TCX has one, else empty.
// Where gpsbabel refuses the file and the input has a recovery argument, a second run reads it up
// to the damage: its ride, if whole, comes back marked damaged, with the first run's detail; if
// not, the first run's error stands (a cancel excepted).
RideFile convertWithBabel(const QString& program, const QString& path, const BabelInput& input,
                          const BabelLimits& limits, const RideProgress& progress = {});

} // namespace tarvimo
