// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "number_text.h"

#include "runtime_error.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <optional>
#include <system_error>

namespace tarvimo {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

bool isExponentLetter(char c) {
    return c == 'e' || c == 'E' || c == 'd' || c == 'D';
}

// A number split into its parts, always written with "." and "e" so that std::from_chars can
// read it without looking at any locale.
struct NumberParts {
    bool negative = false;
    std::string integerDigits;
    std::string fractionDigits;
    bool exponentNegative = false;
    std::string exponentDigits;
};

// Adds up to a bound so that an exponent of a thousand digits cannot overflow an integer.
std::int64_t saturatedExponent(const NumberParts& parts) {
    constexpr std::int64_t limit = 1'000'000'000;
    std::int64_t value = 0;
    for (char c : parts.exponentDigits) {
        value = value * 10 + (c - '0');
        if (value > limit) {
            value = limit;
            break;
        }
    }
    return parts.exponentNegative ? -value : value;
}

// For a value std::from_chars found out of range: true if it is too large, false if too small.
bool beyondLargest(const NumberParts& parts) {
    std::int64_t position = 0; // decimal position of the first significant digit
    const auto firstInteger = parts.integerDigits.find_first_not_of('0');
    if (firstInteger != std::string::npos) {
        position = static_cast<std::int64_t>(parts.integerDigits.size() - firstInteger);
    } else {
        const auto firstFraction = parts.fractionDigits.find_first_not_of('0');
        position = -static_cast<std::int64_t>(firstFraction);
    }
    return position + saturatedExponent(parts) > 0;
}

double toDouble(const NumberParts& parts) {
    const bool allZero = parts.integerDigits.find_first_not_of('0') == std::string::npos &&
                         parts.fractionDigits.find_first_not_of('0') == std::string::npos;
    if (allZero) {
        return parts.negative ? -0.0 : 0.0;
    }
    std::string canonical;
    canonical.reserve(parts.integerDigits.size() + parts.fractionDigits.size() +
                      parts.exponentDigits.size() + 4);
    canonical += parts.integerDigits.empty() ? "0" : parts.integerDigits;
    if (!parts.fractionDigits.empty()) {
        canonical += '.';
        canonical += parts.fractionDigits;
    }
    if (!parts.exponentDigits.empty()) {
        canonical += parts.exponentNegative ? "e-" : "e";
        canonical += parts.exponentDigits;
    }
    double value = 0.0;
    const auto result = std::from_chars(canonical.data(), canonical.data() + canonical.size(),
                                        value, std::chars_format::general);
    if (result.ec == std::errc::result_out_of_range) {
        if (beyondLargest(parts)) {
            throw RuntimeError(ErrorKind::Overflow);
        }
        value = 0.0;
    }
    return parts.negative ? -value : value;
}

bool startsWith(std::string_view text, std::size_t at, std::string_view piece) {
    return !piece.empty() && text.substr(at, piece.size()) == piece;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

// The usual case, a number written without blanks and with an "e" exponent if any, read in place
// without copying. Anything else is left to the general reader.
std::optional<double> plainLeadingNumber(std::string_view text) {
    const std::size_t size = text.size();
    std::size_t at = 0;
    if (at < size && text[at] == '-') {
        ++at;
    }
    const std::size_t integerStart = at;
    while (at < size && isDigit(text[at])) {
        ++at;
    }
    bool anyDigit = at > integerStart;
    if (at < size && text[at] == '.') {
        const std::size_t fractionStart = ++at;
        while (at < size && isDigit(text[at])) {
            ++at;
        }
        anyDigit = anyDigit || at > fractionStart;
    }
    if (!anyDigit) {
        return std::nullopt;
    }
    std::size_t end = at;
    if (at < size && (text[at] == 'e' || text[at] == 'E')) {
        ++at;
        if (at < size && (text[at] == '+' || text[at] == '-')) {
            ++at;
        }
        const std::size_t exponentStart = at;
        while (at < size && isDigit(text[at])) {
            ++at;
        }
        if (at > exponentStart) {
            end = at;
        }
    }
    // A blank may hide a continuation of the number, and "d" is an exponent letter too.
    if (at < size && (text[at] == ' ' || text[at] == '\t' || text[at] == '\n' || text[at] == 'd' ||
                      text[at] == 'D')) {
        return std::nullopt;
    }
    double value = 0.0;
    const auto result = std::from_chars(text.data(), text.data() + end, value);
    if (result.ec != std::errc() || result.ptr != text.data() + end) {
        return std::nullopt; // out of range, among others: the general reader tells which way
    }
    return value;
}

} // namespace

double leadingNumber(std::string_view text) {
    if (const auto plain = plainLeadingNumber(text)) {
        return *plain;
    }
    // Blanks are skipped wherever they are, so the text is walked without copying it first.
    std::size_t at = 0;
    const auto skipBlanks = [&] {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\n')) {
            ++at;
        }
    };
    const auto peek = [&]() -> char {
        skipBlanks();
        return at < text.size() ? text[at] : '\0';
    };

