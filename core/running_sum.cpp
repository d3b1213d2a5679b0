// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "running_sum.h"

#include <cmath>

namespace tarvimo {

namespace {

bool isRecorded(double value) {
    return std::isfinite(value) && value >= 0;
}

} // namespace

void RunningSum::prepare(double value, std::size_t points, std::size_t capacity) {
    const bool recorded = isRecorded(value);
    if (m_sums.empty() && recorded) {
        std::vector<double> sums;
        sums.reserve(capacity);
        sums.assign(points, 0.0);
        std::vector<std::uint32_t> counts;
        if (points > 0) {
            counts.reserve(capacity);
            counts.assign(points, 0);
        }
        m_sums.swap(sums);
        m_counts.swap(counts);
    } else if (!m_sums.empty() && !recorded && m_counts.empty()) {
        // Every point so far had a sample: their counts are their positions.
        std::vector<std::uint32_t> counts;
        counts.reserve(capacity);
        for (std::size_t i = 0; i < points; ++i) {
            counts.push_back(static_cast<std::uint32_t>(i + 1));
        }
        m_counts.swap(counts);
    }
}

void RunningSum::append(double value) {
    const bool recorded = isRecorded(value);
    // Without sums, a sample has just made an empty column: the ride's first point.
    if (m_sums.empty() && !recorded) {
        return;
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

std::size_t RunningSum::memoryBytes() const {
    return m_sums.capacity() * sizeof(double) + m_counts.capacity() * sizeof(std::uint32_t);
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
