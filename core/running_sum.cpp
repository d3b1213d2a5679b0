// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "running_sum.h"

#include "lazy_columns.h"

#include <cmath>

namespace tarvimo {

namespace {

bool isRecorded(double value) {
    return std::isfinite(value) && value >= 0;
}

} // namespace

void RunningSum::prepare(double value, std::size_t points, std::size_t capacity) {
    // Made here, the counts say that no earlier point had a sample, or that each had one.
    makeColumnsOnFirstUse(
        isRecorded(value), points, capacity, m_sums, 0.0, m_counts, [](std::size_t) { return 0; },
        [](std::size_t j) { return j + 1; });
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