    NumberParts parts;
    if (const char c = peek(); c == '+' || c == '-') {
        parts.negative = c == '-';
        ++at;
    }
    while (isDigit(peek())) {
        parts.integerDigits += text[at++];
    }
    if (peek() == '.') {
        ++at;
        while (isDigit(peek())) {
            parts.fractionDigits += text[at++];
        }
    }
    if (parts.integerDigits.empty() && parts.fractionDigits.empty()) {
        return 0.0;
    }
    if (isExponentLetter(peek())) {
        ++at;
        bool negative = false;
        if (const char c = peek(); c == '+' || c == '-') {
            negative = c == '-';
            ++at;
        }
        // An exponent letter without digits is not part of the number.
        while (isDigit(peek())) {
            parts.exponentDigits += text[at++];
        }
        parts.exponentNegative = negative;
    }
    return toDouble(parts);
}

double localeNumber(std::string_view text, const NumberSettings& settings) {
    const auto mismatch = [] { return RuntimeError(ErrorKind::TypeMismatch); };
    while (!text.empty() && isBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && isBlank(text.back())) {
        text.remove_suffix(1);
    }

    NumberParts parts;
    std::size_t at = 0;
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        parts.negative = text[at] == '-';
        ++at;
    }
    while (at < text.size()) {
        if (isDigit(text[at])) {
            parts.integerDigits += text[at++];
        } else if (!parts.integerDigits.empty() && startsWith(text, at, settings.grouping) &&
                   settings.grouping != settings.decimal) {
            at += settings.grouping.size();
        } else {
            break;
        }
    }
    if (startsWith(text, at, settings.decimal)) {
        at += settings.decimal.size();
        while (at < text.size() && isDigit(text[at])) {
            parts.fractionDigits += text[at++];
        }
    }
    if (parts.integerDigits.empty() && parts.fractionDigits.empty()) {
        throw mismatch();
    }
    if (at < text.size() && isExponentLetter(text[at])) {
        ++at;
        if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
            parts.exponentNegative = text[at] == '-';
            ++at;
        }
        while (at < text.size() && isDigit(text[at])) {
            parts.exponentDigits += text[at++];
        }
        if (parts.exponentDigits.empty()) {
            throw mismatch();
        }
    }
    if (at != text.size()) {
        throw mismatch();
    }
    return toDouble(parts);
}

std::string numberText(double value, const NumberSettings& settings) {
    if (std::isnan(value)) {
        return "NaN";
    }
    if (std::isinf(value)) {
        return value < 0 ? "-Inf" : "Inf";
    }
    if (value == 0.0) {
        return "0"; // negative zero too
    }

    // Fifteen significant digits, rounded to nearest: "d.dddddddddddddde+XX".
    std::array<char, 32> buffer{};
    const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), std::abs(value),
                                      std::chars_format::scientific, 14);
    const std::string_view scientific(buffer.data(), result.ptr - buffer.data());
    const auto ePos = scientific.find('e');
    std::string digits;
    digits += scientific[0];
    digits += scientific.substr(2, ePos - 2);
    int exponent = 0;
    const auto exponentText = scientific.substr(ePos + 1);
    const bool exponentNegative = exponentText.front() == '-';
    std::from_chars(exponentText.data() + 1, exponentText.data() + exponentText.size(), exponent);
    if (exponentNegative) {
        exponent = -exponent;
    }
    digits.erase(digits.find_last_not_of('0') + 1);

    std::string text = value < 0 ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        text += digits[0];
        if (digits.size() > 1) {
            text += settings.decimal;
            text.append(digits, 1);
        }
        text += exponent < 0 ? "E-" : "E+";
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10) {
            text += '0';
        }
        text += std::to_string(magnitude);
    } else if (exponent >= 0) {
        const auto integerCount = static_cast<std::size_t>(exponent) + 1;
        if (digits.size() <= integerCount) {
            text += digits;
            text.append(integerCount - digits.size(), '0');
        } else {
            text.append(digits, 0, integerCount);
            text += settings.decimal;
            text.append(digits, integerCount);
        }
    } else {
        text += '0';
        text += settings.decimal;
        text.append(static_cast<std::size_t>(-exponent - 1), '0');
        text += digits;
    }
    return text;
}

double roundHalfEven(double value) {
    if (!std::isfinite(value)) {
        return value;
    }
    const double below = std::floor(value);
    const double fraction = value - below; // exact for doubles
    if (fraction < 0.5) {
        return below;
    }
    if (fraction > 0.5) {
        return below + 1.0;
    }
    return std::fmod(below, 2.0) == 0.0 ? below : below + 1.0;
}

std::string commaToDot(std::string_view text) {
    std::string result(text);
    for (char& c : result) {
        if (c == ',') {
            c = '.';
        }
    }
    return result;
}

double readBack(std::string_view text, const NumberSettings& settings) {
    if (settings.decimal == ".") {
        return leadingNumber(text);
    }
    const auto separator = text.find(settings.decimal);
    if (separator == std::string_view::npos) {
        return leadingNumber(text);
    }
    std::string normalised(text.substr(0, separator));
    normalised += '.';
    normalised += text.substr(separator + settings.decimal.size());
    return leadingNumber(normalised);
}

} // namespace tarvimo
