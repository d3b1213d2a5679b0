// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "counted.h"

namespace tarvimo {

std::string counted(std::int64_t count, std::string_view one, std::string_view many) {
    const std::string_view sentence = count == 1 ? one : many;
    const std::string number = grouped(count);
    std::string result;
    std::size_t from = 0;
    for (std::size_t at; (at = sentence.find("%1", from)) != std::string_view::npos; from = at + 2)
        result.append(sentence.substr(from, at - from)).append(number);
    return result.append(sentence.substr(from));
}

std::string grouped(std::int64_t number) {
    // Digits of the magnitude, so that the smallest number has no overflow on negation.
    const std::string digits = std::to_string(number < 0 ? 0 - static_cast<std::uint64_t>(number)
                                                         : static_cast<std::uint64_t>(number));
    std::string result = number < 0 ? "-" : "";
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            result += '.';
        result += digits[i];
    }
    return result;
}

} // namespace tarvimo
