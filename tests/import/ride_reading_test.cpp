// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Ride files written by the tests themselves, read as the program reads them.

#include "case_name.h"
#include "ride_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

using namespace tarvimo;

const char* const gpxHead = R"(<?xml version="1.0" encoding="UTF-8"?>
<gpx version="1.1" creator="test" xmlns="http://www.topografix.com/GPX/1/1"
 xmlns:gpxtpx="http://www.garmin.com/xmlschemas/TrackPointExtension/v1"
 xmlns:pwr="http://www.garmin.com/xmlschemas/PowerExtension/v1">
)";

std::string gpx(const std::string& body) {
    return gpxHead + body + "</gpx>\n";
}

std::string tcx(const std::string& body) {
    return R"(<?xml version="1.0"?>
<TrainingCenterDatabase xmlns="http://www.garmin.com/xmlschemas/TrainingCenterDatabase/v2"
 xmlns:ns3="http://www.garmin.com/xmlschemas/ActivityExtension/v2">
)" + body + "</TrainingCenterDatabase>\n";
}

// Little-endian, with its byte-order mark, as Windows tools write it.
std::string utf16(const std::string& text) {
    std::string bytes = "\xFF\xFE";
    for (const char16_t unit : QString::fromUtf8(text).toStdU16String()) {
        bytes += char(unit & 0xFF);
        bytes += char(unit >> 8);
    }
    return bytes;
}

QString writeFile(const QTemporaryDir& dir, const QString& name, const std::string& content) {
    const QString path = dir.filePath(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content.data(), qint64(content.size()));
    return path;
}

struct FormatCase {
    const char* what;
    const char* fileName;
    std::string content;
    std::size_t points;
    const char* name;
    double lastDistance; // m along the profile, to 0.01 m
    double lastElevation;
    bool times, power, cadence;
};

class FormatRead : public testing::TestWithParam<FormatCase> {};

TEST_P(FormatRead, GivesThePointsTheNameAndTheColumns) {
    const FormatCase& c = GetParam();
    QTemporaryDir dir;
    const RideFile file = readRideFile(writeFile(dir, QString::fromUtf8(c.fileName), c.content));
    ASSERT_EQ(file.error, RideError::None) << c.what << " line " << file.line;
    EXPECT_EQ(file.name, QString::fromUtf8(c.name)) << c.what;
    ASSERT_EQ(file.ride.size(), c.points) << c.what;
    EXPECT_NEAR(file.ride.distance(c.points - 1), c.lastDistance, 0.01) << c.what;
    EXPECT_EQ(file.ride.elevation(c.points - 1), c.lastElevation) << c.what;
    EXPECT_EQ(file.ride.hasTimes(), c.times) << c.what;
    EXPECT_EQ(file.ride.hasPower(), c.power) << c.what;
    EXPECT_EQ(file.ride.hasCadence(), c.cadence) << c.what;
}

// 0.001 degrees of latitude at 45 N on WGS84: 111.1317... m (GeographicLib).
constexpr double milliDegree = 111.13174;

