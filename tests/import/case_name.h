// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <ostream>

// In the unnamed namespace of the test that includes it, beside its cases, where GoogleTest's
// printer finds it.
namespace {

// Each case of a reader table prints as its description.
template <typename Case>
requires requires(const Case& c) {
    c.what;
}
std::ostream& operator<<(std::ostream& out, const Case& c) {
    return out << c.what;
}

} // namespace
