// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "diary_csv.h"

#include "counted.h"
#include "runtime_error.h"

#include <algorithm>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <iterator>
#include <stdexcept>
#include <utf8/checked.h>

namespace tarvimo {

namespace {

using namespace std::chrono;

constexpr std::string_view byteOrderMark = "\xEF\xBB\xBF";
constexpr std::string_view savedAtName = "salvato_il";
constexpr std::string_view rideFileName = "traccia";

struct NumberColumn {
    std::string_view name;
    double DiaryEntry::*member;
};

// The seven numbers a chart needs, then, after the ride file's column, its stretch.
constexpr std::array<NumberColumn, 7> chartColumns{{
    {"potenza_W", &DiaryEntry::totalPower},
    {"W_kg", &DiaryEntry::wattsPerKg},
    {"VAM_m_h", &DiaryEntry::vam},
    {"velocita_kmh", &DiaryEntry::speed},
    {"tempo_s", &DiaryEntry::seconds},
    {"lunghezza_m", &DiaryEntry::length},
    {"dislivello_m", &DiaryEntry::gain},
}};
constexpr std::array<NumberColumn, 2> stretchColumns{{
    {"da_m", &DiaryEntry::stretchFrom},
    {"a_m", &DiaryEntry::stretchTo},
}};

// Column indices, 0-based.
constexpr std::size_t firstFieldColumn = 1;
constexpr std::size_t firstChartColumn = firstFieldColumn + fieldCount;
constexpr std::size_t rideFileColumn = firstChartColumn + chartColumns.size();
constexpr std::size_t firstStretchColumn = rideFileColumn + 1;
static_assert(firstStretchColumn + stretchColumns.size() == diaryCsvColumns);

std::array<std::string_view, diaryCsvColumns> makeHeader() {
    std::array<std::string_view, diaryCsvColumns> header;
    header[0] = savedAtName;
    for (const auto& info : allFields()) {
        header[firstFieldColumn + static_cast<std::size_t>(info.field)] = info.name;
    }
    for (std::size_t i = 0; i < chartColumns.size(); ++i) {
        header[firstChartColumn + i] = chartColumns[i].name;
    }
    header[rideFileColumn] = rideFileName;
    for (std::size_t i = 0; i < stretchColumns.size(); ++i) {
        header[firstStretchColumn + i] = stretchColumns[i].name;
    }
    return header;
}

char separatorFor(const NumberSettings& settings) {
    return settings.decimal == "," ? ';' : ',';
}

// The decimal separator of a file whose cells are separated by `separator`.
NumberSettings fileNumbers(char separator, const NumberSettings& reader) {
    if (separator == ';') {
        return {",", ""};
    }
    return {reader.decimal == "," ? "." : reader.decimal, ""};
}

// ---- the saved moment ----

constexpr std::int64_t secondsPerDay = 86400;
constexpr std::int64_t firstWritable =
    sys_days(year(0) / January / 1).time_since_epoch().count() * secondsPerDay;
constexpr std::int64_t lastWritable =
    (sys_days(year(9999) / December / 31).time_since_epoch().count() + 1) * secondsPerDay - 1;

void appendDigits(std::string& out, unsigned value, int width) {
    char digits[4];
    for (int i = width - 1; i >= 0; --i) {
        digits[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    out.append(digits, static_cast<std::size_t>(width));
}

void appendDateTime(std::string& out, std::int64_t savedAt) {
    if (savedAt < firstWritable || savedAt > lastWritable) {
        throw std::out_of_range("diary entry saved outside the years 0000 to 9999");
    }
    const sys_seconds moment{seconds(savedAt)};
    const auto day = floor<days>(moment);
    const year_month_day date(day);
    const hh_mm_ss time(moment - day);
    appendDigits(out, static_cast<unsigned>(static_cast<int>(date.year())), 4);
    out += '-';
    appendDigits(out, static_cast<unsigned>(date.month()), 2);
    out += '-';
    appendDigits(out, static_cast<unsigned>(date.day()), 2);
    out += 'T';
    appendDigits(out, static_cast<unsigned>(time.hours().count()), 2);
    out += ':';
    appendDigits(out, static_cast<unsigned>(time.minutes().count()), 2);
    out += ':';
    appendDigits(out, static_cast<unsigned>(time.seconds().count()), 2);
    out += 'Z';
}

std::optional<std::int64_t> parseDateTime(std::string_view text) {
    // yyyy-mm-ddThh:mm:ssZ
    constexpr std::string_view shape = "dddd-dd-ddTdd:dd:ddZ";
    if (text.size() != shape.size()) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < shape.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (shape[i] == 'd' ? !digit : text[i] != shape[i]) {
            return std::nullopt;
        }
    }
    const auto number = [&](std::size_t at, std::size_t width) {
        int value = 0;
        std::from_chars(text.data() + at, text.data() + at + width, value);
        return value;
    };
    const year_month_day date{year(number(0, 4)), month(static_cast<unsigned>(number(5, 2))),
                              day(static_cast<unsigned>(number(8, 2)))};
    const int hour = number(11, 2);
    const int minute = number(14, 2);
    const int second = number(17, 2);
    if (!date.ok() || hour > 23 || minute > 59 || second > 59) {
        return std::nullopt;
    }
    return sys_days(date).time_since_epoch().count() * secondsPerDay + hour * 3600 + minute * 60 +
           second;
}

// ---- writing ----

void appendCell(std::string& out, std::string_view text, char separator) {
    // Only UTF-8 reads back: stray bytes become U+FFFD, as a window would show them.
    if (utf8::find_invalid(text.begin(), text.end()) != text.end()) {
        std::string valid;
        utf8::replace_invalid(text.begin(), text.end(), std::back_inserter(valid));
        appendCell(out, valid, separator);
        return;
    }
    const char special[] = {separator, '"', '\r', '\n'};
    if (text.find_first_of(std::string_view(special, 4)) == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (std::size_t at = 0;;) {
        const auto quote = text.find('"', at);
        out.append(text, at,
                   quote == std::string_view::npos ? std::string_view::npos : quote - at + 1);
        if (quote == std::string_view::npos) {
            break;
        }
        out += '"';
        at = quote + 1;
    }
    out += '"';
}

// The shortest text that reads back as the same double.
void appendNumber(std::string& out, double value, const NumberSettings& settings, char separator) {
    if (!std::isfinite(value)) {
        return;
    }
    char buffer[64];
    const auto end = std::to_chars(buffer, buffer + sizeof buffer, value).ptr;
    std::string_view digits(buffer, static_cast<std::size_t>(end - buffer));
    const auto point = digits.find('.');
    if (point == std::string_view::npos) {
        appendCell(out, digits, separator);
        return;
    }
    std::string text(digits.substr(0, point));
    text += settings.decimal;
    text += digits.substr(point + 1);
    appendCell(out, text, separator);
}

// ---- reading ----

// Cuts the text into rows of cells, RFC 4180 style, keeping the line where each starts.
class CsvRows {
public:
    CsvRows(std::string_view text, char separator) : m_text(text), m_separator(separator) {}

    // Reads the next row that is not empty; false at the end of the text or on a fault. Only the
    // first diaryCsvColumns cells are kept; count() tells how many the row had.
    bool next();

    std::size_t count() const { return m_count; }
    std::string& cell(std::size_t i) { return m_cells[i]; }
    std::size_t cellLine(std::size_t i) const { return m_cellLines[i]; }
    std::size_t rowLine() const { return m_rowLine; }
    char separator() const { return m_separator; }
    // The row's bytes as they stand in the text.
    std::string_view rowText() const { return m_text.substr(m_rowStart, m_at - m_rowStart); }
    const std::optional<DiaryCsvError>& error() const { return m_error; }

private:
    bool fail(DiaryCsvFault fault, std::size_t line, std::size_t column) {
        m_error = DiaryCsvError{fault, line, column, 0};
        return false;
    }
    // Reads one cell into `out`; false on a fault. Sets `rowEnds` where the cell ends the row.
    bool readCell(std::string& out, bool& rowEnds);

    std::string_view m_text;
    char m_separator;
    std::size_t m_at = 0;
    std::size_t m_line = 1;
    std::size_t m_rowStart = 0;
    std::size_t m_rowLine = 1;
    std::size_t m_count = 0;
    std::array<std::string, diaryCsvColumns> m_cells;
    std::array<std::size_t, diaryCsvColumns> m_cellLines{};
    std::string m_overflow; // cells past the last column, read and dropped
    std::optional<DiaryCsvError> m_error;
};

bool CsvRows::next() {
    if (m_error) {
        return false;
    }
    // Empty lines carry no row.
    while (m_at < m_text.size()) {
        if (m_text[m_at] == '\n') {
            ++m_at;
            ++m_line;
        } else if (m_text.compare(m_at, 2, "\r\n") == 0) {
            m_at += 2;
            ++m_line;
        } else {
            break;
        }
    }
    if (m_at == m_text.size()) {
        return false;
    }
    m_rowStart = m_at;
    m_rowLine = m_line;
    m_count = 0;
    for (bool rowEnds = false; !rowEnds;) {
        const bool kept = m_count < diaryCsvColumns;
        if (kept) {
            m_cellLines[m_count] = m_line;
        }
        if (!readCell(kept ? m_cells[m_count] : m_overflow, rowEnds)) {
            return false;
        }
        ++m_count;
    }
    return true;
}

bool CsvRows::readCell(std::string& out, bool& rowEnds) {
    out.clear();
    const std::size_t size = m_text.size();
    const std::size_t column = m_count + 1;
    if (m_at < size && m_text[m_at] == '"') {
        const std::size_t line = m_line;
        ++m_at;
        for (;;) {
            const auto quote = m_text.find('"', m_at);
            if (quote == std::string_view::npos) {
                return fail(DiaryCsvFault::UnclosedQuote, line, column);
            }
            const auto piece = m_text.substr(m_at, quote - m_at);
            out += piece;
            m_line += static_cast<std::size_t>(std::count(piece.begin(), piece.end(), '\n'));
            m_at = quote + 1;
            if (m_at < size && m_text[m_at] == '"') {
                out += '"';
                ++m_at;
            } else {
                break;
            }
        }
        if (m_at == size) {
            rowEnds = true;
        } else if (m_text[m_at] == m_separator) {
            ++m_at;
        } else if (m_text[m_at] == '\n' || m_text.compare(m_at, 2, "\r\n") == 0) {
            m_at += m_text[m_at] == '\n' ? 1 : 2;
            ++m_line;
            rowEnds = true;
        } else {
            return fail(DiaryCsvFault::StrayQuote, m_line, column);
        }
        return true;
    }

    const std::size_t start = m_at;
    while (m_at < size) {
        const char c = m_text[m_at];
        if (c == m_separator || c == '\n' || c == '"') {
            break;
        }
        ++m_at;
    }
    auto value = m_text.substr(start, m_at - start);
    if (m_at == size) {
        rowEnds = true;
    } else if (m_text[m_at] == '"') {
        return fail(DiaryCsvFault::StrayQuote, m_line, column);
    } else if (m_text[m_at] == '\n') {
        if (!value.empty() && value.back() == '\r') {
            value.remove_suffix(1);
        }
        ++m_at;
        ++m_line;
        rowEnds = true;
    } else {
        ++m_at; // the separator
    }
    out += value;
    return true;
}

// The first bytes of the row that are not UTF-8, as a line of the text.
std::optional<std::size_t> badUtf8Line(std::string_view row, std::size_t rowLine) {
    const auto bad = utf8::find_invalid(row.begin(), row.end());
    if (bad == row.end()) {
        return std::nullopt;
    }
    return rowLine + static_cast<std::size_t>(std::count(row.begin(), bad, '\n'));
}

// How many leading cells of the next row agree with the header.
std::size_t headerAgreement(CsvRows& rows) {
    if (!rows.next()) {
        return 0;
    }
    const auto& header = diaryCsvHeader();
    const std::size_t kept = std::min(rows.count(), diaryCsvColumns);
    std::size_t agree = 0;
    while (agree < kept && rows.cell(agree) == header[agree]) {
        ++agree;
    }
    return agree;
}

// Fills the entry from a row of diaryCsvColumns cells; the fault where a cell does not fit.
std::optional<DiaryCsvError> readEntry(CsvRows& rows, const NumberSettings& numbers,
                                       DiaryEntry& entry) {
    const auto fault = [&](DiaryCsvFault kind, std::size_t column) {
        return DiaryCsvError{kind, rows.cellLine(column), column + 1, 0};
    };
    const auto savedAt = parseDateTime(rows.cell(0));
    if (!savedAt) {
        return fault(DiaryCsvFault::BadDateTime, 0);
    }
    entry.savedAt = *savedAt;
    for (std::size_t i = 0; i < fieldCount; ++i) {
        entry.texts[i] = std::move(rows.cell(firstFieldColumn + i));
    }
    entry.rideFile = std::move(rows.cell(rideFileColumn));
    const auto readNumbers = [&](std::span<const NumberColumn> columns,
                                 std::size_t first) -> std::optional<DiaryCsvError> {
        for (std::size_t i = 0; i < columns.size(); ++i) {
            const std::string& cell = rows.cell(first + i);
            double value = NAN;
            if (!cell.empty()) {
                try {
                    value = localeNumber(cell, numbers);
                } catch (const RuntimeError&) {
                    return fault(DiaryCsvFault::BadNumber, first + i);
                }
            }
            entry.*columns[i].member = value;
        }
        return std::nullopt;
    };
    if (auto error = readNumbers(chartColumns, firstChartColumn)) {
        return error;
    }
    return readNumbers(stretchColumns, firstStretchColumn);
}

DiaryCsvRead failed(DiaryCsvError error) {
    return {{}, error};
}

} // namespace

const std::array<std::string_view, diaryCsvColumns>& diaryCsvHeader() {
    static const auto header = makeHeader();
    return header;
}

std::string writeDiaryCsv(std::span<const DiaryEntry> entries, const NumberSettings& settings) {
    const char separator = separatorFor(settings);
    std::string out(byteOrderMark);
    std::size_t estimate = 512;
    for (const auto& entry : entries) {
        estimate += 320 + entry.rideFile.size();
        for (const auto& text : entry.texts) {
            estimate += text.size();
        }
    }
    out.reserve(estimate);

    const auto& header = diaryCsvHeader();
    for (std::size_t i = 0; i < header.size(); ++i) {
        if (i > 0) {
            out += separator;
        }
        appendCell(out, header[i], separator);
    }
    out += "\r\n";
    for (const auto& entry : entries) {
        appendDateTime(out, entry.savedAt);
        for (const auto& text : entry.texts) {
            out += separator;
            appendCell(out, text, separator);
        }
        for (const auto& column : chartColumns) {
            out += separator;
            appendNumber(out, entry.*column.member, settings, separator);
        }
        out += separator;
        appendCell(out, entry.rideFile, separator);
        for (const auto& column : stretchColumns) {
            out += separator;
            appendNumber(out, entry.*column.member, settings, separator);
        }
        out += "\r\n";
    }
    return out;
}

DiaryCsvRead readDiaryCsv(std::string_view text, const NumberSettings& settings) {
    if (text.starts_with(byteOrderMark)) {
        text.remove_prefix(byteOrderMark.size());
    }

    // The header tells the separator; the user's own is tried first.
    const char preferred = separatorFor(settings);
    CsvRows rows(text, preferred);
    std::size_t agree = headerAgreement(rows);
    if (agree != diaryCsvColumns) {
        CsvRows otherRows(text, preferred == ';' ? ',' : ';');
        if (const auto otherAgree = headerAgreement(otherRows); otherAgree > agree) {
            rows = std::move(otherRows);
            agree = otherAgree;
        }
    }
    if (agree != diaryCsvColumns || rows.count() != diaryCsvColumns) {
        if (rows.count() == 0 && !rows.error()) {
            return failed({DiaryCsvFault::Empty, 1, 0, 0});
        }
        if (const auto line = badUtf8Line(rows.rowText(), rows.rowLine())) {
            return failed({DiaryCsvFault::NotUtf8, *line, 0, 0});
        }
        return failed({DiaryCsvFault::WrongHeader, rows.rowLine(), agree + 1, rows.count()});
    }
    const NumberSettings numbers = fileNumbers(rows.separator(), settings);

    DiaryCsvRead read;
    // One entry a line, but never more than a file of empty texts could hold: a text of many
    // lines must not reserve room for entries that are not there.
    constexpr std::size_t shortestRow = 20 + diaryCsvColumns + 1;
    read.entries.reserve(
        std::min(static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')),
                 text.size() / shortestRow));
    while (rows.next()) {
        if (const auto line = badUtf8Line(rows.rowText(), rows.rowLine())) {
            return failed({DiaryCsvFault::NotUtf8, *line, 0, 0});
        }
        if (rows.count() != diaryCsvColumns) {
            return failed({DiaryCsvFault::WrongCellCount, rows.rowLine(), 0, rows.count()});
        }
        DiaryEntry& entry = read.entries.emplace_back();
        if (auto error = readEntry(rows, numbers, entry)) {
            return failed(*error);
        }
    }
    if (rows.error()) {
        return failed(*rows.error());
    }
    return read;
}

std::string diaryCsvMessage(const DiaryCsvError& error) {
    const auto& header = diaryCsvHeader();
    std::string where = "Riga " + std::to_string(error.line);
    // A quote can be out of place in a cell past the last column too: that one has no name.
    if (error.column > diaryCsvColumns && error.fault != DiaryCsvFault::WrongHeader) {
        where += ", colonna " + std::to_string(error.column);
    } else if (error.column > 0 && error.fault != DiaryCsvFault::WrongHeader) {
        where += ", colonna «";
        where += header[error.column - 1];
        where += "»";
    }
    const std::string columns = std::to_string(diaryCsvColumns);
    switch (error.fault) {
    case DiaryCsvFault::Empty:
        return "Il file è vuoto: manca anche l'intestazione del diario.";
    case DiaryCsvFault::NotUtf8:
        return where + ": il testo non è in UTF-8.";
    case DiaryCsvFault::WrongHeader:
        if (error.column > diaryCsvColumns) {
            return where + ": l'intestazione ha " + std::to_string(error.cells) +
                   " colonne invece di " + columns + ".";
        }
        return where + ": l'intestazione non è quella del diario di Tarvimo (la colonna " +
               std::to_string(error.column) + " dovrebbe chiamarsi «" +
               std::string(header[error.column - 1]) + "»).";
    case DiaryCsvFault::WrongCellCount:
        return where + ": " +
               counted(std::int64_t(error.cells), "%1 cella invece di ", "%1 celle invece di ") +
               columns + ".";
    case DiaryCsvFault::BadDateTime:
        return where + ": il momento del salvataggio non è una data e ora come "
                       "2026-12-09T05:30:00Z.";
    case DiaryCsvFault::BadNumber:
        return where + ": non è un numero.";
    case DiaryCsvFault::StrayQuote:
        return where + ": virgolette fuori posto.";
    case DiaryCsvFault::UnclosedQuote:
        return where + ": le virgolette aperte qui non si chiudono.";
    }
    return where + ".";
}

} // namespace tarvimo
