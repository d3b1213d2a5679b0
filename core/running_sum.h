// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tarvimo {

// Running sums of an optional per-point sample (power, cadence): the mean over any run of points
// in constant time. Nothing is stored until the first sample, and the count column only once a
// point lacks one, so a file without the data costs nothing and a complete one 8 bytes a point.
class RunningSum {
public:
    // Makes the columns `value` needs, with room for `capacity` points; `points` is how many came
    // before it. Leaves the sums as they were if it throws.
    void prepare(double value, std::size_t points, std::size_t capacity);
    // After prepare(): never allocates. A value that is not finite or is negative is not recorded.
    void append(double value);
    void reserve(std::size_t points);
    void shrinkToFit();

    bool hasSamples() const { return !m_sums.empty(); }
    std::size_t memoryBytes() const;
    // Mean of the samples of points first..last, absent where there are none.
    std::optional<double> mean(std::size_t first, std::size_t last) const;

private:
    std::uint32_t count(std::size_t i) const;

    std::vector<double> m_sums; // sum of the samples up to and including each point
    std::vector<std::uint32_t>
        m_counts; // samples up to each point; empty while every point has one
};

} // namespace tarvimo
