// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "diary_entry.h"

#include "runtime_error.h"

#include <chrono>
#include <cstddef>
#include <string_view>

namespace tarvimo {

namespace {

bool isDigit(char c) {
    return c >= '0' && c <= '9';
}

// Whether leadingNumber finds any digit in the text once `point` is read as ".": it skips
// blanks anywhere and gives 0 for a text without digits, which here must count as no number.
bool startsWithNumber(std::string_view text, std::string_view point) {
    std::size_t at = 0;
    const auto skipBlanks = [&] {
        while (at < text.size() && (text[at] == ' ' || text[at] == '\t' || text[at] == '\n')) {
            ++at;
        }
    };
    skipBlanks();
    if (at < text.size() && (text[at] == '+' || text[at] == '-')) {
        ++at;
        skipBlanks();
    }
    if (at < text.size() && isDigit(text[at])) {
        return true;
    }
    if (text.substr(at, 1) == "." || (!point.empty() && text.substr(at, point.size()) == point)) {
        at += text[at] == '.' ? 1 : point.size();
        skipBlanks();
        return at < text.size() && isDigit(text[at]);
    }
    return false;
}

// An input as the calculation reads it, after writing "," as ".".
std::optional<double> inputNumber(const std::string& text) {
    if (!startsWithNumber(text, ",")) {
        return std::nullopt;
    }
    try {
        return leadingNumber(text.find(',') == std::string::npos ? text : commaToDot(text));
    } catch (const RuntimeError&) {
        return std::nullopt; // beyond the double range: the calculation would have stopped
    }
}

// A result as the calculation reads its own: the user's separator or ".".
std::optional<double> resultNumber(const std::string& text, const NumberSettings& settings) {
    if (!startsWithNumber(text, settings.decimal)) {
        return std::nullopt;
    }
    try {
        return readBack(text, settings);
    } catch (const RuntimeError&) {
        return std::nullopt;
    }
}

// From `least` to `most` digits from `at`, moving past them.
std::optional<unsigned> digitsAt(std::string_view text, std::size_t& at, std::size_t least,
                                 std::size_t most) {
    unsigned value = 0;
    std::size_t count = 0;
    while (at < text.size() && isDigit(text[at]) && count < most) {
        value = value * 10 + static_cast<unsigned>(text[at] - '0');
        ++at;
        ++count;
    }
    if (count < least) {
        return std::nullopt;
    }
    return value;
}

} // namespace

DiaryEntry makeDiaryEntry(const FieldSheet& sheet, const NumberSettings& settings,
                          std::int64_t savedAt) {
    using enum Field;
    DiaryEntry entry;
    entry.savedAt = savedAt;
    for (const auto& info : allFields()) {
        entry.texts[static_cast<std::size_t>(info.field)] = sheet.text(info.field);
    }
    const auto result = [&](Field field) {
        return resultNumber(sheet.text(field), settings).value_or(NAN);
    };
    entry.totalPower = result(mostraptot);
    entry.wattsPerKg = result(mostrawkg);
    entry.vam = result(mostraVAM);
    entry.speed = result(mostraVmedia);

    entry.length = inputNumber(sheet.text(sceglilunghezza)).value_or(NAN);
    entry.gain = inputNumber(sheet.text(sceglidislivello)).value_or(NAN);
    const auto minutes = inputNumber(sheet.text(scegliminuti));
    const auto seconds = inputNumber(sheet.text(sceglisecondi));
    if (minutes || seconds) {
        // In the calculation's order, so that the sum is the very time it divided by.
        entry.seconds = seconds.value_or(0.0) + minutes.value_or(0.0) * 60;
    }
    return entry;
}

std::optional<int> climbDay(const DiaryEntry& entry) {
    std::string_view text = entry.text(Field::sceglidata);
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    std::size_t at = 0;
    const auto day = digitsAt(text, at, 1, 2);
    if (!day || at >= text.size()) {
        return std::nullopt;
    }
    const char separator = text[at++];
    if (separator != '-' && separator != '/' && separator != '.') {
        return std::nullopt;
    }
    const auto month = digitsAt(text, at, 1, 2);
    if (!month || at >= text.size() || text[at++] != separator) {
        return std::nullopt;
    }
    const auto year = digitsAt(text, at, 4, 4);
    if (!year || at != text.size()) {
        return std::nullopt;
    }
    using namespace std::chrono;
    const year_month_day date{std::chrono::year(static_cast<int>(*year)),
                              std::chrono::month(*month), std::chrono::day(*day)};
    if (!date.ok()) {
        return std::nullopt;
    }
    return sys_days(date).time_since_epoch().count();
}

} // namespace tarvimo