INSTANTIATE_TEST_SUITE_P(
    Files, FormatRead,
    testing::Values(
        FormatCase{"GPX 1.1, two tracks of two segments each, in file order, trk/name wins",
                   "a.gpx", gpx(R"(<metadata><name>Meta</name></metadata><trk><name> Colle </name>
<trkseg><trkpt lat="45" lon="7"><ele>100</ele><time>2024-06-01T08:00:00Z</time></trkpt></trkseg>
<trkseg><trkpt lat="45.001" lon="7"><ele>110</ele><time>2024-06-01T08:01:00Z</time></trkpt>
</trkseg></trk><trk><name>Altro</name><trkseg><trkpt lat="45.002" lon="7"><ele>120</ele>
</trkpt><trkpt lat="45.003" lon="7"><ele>130.5</ele></trkpt></trkseg></trk>)"),
                   4, "Colle", 3 * milliDegree, 130.5, true, false, false},
        FormatCase{"GPX 1.0 with its top-level name", "b.gpx",
                   R"(<gpx version="1.0"><name>Vecchio</name><trk><trkseg>
<trkpt lat="45" lon="7"><ele>1</ele></trkpt><trkpt lat="45.001" lon="7"><ele>2</ele></trkpt>
</trkseg></trk></gpx>)",
                   2, "Vecchio", milliDegree, 2, false, false, false},
        FormatCase{"GPX in UTF-16, a name with an accented letter", "u.gpx",
                   utf16(R"(<?xml version="1.0" encoding="UTF-16"?><gpx version="1.0">
<name>Salita ò</name><trk><trkseg><trkpt lat="45" lon="7"><ele>1</ele></trkpt>
<trkpt lat="45.001" lon="7"><ele>2</ele></trkpt></trkseg></trk></gpx>)"),
                   2, "Salita ò", milliDegree, 2, false, false, false},
        FormatCase{"GPX route only: the route points, metadata/name", "c.gpx",
                   gpx(R"(<metadata><name>Piano</name></metadata><rte><rtept lat="45" lon="7">
<ele>5</ele></rtept><rtept lat="45.001" lon="7"><ele>6</ele></rtept></rte>)"),
                   2, "Piano", milliDegree, 6, false, false, false},
        FormatCase{"GPX with a route and a track: the track only; no name: the file's",
                   "giro.lago.gpx",
                   gpx(R"(<rte><rtept lat="0" lon="0"><ele>5</ele></rtept></rte><trk><trkseg>
<trkpt lat="45" lon="7"><ele>1</ele></trkpt><trkpt lat="45.001" lon="7"><ele>2</ele></trkpt>
</trkseg></trk>)"),
                   2, "giro.lago", milliDegree, 2, false, false, false},
        FormatCase{"GPX extensions: plain power, gpxtpx:cad, pwr:PowerInWatts", "d.gpx",
                   gpx(R"(<trk><trkseg><trkpt lat="45" lon="7"><ele>1</ele><extensions>
<power>250</power><gpxtpx:TrackPointExtension><gpxtpx:hr>150</gpxtpx:hr><gpxtpx:cad>85</gpxtpx:cad>
</gpxtpx:TrackPointExtension></extensions></trkpt><trkpt lat="45.001" lon="7"><ele>2</ele>
<extensions><pwr:PowerInWatts>300</pwr:PowerInWatts></extensions></trkpt></trkseg></trk>)"),
                   2, "d", milliDegree, 2, false, true, true},
        FormatCase{"TCX activity: recorded distance, cadence, ns3:Watts", "e.tcx",
                   tcx(R"(<Activities><Activity Sport="Biking"><Id>2024-06-01T08:00:00Z</Id>
<Lap><DistanceMeters>999</DistanceMeters><Track><Trackpoint><Time>2024-06-01T08:00:00Z</Time>
<Position><LatitudeDegrees>45</LatitudeDegrees><LongitudeDegrees>7</LongitudeDegrees></Position>
<AltitudeMeters>100</AltitudeMeters><DistanceMeters>0</DistanceMeters><Cadence>90</Cadence>
<Extensions><ns3:TPX><ns3:Watts>210</ns3:Watts></ns3:TPX></Extensions></Trackpoint>
<Trackpoint><Time>2024-06-01T08:00:30Z</Time><AltitudeMeters>103</AltitudeMeters>
<DistanceMeters>120.5</DistanceMeters><Cadence>88</Cadence></Trackpoint></Track></Lap>
</Activity></Activities>)"),
                   2, "e", 120.5, 103, true, true, true},
        FormatCase{"TCX course: Course/Name", "f.tcx",
                   tcx(R"(<Courses><Course><Name>Stelvio</Name><Track><Trackpoint><Position>
<LatitudeDegrees>45</LatitudeDegrees><LongitudeDegrees>7</LongitudeDegrees></Position>
<AltitudeMeters>1</AltitudeMeters></Trackpoint><Trackpoint><Position>
<LatitudeDegrees>45.001</LatitudeDegrees><LongitudeDegrees>7</LongitudeDegrees></Position>
<AltitudeMeters>2</AltitudeMeters></Trackpoint></Track></Course></Courses>)"),
                   2, "Stelvio", milliDegree, 2, false, false, false}));

struct BadCase {
    const char* what;
    const char* fileName;
    std::string content;
    RideError error;
    qint64 line;
};

class BadInput : public testing::TestWithParam<BadCase> {};

TEST_P(BadInput, GivesItsCodeAndLine) {
    const BadCase& c = GetParam();
    QTemporaryDir dir;
    const RideFile file = readRideFile(writeFile(dir, QString::fromUtf8(c.fileName), c.content));
    EXPECT_EQ(file.error, c.error) << c.what;
    EXPECT_EQ(file.line, c.line) << c.what;
}

