// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ride/profile_columns.h"

#include <algorithm>
#include <limits>

namespace tarvimo {

ProfileColumns::ProfileColumns(std::span<const double> distance, std::span<const double> elevation,
                               std::size_t columns)
    : m_low(columns, std::numeric_limits<double>::infinity()),
      m_high(columns, -std::numeric_limits<double>::infinity()) {
    if (columns == 0 || distance.empty())
        return;
    const double start = distance.front();
    const double length = distance.back() - start;
    const double scale = length > 0 ? double(columns) / length : 0.0;
    for (std::size_t i = 0; i < distance.size(); ++i) {
        const auto column =
            std::min(columns - 1, static_cast<std::size_t>((distance[i] - start) * scale));
        m_low[column] = std::min(m_low[column], elevation[i]);
        m_high[column] = std::max(m_high[column], elevation[i]);
    }
}

} // namespace tarvimo
