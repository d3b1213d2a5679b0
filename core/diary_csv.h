// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "diary_entry.h"
#include "field_sheet.h"
#include "number_text.h"

#include <array>
#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace tarvimo {

// The diary as a CSV file, for export and import. One header row, then one row per entry:
//   salvato_il   the saved moment, "2026-12-09T05:30:00Z" (UTC)
//   <field>      every field's text, under its name, in allFields() order
//   potenza_W W_kg VAM_m_h velocita_kmh tempo_s lunghezza_m dislivello_m
//   traccia da_m a_m
// The store's id is not written: imported entries are new ones.
//
// As spreadsheets do for the user's number settings, cells are separated by ";" where the
// decimal separator is "," and by "," otherwise. Numbers carry the settings' decimal separator,
// no grouping, and as many digits as it takes to read back the same double; a number that is
// not finite is an empty cell. A cell holding the separator, a quote, CR or LF is quoted, its
// quotes doubled (RFC 4180). UTF-8 with a byte-order mark, CRLF after each row; bytes of a text
// that are not UTF-8 are written as U+FFFD, so that whatever is written reads back.
inline constexpr std::size_t diaryCsvColumns = 1 + fieldCount + 10;

// The header's names, left to right.
const std::array<std::string_view, diaryCsvColumns>& diaryCsvHeader();

// Throws std::out_of_range for an entry saved outside the years 0000 to 9999.
std::string writeDiaryCsv(std::span<const DiaryEntry> entries, const NumberSettings& settings);

// What stops a diary file from being read.
enum class DiaryCsvFault {
    Empty,          // no header row
    NotUtf8,        // bytes that are not UTF-8
    WrongHeader,    // the first row is not the diary's header
    WrongCellCount, // a row with more or fewer cells than the header
    BadDateTime,    // the saved moment is not "yyyy-mm-ddThh:mm:ssZ" or no such moment exists
    BadNumber,      // a number cell neither empty nor a number
    StrayQuote,     // a quote inside an unquoted cell, or something after a closing quote
    UnclosedQuote,  // a quoted cell running to the end of the file
};

struct DiaryCsvError {
    DiaryCsvFault fault = DiaryCsvFault::Empty;
    std::size_t line = 1;   // 1-based line of the text: where the faulty cell or row starts,
                            // or NotUtf8's first bad byte
    std::size_t column = 0; // 1-based cell of that row, 0 where the fault is the whole row's
    std::size_t cells = 0;  // WrongCellCount and WrongHeader: how many cells the row has
};

// Either every entry of the file or the first fault met; never part of the entries.
struct DiaryCsvRead {
    std::vector<DiaryEntry> entries;
    std::optional<DiaryCsvError> error;
};

// Reads what writeDiaryCsv writes, with or without the byte-order mark, with CRLF or LF line
// ends; empty lines are skipped. The header must be exactly the diary's, and it tells the
// separator: a file written with the other number settings reads too (";" means decimal ",",
// and "," means this user's decimal separator, or "." where that is ","), since a diary moves
// between computers and nothing in the header can be mistaken. Entries come back with id 0.
DiaryCsvRead readDiaryCsv(std::string_view text, const NumberSettings& settings);

// The Italian sentence for a fault, as the user reads it ("Riga 12: 30 celle invece di 38.").
std::string diaryCsvMessage(const DiaryCsvError& error);

} // namespace tarvimo
