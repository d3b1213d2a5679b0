// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace tarvimo {

// The rider's values and diary are nobody else's business: folders we create are 0700 and our
// files 0600, from their first byte on (never created wider and narrowed afterwards).
class PrivateFiles {
public:
    // Creates the folder and any missing parent, each 0700; true if it exists afterwards.
    static bool makeFolder(const QString& folder);
    // Creates an empty file 0600 if there is none, else takes from an existing one what group and
    // others may do with it; true if the file is there.
    static bool makeFile(const QString& path);
};

} // namespace tarvimo
