// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "calculation.h"
#include "diary_csv.h"

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

const NumberSettings italian = NumberSettings::italian();
const NumberSettings dot = NumberSettings::dotDecimal();

DiaryEntry calculatedEntry() {
    FieldSheet sheet;
    calculate(sheet, italian);
    return makeDiaryEntry(sheet, italian, 1796794200); // 2026-12-09T05:30:00Z
}

void expectSame(const DiaryEntry& read, const DiaryEntry& written) {
    EXPECT_EQ(read.id, 0);
    EXPECT_EQ(read.savedAt, written.savedAt);
    EXPECT_EQ(read.texts, written.texts);
    EXPECT_EQ(read.rideFile, written.rideFile);
    for (double E::*member : {&E::totalPower, &E::wattsPerKg, &E::vam, &E::speed, &E::seconds,
                              &E::length, &E::gain, &E::stretchFrom, &E::stretchTo}) {
        const double a = read.*member;
        const double b = written.*member;
        EXPECT_TRUE(std::isnan(b) ? std::isnan(a) : a == b && std::signbit(a) == std::signbit(b))
            << a << " instead of " << b;
    }
}

template <class Case> struct Named : testing::TestWithParam<Case> {};
template <class Case> void printWhat(const Case& c, std::ostream* os) {
    *os << c.what;
}

// ---- what goes out comes back ----

struct RoundCase {
    const char* what;
    std::function<void(DiaryEntry&)> change;
};
void PrintTo(const RoundCase& c, std::ostream* os) {
    printWhat(c, os);
}
using RoundTrip = Named<RoundCase>;

TEST_P(RoundTrip, InBothSettings) {
    std::vector<DiaryEntry> entries(3, calculatedEntry());
    GetParam().change(entries[1]);
    for (const auto& settings : {italian, dot}) {
        const auto read = readDiaryCsv(writeDiaryCsv(entries, settings), settings);
        ASSERT_FALSE(read.error) << diaryCsvMessage(*read.error);
        ASSERT_EQ(read.entries.size(), entries.size());
        for (std::size_t i = 0; i < entries.size(); ++i) {
            expectSame(read.entries[i], entries[i]);
        }
    }
}

void setText(DiaryEntry& e, Field f, std::string text) {
    e.texts[static_cast<std::size_t>(f)] = std::move(text);
}

std::string longTricky() {
    std::string text;
    while (text.size() < 65536) {
        text += "ab\"c;,\r\n\"\"";
    }
    text.resize(65536);
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, RoundTrip,
    testing::Values(
        RoundCase{"quotes, doubled quotes and a quote alone",
                  [](E& e) {
                      setText(e, sceglinomebici, "Il \"Mortirolo\" \"\"");
                      setText(e, sceglidata, "\"");
                  }},
        RoundCase{"both separators in a text",
                  [](E& e) { setText(e, sceglinomeciclista, "a;b,c"); }},
        RoundCase{"LF, CRLF and a lone CR in a text",
                  [](E& e) { setText(e, sceglinomebici, "riga 1\nriga 2\r\nriga 3\r"); }},
        RoundCase{"65,536 characters of quotes, separators and line ends",
                  [](E& e) { setText(e, sceglinomeciclista, longTricky()); }},
        RoundCase{
            "right-to-left text and emoji",
            [](E& e) { setText(e, sceglinomebici, "مرحبا 🚴‍♀️ שלום 👍🏽"); }},
        RoundCase{"SQL", [](E& e) { setText(e, sceglinomeciclista, "'); DROP TABLE diario; --"); }},
        RoundCase{"blanks at both ends and empty texts",
                  [](E& e) {
                      setText(e, sceglinomebici, "  x\t ");
                      setText(e, mostraptot, "");
                  }},
        RoundCase{"texts that look like numbers and date-times",
                  [](E& e) {
                      setText(e, sceglinomebici, "1,5");
                      setText(e, sceglinomeciclista, "2026-12-09T05:30:00Z");
                  }},
        RoundCase{"NaN stays NaN; -0, 17-digit, subnormal and largest doubles exact",
                  [](E& e) {
                      e.totalPower = NAN;
                      e.wattsPerKg = -0.0;
                      e.vam = 0.1 + 0.2;
                      e.speed = 5e-324;
                      e.seconds = 1.7976931348623157e308;
                      e.gain = -123456789.125;
                  }},
        RoundCase{"a ride file with separators and its stretch",
                  [](E& e) {
                      e.rideFile = "giro; \"mattino\",1.gpx";
                      e.stretchFrom = 123.456;
                      e.stretchTo = 5432.1;
                  }},
        RoundCase{"saved at the first second of year 0000", [](E& e) { e.savedAt = -62167219200; }},
        RoundCase{"saved at the last second of year 9999", [](E& e) { e.savedAt = 253402300799; }},
        RoundCase{"saved a second before 1970", [](E& e) { e.savedAt = -1; }}));

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

