// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "spike_filter.h"

#include <algorithm>
#include <array>

namespace tarvimo {

namespace {

// The median of a window of points that slides one point at a time, kept sorted: each step
// replaces one value in place, in a few comparisons, so the filter stays linear.
class SlidingMedian {
public:
    static constexpr std::size_t size = 2 * spikePoints + 1;
    explicit SlidingMedian(std::span<const double, size> first) {
        std::copy(first.begin(), first.end(), m_sorted.begin());
        std::sort(m_sorted.begin(), m_sorted.end());
    }
    void replace(double leaving, double coming) {
        // `leaving` came in earlier, so it is found; the bound only keeps a value that is not a
        // number from writing past the window.
        std::size_t j = std::min(
            size - 1, static_cast<std::size_t>(
                          std::find(m_sorted.begin(), m_sorted.end(), leaving) - m_sorted.begin()));
        for (; j + 1 < size && m_sorted[j + 1] < coming; ++j) {
            m_sorted[j] = m_sorted[j + 1];
        }
        for (; j > 0 && m_sorted[j - 1] > coming; --j) {
            m_sorted[j] = m_sorted[j - 1];
        }
        m_sorted[j] = coming;
    }
    double median() const { return m_sorted[spikePoints]; }

private:
    std::array<double, size> m_sorted{};
};

} // namespace

std::vector<double> withoutSpikes(std::span<const double> elevation) {
    const std::size_t n = elevation.size();
    constexpr std::size_t k = spikePoints;
    if (n < SlidingMedian::size + k) {
        return {elevation.begin(), elevation.end()};
    }
    std::vector<double> result(n);
    SlidingMedian window(elevation.first<SlidingMedian::size>());
    result[k] = window.median();
    for (std::size_t i = k + 1; i + k < n; ++i) {
        window.replace(elevation[i - k - 1], elevation[i + k]);
        result[i] = window.median();
    }
    // The ends, along the line through the first (last) median and the one k points inward.
    const std::size_t head = k, tail = n - 1 - k;
    const double headSlope = (result[head + k] - result[head]) / k;
    const double tailSlope = (result[tail] - result[tail - k]) / k;
    for (std::size_t j = 1; j <= k; ++j) {
        result[head - j] = result[head] - headSlope * static_cast<double>(j);
        result[tail + j] = result[tail] + tailSlope * static_cast<double>(j);
    }
    return result;
}

} // namespace tarvimo
