// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <cstdint>
#include <optional>
#include <string>

namespace tarvimo {

// The columns the diary derives from an entry's texts to sort and search by.
class DiaryKeys {
public:
    // A name as the search compares it: case folded, accents and other marks dropped (NFKD),
    // control characters dropped, blanks simplified; so "Città", "CITTÀ" and "citta" agree.
    static QString searchKey(const QString& text);
    // The LIKE pattern (escape character '\') that finds the filter anywhere in a search key;
    // empty for a filter that is empty once simplified.
    static QString likePattern(const QString& filter);
    // Days since 1 January 1970 of a date written dd-mm-yyyy (one-digit day and month too).
    static std::optional<std::int64_t> day(const std::string& date);
};

} // namespace tarvimo
