// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Feeds arbitrary bytes to the number parsers, to the whole calculation and to the diary's CSV.
//
// The first byte picks the settings (bit 0: 0 Italian, 1 dot decimal) and the mode (bits 1, 2):
//   0  the rest is one text for the parsers and the numberText/readBack round trip;
//   1  the rest is split on '\x01' into the texts of the fields, in allFields() order (fields
//      past the last piece keep their default), and the sheet is calculated;
//   2  the rest is a diary file: it reads to entries that write back to the same entries, or to
//      one fault that points inside it;
//   3  the rest is split on '\x01' into the texts and ride file of diary entries, one after
//      another, whose first eight bytes also give the numbers: written in both settings, they
//      must read back exactly.
// Any broken rule traps after printing what broke; any exception other than RuntimeError
// escapes and libFuzzer reports it.

#include "calculation.h"
#include "diary_csv.h"
#include "field_sheet.h"
#include "number_text.h"
#include "runtime_error.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>
#include <utf8/cpp17.h>
#include <vector>

namespace {

using namespace tarvimo;

void require(bool ok, const char* rule, std::string_view detail = {}) {
    if (!ok) {
        std::fprintf(stderr, "fuzz_core: %s [%.*s]\n", rule, static_cast<int>(detail.size()),
                     detail.data());
        __builtin_trap();
    }
}

bool contains(std::string_view text, std::string_view piece) {
    return text.find(piece) != std::string_view::npos;
}

void requireKnownKind(const RuntimeError& error) {
    const auto kind = error.kind();
    require(kind == ErrorKind::Overflow || kind == ErrorKind::DivisionByZero ||
                kind == ErrorKind::InvalidOperation || kind == ErrorKind::TypeMismatch,
            "unknown error kind");
    require(std::strlen(error.what()) > 0, "empty error message");
}

// The largest value whose 15-digit text still reads back below the double range: above it the
// text rounds up past DBL_MAX ("1,79769313486232E+308") and reading it overflows.
constexpr double largestReadable = 1.797693134862315e308;

// A finite value must survive numberText -> readBack -> numberText unchanged, and every reader
// the calculation uses on its own results must agree on what the text says.
void checkRoundTrip(double value, const NumberSettings& settings) {
    require(std::isfinite(value), "a parse returned a non-finite value");
    const std::string text = numberText(value, settings);
    require(!text.empty(), "numberText gave an empty text");
    require(!contains(text, "Inf") && !contains(text, "NaN"), "numberText of a finite value", text);
    const std::string_view other = settings.decimal == "," ? "." : ",";
    require(!contains(text, other), "numberText used the other separator", text);

    double back = 0.0;
    try {
        back = readBack(text, settings);
    } catch (const RuntimeError& error) {
        require(error.kind() == ErrorKind::Overflow && std::fabs(value) > largestReadable,
                "readBack refused a text numberText wrote", text);
        return;
    }
    require(numberText(back, settings) == text, "readBack(numberText(v)) is not v", text);
    require(localeNumber(text, settings) == back, "localeNumber disagrees with readBack", text);
    require(leadingNumber(commaToDot(text)) == back, "leadingNumber disagrees with readBack", text);

    const double rounded = roundHalfEven(value);
    require(rounded == std::floor(rounded) && std::fabs(rounded - value) <= 0.5,
            "roundHalfEven is not the nearest integer", text);
}

// What leadingNumber made of a text: a value, or the kind of fault it threw.
struct LeadingOutcome {
    bool threw = false;
    ErrorKind kind = ErrorKind::Overflow;
    double value = 0.0;

