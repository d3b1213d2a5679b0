// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "iso_time.h"

#include "text_number.h"

#include <cstdint>

namespace tarvimo {
namespace {

// Days from 1970-01-01 to y-m-d in the proleptic Gregorian calendar (Howard Hinnant's algorithm).
std::int64_t daysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2 ? 1 : 0;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m + (m > 2 ? -3 : 9)) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

bool isLeap(std::int64_t y) {
    return (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
}

unsigned daysInMonth(std::int64_t y, unsigned m) {
    constexpr unsigned days[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    return m == 2 && isLeap(y) ? 29 : days[m - 1];
}

class Cursor {
public:
    explicit Cursor(std::string_view text) : m_text(text) {}
    bool done() const { return m_at == m_text.size(); }
    char peek() const { return done() ? '\0' : m_text[m_at]; }
    bool take(char c) {
        if (peek() != c) {
            return false;
        }
        ++m_at;
        return true;
    }
    // Exactly `count` digits.
    bool digits(int count, unsigned& value) {
        value = 0;
        for (int i = 0; i < count; ++i) {
            const char c = peek();
            if (c < '0' || c > '9') {
                return false;
            }
            value = value * 10 + unsigned(c - '0');
            ++m_at;
        }
        return true;
    }
    double fraction() {
        double value = 0;
        double scale = 0.1;
        while (peek() >= '0' && peek() <= '9') {
            value += scale * (peek() - '0');
            scale *= 0.1;
            ++m_at;
        }
        return value;
    }

private:
    std::string_view m_text;
    std::size_t m_at = 0;
};

} // namespace

std::optional<double> parseIsoTime(std::string_view text) {
    Cursor at(trimmedText(text));
    unsigned year = 0, month = 0, day = 0, hour = 0, minute = 0, second = 0;
    if (!at.digits(4, year) || !at.take('-') || !at.digits(2, month) || !at.take('-') ||
        !at.digits(2, day) || !(at.take('T') || at.take('t') || at.take(' ')) ||
        !at.digits(2, hour) || !at.take(':') || !at.digits(2, minute) || !at.take(':') ||
        !at.digits(2, second)) {
        return std::nullopt;
    }
    if (month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month) || hour > 23 ||
        minute > 59 || second > 60) {
        return std::nullopt;
    }
    double fraction = 0;
    if (at.take('.') || at.take(',')) {
        if (at.peek() < '0' || at.peek() > '9') {
            return std::nullopt;
        }
        fraction = at.fraction();
    }
    int offset = 0; // seconds east of UTC
    if (at.take('Z') || at.take('z')) {
    } else if (at.peek() == '+' || at.peek() == '-') {
        const int sign = at.take('-') ? -1 : (at.take('+'), 1);
        unsigned oh = 0, om = 0;
        if (!at.digits(2, oh)) {
            return std::nullopt;
        }
        if (!at.done() && (!(at.take(':'), at.digits(2, om)))) {
            return std::nullopt;
        }
        if (oh > 23 || om > 59) {
            return std::nullopt;
        }
        offset = sign * int(oh * 3600 + om * 60);
    }
    if (!at.done()) {
        return std::nullopt;
    }
    const std::int64_t days = daysFromCivil(year, month, day);
    return double(days * 86400 + hour * 3600 + minute * 60 + second - offset) + fraction;
}

} // namespace tarvimo