const std::string commaRow =
    "2026-12-09T05:30:00Z;60;10;1;5100;460;24;00;0.2;0.005;39;23;26;170;25-08-2002;Nome Salita;"
    "Nome e cognome ciclista;222.3;8.9;3.4;234,6;3.9;9.02;12.75;1150;58;38.6;43.4;"
    "234,6;3,9;1150;12,75;1440;5100;460;;;\r\n";
const std::string pointRow =
    "2026-12-09T05:30:00Z,60,10,1,5100,460,24,00,0.2,0.005,39,23,26,170,25-08-2002,Nome Salita,"
    "Nome e cognome ciclista,222.3,8.9,3.4,\"234,6\",3.9,9.02,12.75,1150,58,38.6,43.4,"
    "234.6,3.9,1150,12.75,1440,5100,460,,,\r\n";

TEST(DiaryCsvWrite, ByteOrderMarkHeaderAndRowInEachSetting) {
    const std::vector<DiaryEntry> entries{calculatedEntry()};
    EXPECT_EQ(writeDiaryCsv(entries, italian), "\xEF\xBB\xBF" + header(';') + commaRow);
    EXPECT_EQ(writeDiaryCsv(entries, dot), "\xEF\xBB\xBF" + header(',') + pointRow);
    EXPECT_EQ(header(';').substr(0, 39), "salvato_il;massac;massabici;altramassa;");
}

// ---- the shapes a reader meets ----

std::string replaced(std::string text, const std::string& from, const std::string& to) {
    text.replace(text.find(from), from.size(), to);
    return text;
}

struct FormCase {
    const char* what;
    NumberSettings writer;
    NumberSettings reader;
    std::function<std::string(std::string)> change;
};
void PrintTo(const FormCase& c, std::ostream* os) {
    printWhat(c, os);
}
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

std::string withoutCr(std::string text) {
    std::erase(text, '\r');
    return text;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Forms,
    testing::Values(
        FormCase{"as written", italian, italian, [](std::string t) { return t; }},
        FormCase{"without the byte-order mark", italian, italian,
                 [](std::string t) { return t.substr(3); }},
        FormCase{"LF line ends", italian, italian, withoutCr},
        FormCase{"no line end after the last row", dot, dot,
                 [](std::string t) { return t.substr(0, t.size() - 2); }},
        FormCase{"empty lines between and after rows", italian, italian,
                 [](std::string t) { return replaced(t, "\r\n", "\r\n\n\r\n") + "\n\r\n"; }},
        FormCase{"header names quoted, as some spreadsheets write them", italian, italian,
                 [](std::string t) {
                     return replaced(t, "salvato_il;massac", "\"salvato_il\";\"massac\"");
                 }},
        FormCase{"written with ',' decimals, read with '.' ones: ';' tells", italian, dot,
                 [](std::string t) { return t; }},
        FormCase{"written with '.' decimals, read with ',' ones: ',' tells", dot, italian,
                 [](std::string t) { return t; }}));

// ---- faults ----