const std::string twoPoints = R"(<trk><trkseg><trkpt lat="45" lon="7"><ele>1</ele></trkpt>
<trkpt lat="45.001" lon="7"><ele>2</ele></trkpt></trkseg></trk>)";

INSTANTIATE_TEST_SUITE_P(
    Files, BadInput,
    testing::Values(
        BadCase{"empty file", "a.gpx", "", RideError::Empty, 0},
        BadCase{"a PNG named .gpx", "a.gpx", "\x89PNG\r\n\x1a\n\0\0\0\rIHDR",
                RideError::UnknownFormat, 0},
        BadCase{"random bytes named .fit", "a.fit", "\x0c\x10zz...........",
                RideError::UnknownFormat, 0},
        BadCase{"not well-formed XML", "a.gpx", gpx("<trk>\n<trkseg></trk>"), RideError::Malformed,
                6},
        BadCase{"XML cut off half-way", "a.gpx", gpx(twoPoints).substr(0, 300),
                RideError::Truncated, 5},
        BadCase{"no points", "a.gpx", gpx("<trk><trkseg></trkseg></trk>"), RideError::NoPoints, 0},
        BadCase{"one point", "a.gpx", gpx(R"(<trk><trkseg><trkpt lat="1" lon="2"><ele>3</ele>
</trkpt></trkseg></trk>)"),
                RideError::OnePoint, 0},
        BadCase{"no elevation anywhere", "a.gpx",
                gpx(R"(<trk><trkseg><trkpt lat="1" lon="2"/><trkpt lat="1" lon="3"/>
</trkseg></trk>)"),
                RideError::NoElevation, 0},
        BadCase{"latitude out of range", "a.gpx",
                gpx("<trk><trkseg>\n<trkpt lat=\"91\" lon=\"7\"><ele>1</ele></trkpt>"
                    "</trkseg></trk>"),
                RideError::BadCoordinates, 6},
        BadCase{"longitude not a number", "a.gpx",
                gpx("<trk><trkseg>\n<trkpt lat=\"45\" lon=\"7,5\"><ele>1</ele></trkpt>"
                    "</trkseg></trk>"),
                RideError::BadCoordinates, 6},
        BadCase{"elevation not a number", "a.gpx",
                gpx("<trk><trkseg>\n<trkpt lat=\"45\" lon=\"7\"><ele>alta</ele></trkpt>"
                    "</trkseg></trk>"),
                RideError::BadNumber, 6},
        BadCase{"entity-expansion bomb", "a.gpx",
                R"(<?xml version="1.0"?>
<!DOCTYPE gpx [<!ENTITY a "aaaaaaaaaa"><!ENTITY b "&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;">]>
<gpx><name>&b;</name></gpx>)",
                RideError::EntitiesRefused, 2},
        BadCase{"external DTD and an undeclared entity: nothing fetched, nothing expanded", "a.gpx",
                "<!DOCTYPE gpx SYSTEM \"http://127.0.0.1:9/x.dtd\"><gpx><name>&x;</name></gpx>",
                RideError::NoPoints, 0},
        BadCase{"external entity", "a.gpx",
                R"(<?xml version="1.0"?>
<!DOCTYPE gpx [<!ENTITY x SYSTEM "file:///etc/passwd">]>
<gpx><name>&x;</name></gpx>)",
                RideError::EntitiesRefused, 2}));

TEST(BadInput, SkipsAndCountsPointsWithoutElevation) {
    QTemporaryDir dir;
    const RideFile file = readRideFile(writeFile(dir, "a.gpx", gpx(R"(<trk><trkseg>
<trkpt lat="45" lon="7"><ele>1</ele></trkpt><trkpt lat="45.001" lon="7"/>
<trkpt lat="45.002" lon="7"><ele>3</ele></trkpt></trkseg></trk>)")));
    ASSERT_EQ(file.error, RideError::None);
    EXPECT_EQ(file.pointsWithoutElevation, 1U);
    ASSERT_EQ(file.ride.size(), 2U);
    EXPECT_NEAR(file.ride.distance(1), 2 * milliDegree, 0.01); // still along the skipped point
}

} // namespace
