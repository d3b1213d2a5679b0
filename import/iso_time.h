// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <optional>
#include <string_view>

namespace tarvimo {

// Seconds since 1970-01-01T00:00:00Z of an ISO 8601 date and time such as
// "2024-06-01T08:15:30.25+02:00"; no offset means UTC. Parsed by hand: one per point, no locale.
std::optional<double> parseIsoTime(std::string_view text);

} // namespace tarvimo
