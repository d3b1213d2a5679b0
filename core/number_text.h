// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <string>
#include <string_view>

namespace tarvimo {

// The two characters of the user's number settings that matter here. Each is one character,
// held as UTF-8 because some settings use a non-breaking space for grouping.
struct NumberSettings {
    std::string decimal = ",";
    std::string grouping = ".";

    // The pair the program is made for, and the one used when the desktop gives none.
    static NumberSettings italian() { return {",", "."}; }
    static NumberSettings dotDecimal() { return {".", ","}; }
};

// Reads the number at the start of the text, ignoring spaces, tabs and line feeds anywhere.
// Only "." is a decimal point; reading stops at the first character that does not fit, so
// "222,3" gives 222 and "abc" gives 0. Throws RuntimeError(Overflow) beyond the double range.
double leadingNumber(std::string_view text);

// Reads the whole text as a number written with the user's settings: surrounding spaces, a sign,
// digits with grouping characters, the decimal separator and an exponent. Anything else,
// the empty text included, throws RuntimeError(TypeMismatch); beyond the range, Overflow.
double localeNumber(std::string_view text, const NumberSettings& settings);

// Writes a number with at most 15 significant digits and the settings' decimal separator,
// switching to exponent form ("1E+15", "1,5E-05") for very large or very small magnitudes.
std::string numberText(double value, const NumberSettings& settings);

// Rounds to the nearest integer, halves to the even neighbour.
double roundHalfEven(double value);

// The text with every "," replaced by ".".
std::string commaToDot(std::string_view text);

// Reads back a number this program wrote with numberText, whatever the decimal separator.
double readBack(std::string_view text, const NumberSettings& settings);

} // namespace tarvimo
