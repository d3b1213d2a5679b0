// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <vector>

namespace tarvimo {

// What makeColumnsOnFirstUse() made.
enum class ColumnsMade { none, values, marks };

// The columns of something a file gives for some points only, made on first use so that a file
// without it costs nothing: `values` on the first point that has it (the `points` before take
// `before`, and get `marks` from lackingMark(j) unless there are none), `marks` on the first point
// without it once `values` exists (havingMark(j) for each earlier point). Both are built aside with
// room for `capacity` and swapped in together: a failed allocation throws and leaves the columns
// as they were.
template <typename Value, typename Mark, typename LackingMark, typename HavingMark>
ColumnsMade makeColumnsOnFirstUse(bool has, std::size_t points, std::size_t capacity,
                                  std::vector<Value>& values, Value before,
                                  std::vector<Mark>& marks, LackingMark lackingMark,
                                  HavingMark havingMark) {
    const auto filled = [&](auto mark) {
        std::vector<Mark> column;
        column.reserve(capacity);
        for (std::size_t j = 0; j < points; ++j) {
            column.push_back(static_cast<Mark>(mark(j)));
        }
        return column;
    };
    if (values.empty() && has) {
        std::vector<Value> made;
        made.reserve(capacity);
        made.assign(points, before);
        std::vector<Mark> madeMarks = points > 0 ? filled(lackingMark) : std::vector<Mark>{};
        values.swap(made);
        marks.swap(madeMarks);
        return ColumnsMade::values;
    }
    if (!values.empty() && !has && marks.empty()) {
        std::vector<Mark> madeMarks = filled(havingMark);
        marks.swap(madeMarks);
        return ColumnsMade::marks;
    }
    return ColumnsMade::none;
}

} // namespace tarvimo
