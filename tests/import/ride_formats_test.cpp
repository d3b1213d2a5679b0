// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The table of readable formats: the sniffer follows it, and the files the desktop reads agree
// with it.

#include "case_name.h"
#include "ride_format.h"

#include <QFile>
#include <QXmlStreamReader>
#include <algorithm>
#include <functional>
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
    {"NMEA sentences", "$GPGGA,123519,4807.038,N", RideFormat::Unknown},
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

QString sourceFile(const char* name) {
    QFile file(QStringLiteral(TARVIMO_SOURCE_DIR "/assets/") + QString::fromLatin1(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return QString::fromUtf8(file.readAll());
}

// The desktop entry's MimeType= list.
QStringList desktopTypes() {
    for (const QString& line : sourceFile("org.tarvimo.Tarvimo.desktop").split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1StringView("MimeType="))) {
            return line.sliced(9).split(QLatin1Char(';'), Qt::SkipEmptyParts);
        }
    }
    return {};
}

// The text of every `element` in an XML file of assets/.
QStringList elementTexts(const char* file, QLatin1StringView element) {
    QXmlStreamReader xml(sourceFile(file));
    QStringList texts;
    while (!xml.atEnd()) {
        if (xml.readNext() == QXmlStreamReader::StartElement && xml.name() == element) {
            texts << xml.readElementText().trimmed();
        }
    }
    EXPECT_FALSE(xml.hasError()) << file << ": " << xml.errorString().toStdString();
    return texts;
}

struct ListCase {
    const char* what;
    std::function<QStringList()> list;
};

class MimeTypes : public testing::TestWithParam<ListCase> {};

TEST_P(MimeTypes, AreTheTablesOnes) {
    const ListCase& c = GetParam();
    QStringList listed = c.list();
    QStringList table = rideMimeTypes();
    listed.sort();
    table.sort();
    EXPECT_EQ(listed.join(QLatin1Char(' ')).toStdString(),
              table.join(QLatin1Char(' ')).toStdString())
        << c.what;
}

INSTANTIATE_TEST_SUITE_P(Assets, MimeTypes,
                         testing::Values(ListCase{"the desktop entry's MimeType=", desktopTypes},
                                         ListCase{"AppStream's provides/mediatype", [] {
                                                      return elementTexts(
                                                          "org.tarvimo.Tarvimo.metainfo.xml",
                                                          QLatin1StringView("mediatype"));
                                                  }}));

// The types Tarvimo declares itself are the table's, each with the globs of its extensions.
TEST(MimeTypes, DeclaredOnesHaveTheTablesExtensions) {
    QXmlStreamReader xml(sourceFile("org.tarvimo.Tarvimo.mime.xml"));
    const RideFormatInfo* declared = nullptr;
    QStringList globs;
    const auto check = [&] {
        if (declared == nullptr) {
            return;
        }
        QStringList expected;
        for (const char* extension : declared->extensions) {
            expected << QStringLiteral("*.") + QString::fromLatin1(extension);
        }
        EXPECT_EQ(globs.join(QLatin1Char(' ')).toStdString(),
                  expected.join(QLatin1Char(' ')).toStdString())
            << declared->name;
    };
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement()) {
            continue;
        }
        if (xml.name() == QLatin1StringView("mime-type")) {
            check();
            const QString type = xml.attributes().value(QLatin1StringView("type")).toString();
            const auto rows = rideFormats();
            const auto row = std::ranges::find_if(rows, [&](const RideFormatInfo& info) {
                return type == QLatin1StringView(info.mimeType);
            });
            ASSERT_NE(row, rows.end()) << type.toStdString() << " is not in the table";
            declared = &*row;
            globs.clear();
        } else if (xml.name() == QLatin1StringView("glob")) {
            globs << xml.attributes().value(QLatin1StringView("pattern")).toString();
        }
    }
    check();
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
}

} // namespace