struct FaultCase {
    const char* what;
    std::string text;
    DiaryCsvError expected;
};
void PrintTo(const FaultCase& c, std::ostream* os) {
    printWhat(c, os);
}
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
const std::string H = header(';');
const std::string R = commaRow;
std::string rowWith(const std::string& from, const std::string& to) {
    return replaced(R, from, to);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, Faults,
    testing::Values(
        FaultCase{"empty text", "", {Empty, 1, 0, 0}},
        FaultCase{"a byte-order mark and empty lines", "\xEF\xBB\xBF\r\n\n", {Empty, 1, 0, 0}},
        FaultCase{"a renamed column", replaced(H, "sceglidata", "data"), {WrongHeader, 1, 15, 38}},
        FaultCase{"the last column missing", replaced(H, ";a_m", ""), {WrongHeader, 1, 38, 37}},
        FaultCase{
            "a column too many", replaced(H, "a_m\r\n", "a_m;x\r\n"), {WrongHeader, 1, 39, 39}},
        FaultCase{"row 3 a cell short",
                  H + R + replaced(R, ";;\r\n", ";\r\n"),
                  {WrongCellCount, 3, 0, 37}},
        FaultCase{"an entry row of one cell", H + R + "x\r\n", {WrongCellCount, 3, 0, 1}},
        FaultCase{"a word as power",
                  H + rowWith("234,6;3,9;1150", "abc;3,9;1150"),
                  {BadNumber, 2, 29, 0}},
        FaultCase{"'.' is no decimal separator in a ';' file",
                  H + rowWith("234,6;3,9;1150", "234.6;3,9;1150"),
                  {BadNumber, 2, 29, 0}},
        FaultCase{"the stretch's end not a number",
                  H + R + rowWith(";;\r\n", ";;1,2,3\r\n"),
                  {BadNumber, 3, 38, 0}},
        FaultCase{"30 February", H + rowWith("2026-12-09", "2026-02-30"), {BadDateTime, 2, 1, 0}},
        FaultCase{"a date-time without its Z",
                  H + rowWith("05:30:00Z", "05:30:00"),
                  {BadDateTime, 2, 1, 0}},
        FaultCase{"a quote that never closes, line 3",
                  H + R + rowWith(";Nome Salita", ";\"Nome Salita"),
                  {UnclosedQuote, 3, 16, 0}},
        FaultCase{"a quote inside an unquoted cell",
                  H + rowWith("Nome Salita", "Nome \"Salita\""),
                  {StrayQuote, 2, 16, 0}},
        FaultCase{"text after a closing quote",
                  H + rowWith("Nome Salita", "\"Nome\" Salita"),
                  {StrayQuote, 2, 16, 0}},
        FaultCase{"lines inside quotes are counted",
                  H + rowWith("Nome Salita", "\"a\nb\r\nc\"") + rowWith("234,6;3,9", "x;3,9"),
                  {BadNumber, 5, 29, 0}},
        FaultCase{"a broken sequence on line 4",
                  H + R + R + rowWith("Salita", "\xC3\x28"),
                  {NotUtf8, 4, 0, 0}},
        FaultCase{"an overlong '/'", H + rowWith("Salita", "\xC0\xAF"), {NotUtf8, 2, 0, 0}},
        FaultCase{"a UTF-16 surrogate", H + rowWith("Salita", "\xED\xA0\x80"), {NotUtf8, 2, 0, 0}},
        FaultCase{
            "Latin-1 in the header", replaced(H, "velocita", "velocit\xE0"), {NotUtf8, 1, 0, 0}}));

TEST(DiaryCsvMessage, SaysLineCellsAndColumnInItalian) {
    EXPECT_EQ(diaryCsvMessage({WrongCellCount, 12, 0, 30}), "Riga 12: 30 celle invece di 38.");
    EXPECT_EQ(diaryCsvMessage({BadNumber, 4, 29, 0}),
              "Riga 4, colonna «potenza_W»: non è un numero.");
    EXPECT_EQ(diaryCsvMessage({WrongHeader, 1, 15, 38}),
              "Riga 1: l'intestazione non è quella del diario di Tarvimo (la colonna 15 dovrebbe "
              "chiamarsi «sceglidata»).");
}

} // namespace
} // namespace tarvimo