    bool operator==(const LeadingOutcome& other) const {
        if (threw || other.threw) {
            return threw == other.threw && kind == other.kind;
        }
        return value == other.value && std::signbit(value) == std::signbit(other.value);
    }
};

LeadingOutcome leadingOutcome(std::string_view text) {
    try {
        return {false, ErrorKind::Overflow, leadingNumber(text)};
    } catch (const RuntimeError& error) {
        return {true, error.kind(), 0.0};
    }
}

// Blanks are skipped wherever they stand, so adding one must change nothing. A blank also sends
// leadingNumber past its quick reader for plain numbers, so this compares the two readers.
void checkBlankInsensitive(std::string_view text) {
    const auto plain = leadingOutcome(text);
    for (const std::size_t at : {std::size_t{0}, text.size() / 2}) {
        std::string blanked(text);
        blanked.insert(at, 1, ' ');
        require(leadingOutcome(blanked) == plain, "a blank changed leadingNumber", text);
    }
}

void fuzzParsers(std::string_view text, const NumberSettings& settings) {
    checkBlankInsensitive(text);
    try {
        checkRoundTrip(leadingNumber(text), settings);
    } catch (const RuntimeError& error) {
        require(error.kind() == ErrorKind::Overflow, "leadingNumber threw other than Overflow");
    }
    try {
        checkRoundTrip(localeNumber(text, settings), settings);
    } catch (const RuntimeError& error) {
        require(error.kind() == ErrorKind::TypeMismatch || error.kind() == ErrorKind::Overflow,
                "localeNumber threw other than TypeMismatch or Overflow");
    }
    // The same bytes as a raw double reach values no text parse would produce.
    if (text.size() >= sizeof(double)) {
        double raw = 0.0;
        std::memcpy(&raw, text.data(), sizeof raw);
        if (std::isfinite(raw)) {
            checkRoundTrip(raw, settings);
        }
    }
    const std::string dotted = commaToDot(text);
    require(dotted.size() == text.size() && !contains(dotted, ","), "commaToDot");
}

void fuzzCalculation(std::string_view rest, const NumberSettings& settings) {
    FieldSheet sheet;
    bool more = true;
    for (const auto& info : allFields()) {
        if (!more) {
            break;
        }
        const auto end = rest.find('\x01');
        sheet.setText(info.field, std::string(rest.substr(0, end)));
        if (end == std::string_view::npos) {
            more = false;
        } else {
            rest.remove_prefix(end + 1);
        }
    }

    try {
        calculate(sheet, settings);
    } catch (const RuntimeError& error) {
        requireKnownKind(error);
        return;
    }
    for (const auto& info : allFields()) {
        if (!info.isResult) {
            continue;
        }
        const std::string& text = sheet.text(info.field);
        require(!text.empty(), "empty result", info.name);
        require(!contains(text, "Inf") && !contains(text, "NaN"), "result not finite", text);
        // Only the total keeps the user's separator; the others end up with ".".
        if (info.field != Field::mostraptot) {
            require(!contains(text, ","), "result kept a comma", text);
        }
    }
}

// ---- the diary ----

const std::array<double DiaryEntry::*, 9> diaryNumbers{
    &DiaryEntry::totalPower, &DiaryEntry::wattsPerKg,  &DiaryEntry::vam,
    &DiaryEntry::speed,      &DiaryEntry::seconds,     &DiaryEntry::length,
    &DiaryEntry::gain,       &DiaryEntry::stretchFrom, &DiaryEntry::stretchTo};

// What a written entry must read back as: the same, a number that is not finite as NaN.
void requireSameEntries(const std::vector<DiaryEntry>& read,
                        const std::vector<DiaryEntry>& written) {
    require(read.size() == written.size(), "a different number of entries");
    for (std::size_t i = 0; i < read.size(); ++i) {
        const DiaryEntry& a = read[i];
        const DiaryEntry& b = written[i];
        require(a.id == 0 && a.savedAt == b.savedAt, "saved moment changed");
        require(a.texts == b.texts && a.rideFile == b.rideFile, "a text changed");
        for (const auto member : diaryNumbers) {
            const double x = a.*member;
            const double y = b.*member;
            require(std::isfinite(y) ? x == y && std::signbit(x) == std::signbit(y) : std::isnan(x),
                    "a number changed");
        }
    }
}

const NumberSettings& otherSettings(const NumberSettings& settings) {
    static const auto italian = NumberSettings::italian();
    static const auto dot = NumberSettings::dotDecimal();
    return settings.decimal == "," ? dot : italian;
}

void fuzzDiaryRead(std::string_view text, const NumberSettings& settings) {
    const auto read = readDiaryCsv(text, settings);
    if (read.error) {
        const auto& error = *read.error;
        require(read.entries.empty(), "entries beside a fault");
        const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
        require(error.line >= 1 && error.line <= lines + 1, "fault line outside the text");
        // A header names the first column that differs or is missing; other faults a cell.
        if (error.fault == DiaryCsvFault::WrongHeader) {
            require(error.column >= 1 && error.column <= std::min(error.cells, diaryCsvColumns) + 1,
                    "header fault past the first missing column");
        } else {
            const auto separators = std::count_if(text.begin(), text.end(),
                                                  [](char c) { return c == ';' || c == ','; });
            require(error.column <= static_cast<std::size_t>(separators) + 1,
                    "fault column past the cells of the text");
        }
        require(!diaryCsvMessage(error).empty(), "empty message");
        return;
    }
    // What was read writes back, in either setting, to a text that reads to the same entries.
    for (const auto* writer : {&settings, &otherSettings(settings)}) {
        const auto again = readDiaryCsv(writeDiaryCsv(read.entries, *writer), settings);
        require(!again.error, "a diary written from read entries does not read");
        requireSameEntries(again.entries, read.entries);
    }
}

void fuzzDiaryWrite(std::string_view rest, const NumberSettings& settings) {
    std::vector<DiaryEntry> entries;
    std::size_t piece = 0;
    while (!rest.empty() && entries.size() < 8) {
        const auto end = rest.find('\x01');
        const std::string text(rest.substr(0, end));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end + 1);
        if (piece == 0) {
            entries.emplace_back();
        }
        DiaryEntry& entry = entries.back();
        if (piece < fieldCount) {
            entry.texts[piece] = text;
        } else {
            entry.rideFile = text;
        }
        if (piece < diaryNumbers.size() && text.size() >= sizeof(double)) {
            std::memcpy(&(entry.*diaryNumbers[piece]), text.data(), sizeof(double));
        }
        for (const char c : text) {
            entry.savedAt = (entry.savedAt * 31 + static_cast<unsigned char>(c)) % 315569520000;
        }
        piece = (piece + 1) % (fieldCount + 1);
    }
    for (auto& entry : entries) {
        entry.savedAt -= 62167219200; // from the start of year 0000 to the end of year 9999
    }
    const std::string text = writeDiaryCsv(entries, settings);
    // Bytes that are not UTF-8 are written as U+FFFD.
    for (auto& entry : entries) {
        for (auto& piece : entry.texts) {
            piece = utf8::replace_invalid(piece);
        }
        entry.rideFile = utf8::replace_invalid(entry.rideFile);
    }
    for (const auto* reader : {&settings, &otherSettings(settings)}) {
        const auto read = readDiaryCsv(text, *reader);
        require(!read.error, "a written diary does not read",
                read.error ? diaryCsvMessage(*read.error) : std::string());
        requireSameEntries(read.entries, entries);
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    const auto settings =
        (data[0] & 1) != 0 ? NumberSettings::dotDecimal() : NumberSettings::italian();
    const std::string_view rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    switch ((data[0] >> 1) & 3) {
    case 0:
        fuzzParsers(rest, settings);
        break;
    case 1:
        fuzzCalculation(rest, settings);
        break;
    case 2:
        fuzzDiaryRead(rest, settings);
        break;
    default:
        fuzzDiaryWrite(rest, settings);
    }
    return 0;
}
