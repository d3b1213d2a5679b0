// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculation.h"
#include "diary_csv.h"

#include <array>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>
#include <ostream>
#include <stdexcept>
#include <string>
#include <vector>

namespace tarvimo {
namespace {

using enum Field;
using E = DiaryEntry;
using Change = std::function<std::string(std::string)>;

const NumberSettings italian = NumberSettings::italian();
const NumberSettings dot = NumberSettings::dotDecimal();

DiaryEntry calculatedEntry() {
    FieldSheet sheet;
    calculate(sheet, italian);
    return makeDiaryEntry(sheet, italian, 1796794200); // 2026-12-09T05:30:00Z
}

const std::array<double E::*, 9> numbers{&E::totalPower, &E::wattsPerKg,  &E::vam,
                                         &E::speed,      &E::seconds,     &E::length,
                                         &E::gain,       &E::stretchFrom, &E::stretchTo};

void expectSame(const DiaryEntry& read, const DiaryEntry& written) {
    EXPECT_EQ(read.id, 0);
    EXPECT_EQ(read.savedAt, written.savedAt);
    EXPECT_EQ(read.texts, written.texts);
    EXPECT_EQ(read.rideFile, written.rideFile);
    for (double E::*member : numbers) {
        const double a = read.*member;
        const double b = written.*member;
        EXPECT_TRUE(std::isnan(b) ? std::isnan(a) : a == b && std::signbit(a) == std::signbit(b))
            << a << " instead of " << b;
    }
}

template <class Case> struct Named : testing::TestWithParam<Case> {};
template <class Case>
requires requires(Case c) {
    c.what;
}
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.what;
}

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

// ---- what goes out comes back ----

// The entries come back from either setting's text, the first and last saved at the ends of
// what can be written.
void expectRoundTrip(std::vector<DiaryEntry> entries) {
    entries.front().savedAt = -62167219200; // 0000-01-01T00:00:00Z
    entries.back().savedAt = 253402300799;  // 9999-12-31T23:59:59Z
    for (const auto& settings : {italian, dot}) {
        const auto read = readDiaryCsv(writeDiaryCsv(entries, settings), settings);
        ASSERT_FALSE(read.error) << diaryCsvMessage(*read.error);
        ASSERT_EQ(read.entries.size(), entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            expectSame(read.entries[i], entries[i]);
        }
    }
}

struct TextCase {
    const char* what;
    std::vector<std::pair<Field, std::string>> texts;
};
using TextRoundTrip = Named<TextCase>;

TEST_P(TextRoundTrip, KeepsEveryByte) {
    std::vector<DiaryEntry> entries(3, calculatedEntry());
    for (const auto& [field, text] : GetParam().texts) {
        entries[1].texts[static_cast<std::size_t>(field)] = text;
    }
    expectRoundTrip(entries);
}

std::string longTricky() {
    std::string text;
    while (text.size() < 65536) {
        text += "ab\"c;,\r\n\"\"";
    }
    return text.substr(0, 65536);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, TextRoundTrip,
    testing::Values(
        TextCase{
            "quotes, a quote alone, both separators",
            {{sceglinomebici, "Il \"Mortirolo\" \"\""}, {sceglidata, "\""}, {massac, "a;b,c"}}},
        TextCase{"LF, CRLF and a lone CR", {{sceglinomebici, "riga 1\nriga 2\r\nriga 3\r"}}},
        TextCase{"65,536 characters of quotes, separators, line ends", {{massac, longTricky()}}},
        TextCase{"right-to-left text, emoji and SQL",
                 {{sceglinomebici, "مرحبا 🚴‍♀️ שלום 👍🏽"},
                  {massac, "'); DROP TABLE diario; --"}}},
        TextCase{"blanks at both ends, an empty text, texts like numbers and date-times",
                 {{sceglinomebici, "  x\t "},
                  {mostraptot, ""},
                  {sceglidata, "1,5"},
                  {massac, "2026-12-09T05:30:00Z"}}}));

TEST(DiaryCsvRoundTrip, NumbersExactAndTheRide) {
    std::vector<DiaryEntry> entries(3, calculatedEntry());
    const double values[] = {
        NAN,  -0.0,    0.1 + 0.2, 5e-324, 1.7976931348623157e308, -123456789.125,
        1e-7, 123.456, 5432.1};
    for (std::size_t i = 0; i < numbers.size(); ++i) {
        entries[1].*numbers[i] = values[i];
    }
    entries[1].savedAt = -1;
    entries[1].rideFile = "giro; \"mattino\",1.gpx";
    expectRoundTrip(entries);
}

TEST(DiaryCsvWrite, RefusesAMomentPastYear9999) {
    std::vector<DiaryEntry> entries(1);
    entries[0].savedAt = 253402300800;
    EXPECT_THROW(writeDiaryCsv(entries, italian), std::out_of_range);
}

// ---- the exact text written ----

std::string header(char separator) {
    std::string text;
    for (const auto name : diaryCsvHeader()) {
        text += (text.empty() ? "" : std::string(1, separator)) + std::string(name);
    }
    return text + "\r\n";
}

const std::string H = header(';');
const std::string R =
    "2026-12-09T05:30:00Z;60;10;1;5100;460;24;00;0.2;0.005;39;23;26;170;25-08-2002;Nome Salita;"
    "Nome e cognome ciclista;222.3;8.9;3.4;234,6;3.9;9.02;12.75;1150;58;38.6;43.4;"
    "234,6;3,9;1150;12,75;1440;5100;460;;;\r\n";
const std::string pointRow =
    "2026-12-09T05:30:00Z,60,10,1,5100,460,24,00,0.2,0.005,39,23,26,170,25-08-2002,Nome Salita,"
    "Nome e cognome ciclista,222.3,8.9,3.4,\"234,6\",3.9,9.02,12.75,1150,58,38.6,43.4,"
    "234.6,3.9,1150,12.75,1440,5100,460,,,\r\n";

TEST(DiaryCsvWrite, ByteOrderMarkHeaderAndRowInEachSetting) {
    const std::vector<DiaryEntry> entries{calculatedEntry()};
    EXPECT_EQ(writeDiaryCsv(entries, italian), "\xEF\xBB\xBF" + H + R);
    EXPECT_EQ(writeDiaryCsv(entries, dot), "\xEF\xBB\xBF" + header(',') + pointRow);
    EXPECT_EQ(H.substr(0, 39), "salvato_il;massac;massabici;altramassa;");
}

TEST(DiaryCsvWrite, BytesNotUtf8BecomeReplacementCharacters) {
    std::vector<DiaryEntry> entries{calculatedEntry()};
    entries[0].rideFile = "a\xFF\xC3";
    const auto read = readDiaryCsv(writeDiaryCsv(entries, italian), italian);
    ASSERT_EQ(read.entries.size(), 1u);
    EXPECT_EQ(read.entries[0].rideFile, "a\uFFFD\uFFFD");
}

TEST(DiaryCsvWrite, QuotesALoneCarriageReturnForOtherReaders) {
    std::vector<DiaryEntry> entries{calculatedEntry()};
    entries[0].texts[static_cast<std::size_t>(sceglinomebici)] = "a\rb";
    EXPECT_NE(writeDiaryCsv(entries, italian).find(";\"a\rb\";"), std::string::npos);
}

// ---- the shapes a reader meets ----

struct FormCase {
    const char* what;
    NumberSettings writer;
    NumberSettings reader;
    Change change;
};
using Forms = Named<FormCase>;

TEST_P(Forms, ReadTheSameEntries) {
    const auto& c = GetParam();
    std::vector<DiaryEntry> entries(2, calculatedEntry());
    entries[1].savedAt = 0;
    const auto read = readDiaryCsv(c.change(writeDiaryCsv(entries, c.writer)), c.reader);
    ASSERT_FALSE(read.error) << diaryCsvMessage(*read.error);
    ASSERT_EQ(read.entries.size(), 2u);
    expectSame(read.entries[0], entries[0]);
    expectSame(read.entries[1], entries[1]);
}

const Change same = [](std::string t) { return t; };

INSTANTIATE_TEST_SUITE_P(
    Cases, Forms,
    testing::Values(
        FormCase{"no byte-order mark", italian, italian, [](std::string t) { return t.substr(3); }},
        FormCase{"LF line ends", italian, italian,
                 [](std::string t) {
                     std::erase(t, '\r');
                     return t;
                 }},
        FormCase{"no line end after the last row", dot, dot,
                 [](std::string t) { return t.substr(0, t.size() - 2); }},
        FormCase{"empty lines between and after rows", italian, italian,
                 [](std::string t) { return replaced(t, "\r\n", "\r\n\n\r\n") + "\n\r\n"; }},
        FormCase{"header names quoted, as some spreadsheets write them", italian, italian,
                 [](std::string t) {
                     return replaced(t, "salvato_il;massac", "\"salvato_il\";massac");
                 }},
        FormCase{"written with ',' decimals, read with '.' ones: ';' tells", italian, dot, same},
        FormCase{"written with '.' decimals, read with ',' ones: ',' tells", dot, italian, same}));

// ---- faults ----

struct FaultCase {
    const char* what;
    std::string text;
    DiaryCsvError expected; // fault, line, column, cells
};
using Faults = Named<FaultCase>;

TEST_P(Faults, StopAtTheFirstWithItsLine) {
    const auto& c = GetParam();
    const auto read = readDiaryCsv(c.text, italian);
    ASSERT_TRUE(read.error);
    EXPECT_TRUE(read.entries.empty());
    EXPECT_EQ(read.error->fault, c.expected.fault) << diaryCsvMessage(*read.error);
    EXPECT_EQ(read.error->line, c.expected.line);
    EXPECT_EQ(read.error->column, c.expected.column);
    EXPECT_EQ(read.error->cells, c.expected.cells);
}

using enum DiaryCsvFault;
std::string row(const std::string& from, const std::string& to) {
    return replaced(R, from, to);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Faults,
    testing::Values(
        FaultCase{"empty text", "", {Empty, 1, 0, 0}},
        FaultCase{"a byte-order mark and empty lines", "\xEF\xBB\xBF\r\n\n", {Empty, 1, 0, 0}},
        FaultCase{"a renamed column", replaced(H, "sceglidata", "data"), {WrongHeader, 1, 15, 38}},
        FaultCase{"the last column missing", replaced(H, ";a_m", ""), {WrongHeader, 1, 38, 37}},
        FaultCase{"a column too many", replaced(H, "a_m\r", "a_m;x\r"), {WrongHeader, 1, 39, 39}},
        FaultCase{"row 3 a cell short", H + R + row(";;\r", ";\r"), {WrongCellCount, 3, 0, 37}},
        FaultCase{"a word as power", H + row("234,6;3,9", "W;3,9"), {BadNumber, 2, 29, 0}},
        FaultCase{"'.' no decimal separator where ';' separates",
                  H + row("234,6;3,9", "234.6;3,9"),
                  {BadNumber, 2, 29, 0}},
        FaultCase{
            "the stretch's end, line 3", H + R + row(";;\r", ";;1,2,3\r"), {BadNumber, 3, 38, 0}},
        FaultCase{"30 February", H + row("2026-12-09", "2026-02-30"), {BadDateTime, 2, 1, 0}},
        FaultCase{"a quote that never closes, line 3",
                  H + R + row(";Nome Salita", ";\"Nome Salita"),
                  {UnclosedQuote, 3, 16, 0}},
        FaultCase{"a quote inside an unquoted cell",
                  H + row("Nome Salita", "Nome \"Salita\""),
                  {StrayQuote, 2, 16, 0}},
        FaultCase{"text after a closing quote",
                  H + row("Nome Salita", "\"Nome\" Salita"),
                  {StrayQuote, 2, 16, 0}},
        FaultCase{"lines inside quotes are counted",
                  H + row("Nome Salita", "\"a\nb\r\nc\"") + row("234,6;3,9", "x;3,9"),
                  {BadNumber, 5, 29, 0}},
        FaultCase{
            "a broken sequence, line 4", H + R + R + row("Salita", "\xC3\x28"), {NotUtf8, 4, 0, 0}},

        FaultCase{
            "Latin-1 in the header", replaced(H, "velocita", "velocit\xE0"), {NotUtf8, 1, 0, 0}}));

TEST(DiaryCsvMessage, SaysLineCellsAndColumnInItalian) {
    EXPECT_EQ(diaryCsvMessage({WrongCellCount, 12, 0, 30}), "Riga 12: 30 celle invece di 38.");
    EXPECT_EQ(diaryCsvMessage({BadNumber, 4, 29, 0}),
              "Riga 4, colonna «potenza_W»: non è un numero.");
    EXPECT_EQ(diaryCsvMessage({StrayQuote, 2, 50, 0}),
              "Riga 2, colonna 50: virgolette fuori posto.");
    EXPECT_EQ(diaryCsvMessage({WrongHeader, 1, 15, 38}),
              "Riga 1: l'intestazione non è quella del diario di Tarvimo (la colonna 15 dovrebbe "
              "chiamarsi «sceglidata»).");
}

} // namespace
} // namespace tarvimo
