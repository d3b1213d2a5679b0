// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "running_sum.h"

#include <cmath>

namespace tarvimo {

void RunningSum::append(double value, std::size_t points, std::size_t capacity) {
    const bool recorded = std::isfinite(value) && value >= 0;
    if (m_sums.empty()) {
        if (!recorded) {
            return;
        }
        m_sums.reserve(capacity);
        m_sums.assign(points, 0.0);
        if (points > 0) {
            m_counts.reserve(capacity);
            m_counts.assign(points, 0);
        }
    } else if (!recorded && m_counts.empty()) {
        // Every point so far had a sample: their counts are their positions.
        m_counts.reserve(capacity);
        for (std::size_t i = 0; i < points; ++i) {
            m_counts.push_back(static_cast<std::uint32_t>(i + 1));
        }
    }
    const double before = m_sums.empty() ? 0.0 : m_sums.back();
    m_sums.push_back(recorded ? before + value : before);
    if (!m_counts.empty()) {
        m_counts.push_back(m_counts.back() + (recorded ? 1 : 0));
    }
}

void RunningSum::reserve(std::size_t points) {
    if (!m_sums.empty()) {
        m_sums.reserve(points);
    }
    if (!m_counts.empty()) {
        m_counts.reserve(points);
    }
}

void RunningSum::shrinkToFit() {
    m_sums.shrink_to_fit();
    m_counts.shrink_to_fit();
}

std::uint32_t RunningSum::count(std::size_t i) const {
    return m_counts.empty() ? static_cast<std::uint32_t>(i + 1) : m_counts[i];
}

std::optional<double> RunningSum::mean(std::size_t first, std::size_t last) const {
    if (m_sums.empty()) {
        return std::nullopt;
    }
    const std::uint32_t samples = count(last) - (first > 0 ? count(first - 1) : 0);
    if (samples == 0) {
        return std::nullopt;
    }
    const double sum = m_sums[last] - (first > 0 ? m_sums[first - 1] : 0.0);
    return sum / samples;
}

} // namespace tarvimo
