// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <span>
#include <vector>

namespace tarvimo {

// A profile reduced to pixel columns: the lowest and the highest elevation of the points that
// fall in each column. Built once per ride and width, so drawing costs the same whatever the
// number of points.
class ProfileColumns {
public:
    ProfileColumns() = default;
    // distance is never decreasing; both columns have the same length.
    ProfileColumns(std::span<const double> distance, std::span<const double> elevation,
                   std::size_t columns);

    std::size_t size() const { return m_low.size(); }
    // False for a column no point falls in.
    bool filled(std::size_t column) const { return m_low[column] <= m_high[column]; }
    double low(std::size_t column) const { return m_low[column]; }
    double high(std::size_t column) const { return m_high[column]; }

private:
    std::vector<double> m_low;
    std::vector<double> m_high;
};

} // namespace tarvimo
