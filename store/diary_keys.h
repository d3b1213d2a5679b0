// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace tarvimo {

// The search keys the diary derives from an entry's names, and the filter's pattern on them.
class DiaryKeys {
public:
    // A name as the search compares it: case folded, accents and other marks dropped (NFKD),
    // control characters dropped, blanks simplified; so "Città", "CITTÀ" and "citta" agree.
    static QString searchKey(const QString& text);
    // The LIKE pattern (escape character '\') that finds the filter anywhere in a search key;
    // empty for a filter that is empty once simplified.
    static QString likePattern(const QString& filter);
};

} // namespace tarvimo
