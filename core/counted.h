// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tarvimo {

// A sentence about `count` things, in Italian: `one` where there is exactly one, else `many`
// (nought takes the plural: "0 punti"). Each "%1" in it becomes the count, grouped in thousands.
std::string counted(std::int64_t count, std::string_view one, std::string_view many);

// A whole number grouped in thousands as in Italian: "1.000", "-12.345".
std::string grouped(std::int64_t number);

} // namespace tarvimo
