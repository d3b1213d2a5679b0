// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The table of readable formats: the sniffer follows it, and the files the desktop reads agree
// with it.

#include "case_name.h"
#include "ride_format.h"

#include <QFile>
#include <QRegularExpression>
#include <algorithm>
#include <gtest/gtest.h>

namespace {

using namespace tarvimo;

struct SniffCase {
    const char* what;
    QByteArray head;
    RideFormat format;
};

const SniffCase sniffCases[] = {
    {"GPX: a gpx root after a declaration and a comment",
     "<?xml version=\"1.0\"?>\n<!-- x --><gpx version=\"1.1\">", RideFormat::Gpx},
    {"TCX: a prefixed TrainingCenterDatabase root", "<tcx:TrainingCenterDatabase xmlns:tcx=\"x\">",
     RideFormat::Tcx},
    {"FIT: a 14-byte header with .FIT at 8", QByteArray("\x0e\x20\x54\x08\0\0\0\0.FIT\0\0", 14),
     RideFormat::Fit},
    {"FIT: a 12-byte header", QByteArray("\x0c\x10\0\0\0\0\0\0.FIT", 12), RideFormat::Fit},
    {"KML, which gpsbabel reads but Tarvimo does not offer", "<kml><Document>",
     RideFormat::Unknown},
};

class Sniff : public testing::TestWithParam<SniffCase> {};

TEST_P(Sniff, TellsTheFormatFromTheFirstBytes) {
    const SniffCase& c = GetParam();
    EXPECT_EQ(sniffRideFormat(c.head), c.format) << c.what;
}

INSTANTIATE_TEST_SUITE_P(Heads, Sniff, testing::ValuesIn(sniffCases));

TEST(Sniff, HasACaseForEveryFormatOfTheTable) {
    for (const RideFormatInfo& info : rideFormats()) {
        EXPECT_TRUE(std::ranges::any_of(sniffCases, [&](const SniffCase& c) {
            return c.format == info.format;
        })) << info.name;
    }
}

struct ListCase {
    const char* what;
    const char* file;    // in assets/
    const char* pattern; // the first group holds types, ';'-separated
};

class MimeTypes : public testing::TestWithParam<ListCase> {};

TEST_P(MimeTypes, AreTheTablesOnes) {
    const ListCase& c = GetParam();
    QFile file(QStringLiteral(TARVIMO_SOURCE_DIR "/assets/") + QLatin1StringView(c.file));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << c.what;
    QStringList listed;
    const QRegularExpression pattern(QLatin1StringView(c.pattern),
                                     QRegularExpression::MultilineOption);
    for (const QRegularExpressionMatch& match : pattern.globalMatch(file.readAll())) {
        listed += match.captured(1).split(QLatin1Char(';'), Qt::SkipEmptyParts);
    }
    QStringList table = rideMimeTypes();
    listed.sort();
    table.sort();
    EXPECT_EQ(listed.join(QLatin1Char(' ')).toStdString(),
              table.join(QLatin1Char(' ')).toStdString())
        << c.what;
}

INSTANTIATE_TEST_SUITE_P(Assets, MimeTypes,
                         testing::Values(ListCase{"the desktop entry's MimeType=",
                                                  "org.tarvimo.Tarvimo.desktop", "^MimeType=(.*)$"},
                                         ListCase{"AppStream's mediatype elements",
                                                  "org.tarvimo.Tarvimo.metainfo.xml",
                                                  "<mediatype>\\s*([^<\\s]*)\\s*</mediatype>"}));

} // namespace
