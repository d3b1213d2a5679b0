// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Where the bytes come from: the file system, gpsbabel (real or a stand-in script), and the two
// per-point conversions, times and geodesic steps.

#include "babel_converter.h"
#include "case_name.h"
#include "geodesic_step.h"
#include "iso_time.h"
#include "ride_file.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <functional>
#include <gtest/gtest.h>
#include <sys/fsuid.h>
#include <unistd.h>

namespace {

using namespace tarvimo;

const std::string smallGpx = R"(<gpx><trk><trkseg><trkpt lat="45" lon="7"><ele>1</ele></trkpt>
<trkpt lat="45.001" lon="7"><ele>2</ele></trkpt></trkseg></trk></gpx>)";

QString write(const QString& path, const std::string& content, bool executable = false) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    file.write(content.data(), qint64(content.size()));
    if (executable) {
        file.setPermissions(file.permissions() | QFile::ExeOwner);
    }
    return path;
}

struct SourceCase {
    const char* what;
    std::function<QString(const QDir&)> make; // empty path: the case cannot run here
    RideError error;
    bool cancel = false;
};

class Source : public testing::TestWithParam<SourceCase> {};

TEST_P(Source, GivesItsCode) {
    const SourceCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = c.make(QDir(dir.path()));
    // Root reads any file: the read goes through an unprivileged file-system user instead.
    const bool asNobody = geteuid() == 0 && c.error == RideError::NotReadable;
    if (asNobody)
        setfsuid(65534);
    const RideFile file = readRideFile(path, [&](qint64, qint64) { return !c.cancel; });
    if (asNobody)
        setfsuid(0);
    EXPECT_EQ(file.error, c.error) << c.what << ": " << file.detail.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Files, Source,
    testing::Values(
        SourceCase{"a path that does not exist", [](const QDir& d) { return d.filePath("no.gpx"); },
                   RideError::NotFound},
        SourceCase{"a folder", [](const QDir& d) { return d.path(); }, RideError::IsFolder},
        SourceCase{"no read permission",
                   [](const QDir& d) {
                       const QString p = write(d.filePath("a.gpx"), smallGpx);
                       QFile::setPermissions(p, QFile::WriteOwner);
                       return p;
                   },
                   RideError::NotReadable},
        SourceCase{"a sparse file of 3 GB, never read",
                   [](const QDir& d) {
                       QFile f(d.filePath("huge.gpx"));
                       EXPECT_TRUE(f.open(QIODevice::WriteOnly) && f.resize(qint64(3) << 30));
                       return f.fileName();
                   },
                   RideError::TooLarge},
        SourceCase{"a path with blanks and accented letters",
                   [](const QDir& d) {
                       d.mkdir(QStringLiteral("Città alta"));
                       return write(d.filePath(QStringLiteral("Città alta/giro è bello.gpx")),
                                    smallGpx);
                   },
                   RideError::None},
        SourceCase{"cancelled from the progress callback",
                   [](const QDir& d) {
                       std::string big = "<gpx><trk><trkseg>";
                       while (big.size() < 300'000) {
                           big += R"(<trkpt lat="45" lon="7"><ele>1</ele></trkpt>)";
                       }
                       return write(d.filePath("a.gpx"), big + "</trkseg></trk></gpx>");
                   },
                   RideError::Cancelled, true}));

struct ConverterCase {
    const char* what;
    std::string script; // empty: a program that does not exist; "$2" is gpsbabel's -i argument
    RideError error;
    const char* detail; // null: not checked
    int runs;
    bool damaged = false;
};

class Converter : public testing::TestWithParam<ConverterCase> {};

TEST_P(Converter, GivesItsCode) {
    const ConverterCase& c = GetParam();
    QTemporaryDir dir;
    const QString program =
        c.script.empty() ? dir.filePath("missing")
                         : write(dir.filePath("babel"),
                                 "#!/bin/sh\necho \"$2\" >> \"${0%/*}/runs\"\n" + c.script, true);
    const RideFile file = convertWithBabel(program, dir.filePath("a.fit"),
                                           {"garmin_fit", "garmin_fit,recover"}, {1000, 1 << 20});
    EXPECT_EQ(file.error, c.error) << c.what;
    if (c.detail != nullptr) {
        EXPECT_EQ(file.detail.toStdString(), c.detail) << c.what;
    }
    QFile runs(dir.filePath("runs"));
    EXPECT_EQ(runs.open(QIODevice::ReadOnly) ? runs.readAll().count('\n') : 0, c.runs) << c.what;
    EXPECT_EQ(file.damaged, c.damaged) << c.what;
}

// A stand-in's TCX: a course of two points, and its end.
const std::string tcx = "echo '<TrainingCenterDatabase><Courses><Course><Name>New Course</Name>"
                        "<Track><Trackpoint><AltitudeMeters>1</AltitudeMeters></Trackpoint>"
                        "<Trackpoint><AltitudeMeters>2</AltitudeMeters></Trackpoint>";
const std::string tcxEnd = "</Track></Course></Courses></TrainingCenterDatabase>'\n";

// A first run that refuses the file, as gpsbabel does a damaged FIT; then `recovery`.
std::string refusedThen(const std::string& recovery) {
    return "case \"$2\" in *recover) " + recovery + "\nexit;; esac\necho >&2\necho 'bad\nx' >&2\n" +
           "exit 1\n";
}

INSTANTIATE_TEST_SUITE_P(
    Stand_ins, Converter,
    testing::Values(
        ConverterCase{"gpsbabel missing", "", RideError::ConverterMissing, nullptr, 0},
        ConverterCase{"gpsbabel fails, and again reading up to the damage: the first run's words",
                      refusedThen("exit 1"), RideError::ConverterFailed, "bad", 2},
        ConverterCase{"gpsbabel past its time limit: no second run", "exec sleep 30",
                      RideError::ConverterTimedOut, "", 1},
        ConverterCase{"gpsbabel prints TCX: one run", tcx + tcxEnd, RideError::None, "", 1},
        ConverterCase{"refused, then read up to the damage", refusedThen(tcx + tcxEnd),
                      RideError::None, "bad", 2, true},
        ConverterCase{"refused, then read up to the damage with exit code 1: the points count",
                      refusedThen(tcx + tcxEnd + "exit 1"), RideError::None, "bad", 2, true},
        ConverterCase{"refused, then half a TCX and exit code 1: the first run's error",
                      refusedThen(tcx + "'\nexit 1"), RideError::ConverterFailed, "bad", 2},
        ConverterCase{"refused, then a whole TCX and killed: the first run's error",
                      refusedThen(tcx + tcxEnd + "kill -9 $$"), RideError::ConverterFailed, "bad",
                      2},
        ConverterCase{"refused, then hanging: one deadline for both runs, the first run's error",
                      refusedThen("exec sleep 30"), RideError::ConverterFailed, "bad", 2}));

TEST(Converter, ReadsAFitFileWithPowerAndCadence) {
    const QString python = QStandardPaths::findExecutable("python3");
    if (QStandardPaths::findExecutable("gpsbabel").isEmpty() || python.isEmpty()) {
        GTEST_SKIP() << "gpsbabel or python3 is not installed";
    }
    QTemporaryDir dir;
    const QString fit = dir.filePath("salita.fit");
    ASSERT_EQ(QProcess::execute(python, {TARVIMO_SOURCE_DIR "/scripts/make_fit.py", fit, "60"}), 0);
    const RideFile file = readRideFile(fit);
    ASSERT_EQ(file.error, RideError::None) << file.detail.toStdString();
    EXPECT_FALSE(file.damaged);
    EXPECT_EQ(file.name, "salita");
    ASSERT_EQ(file.ride.size(), 60U);
    EXPECT_NEAR(file.ride.distance(59), 295, 0.5);
    EXPECT_NEAR(file.ride.elevation(59), 523.6, 0.1);
    EXPECT_TRUE(file.ride.hasTimes() && file.ride.hasPower() && file.ride.hasCadence());
}

// scripts/make_fit.py's ride: from 2024-06-01T08:00:00Z, a point a second.
constexpr double fitStart = 1717228800;

struct FitCase {
    const char* what;
    const char* points;
    const char* damage; // make_fit.py --damage, at record points / 2
    std::size_t read;   // 0: gpsbabel's first refusal
};

class DamagedFit : public testing::TestWithParam<FitCase> {};

TEST_P(DamagedFit, IsReadUpToTheDamage) {
    const FitCase& c = GetParam();
    const QString python = QStandardPaths::findExecutable("python3");
    if (QStandardPaths::findExecutable("gpsbabel").isEmpty() || python.isEmpty()) {
        GTEST_SKIP() << "gpsbabel or python3 is not installed";
    }
    QTemporaryDir dir;
    const QString fit = dir.filePath("salita.fit");
    ASSERT_EQ(QProcess::execute(python, {TARVIMO_SOURCE_DIR "/scripts/make_fit.py", fit, c.points,
                                         "--damage", c.damage}),
              0);
    const RideFile file = readRideFile(fit);
    if (c.read == 0) {
        EXPECT_EQ(file.error, RideError::ConverterFailed) << c.what;
        // Only the first run, without recoverymode, says to try it.
        EXPECT_TRUE(file.detail.contains("recoverymode")) << c.what;
        return;
    }
    ASSERT_EQ(file.error, RideError::None) << c.what << ": " << file.detail.toStdString();
    EXPECT_TRUE(file.damaged) << c.what;
    ASSERT_EQ(file.ride.size(), c.read) << c.what;
    EXPECT_EQ(file.ride.time(c.read - 1), fitStart + double(c.read - 1)) << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Files, DamagedFit,
    testing::Values(
        FitCase{"cut short in record 30: records 0 to 29", "60", "cut", 30},
        FitCase{"a wrong final CRC: every record", "60", "crc", 60},
        FitCase{"record 30 of an undefined local type: records 0 to 29", "60", "record", 30},
        FitCase{"the first record damaged: nothing read, the first refusal", "1", "record", 0}));

struct TimeCase {
    const char* what;
    const char* text;
    double seconds; // NaN: refused
};

class IsoTime : public testing::TestWithParam<TimeCase> {};

TEST_P(IsoTime, ReadsTheInstant) {
    const TimeCase& c = GetParam();
    const auto seconds = parseIsoTime(c.text);
    if (std::isnan(c.seconds)) {
        EXPECT_FALSE(seconds) << c.what;
    } else {
        ASSERT_TRUE(seconds) << c.what;
        EXPECT_DOUBLE_EQ(*seconds, c.seconds) << c.what;
    }
}

INSTANTIATE_TEST_SUITE_P(
    Forms, IsoTime,
    testing::Values(TimeCase{"UTC with Z", "2024-06-01T08:00:00Z", 1717228800},
                    TimeCase{"no offset is UTC", "2024-06-01T08:00:00", 1717228800},
                    TimeCase{"fractional seconds", "2024-06-01T08:00:00.250Z", 1717228800.25},
                    TimeCase{"+02:00", "2024-06-01T10:00:00+02:00", 1717228800},
                    TimeCase{"-0530", "2024-06-01T02:30:00-0530", 1717228800},
                    TimeCase{"+02 alone", " 2024-06-01T10:00:00+02\n", 1717228800},
                    TimeCase{"29 February of a leap year", "2024-02-29T00:00:00Z", 1709164800},
                    TimeCase{"before 1970", "1969-12-31T23:59:59Z", -1},
                    TimeCase{"29 February of a common year", "2023-02-29T00:00:00Z", NAN},
                    TimeCase{"hour 25", "2024-06-01T25:00:00Z", NAN},
                    TimeCase{"text after the offset", "2024-06-01T08:00:00Zx", NAN},
                    TimeCase{"a date alone", "2024-06-01", NAN}));

struct StepCase {
    const char* what;
    double lat1, lon1, lat2, lon2;
};

class Geodesic : public testing::TestWithParam<StepCase> {};

TEST_P(Geodesic, AgreesWithGeographicLib) {
    const StepCase& c = GetParam();
    const double reference = geodesicReference(c.lat1, c.lon1, c.lat2, c.lon2);
    EXPECT_NEAR(geodesicStep(c.lat1, c.lon1, c.lat2, c.lon2), reference, 1e-6 * reference)
        << c.what;
}

INSTANTIATE_TEST_SUITE_P(
    Steps, Geodesic,
    testing::Values(StepCase{"1 m on the equator", 0, 0, 0.000009, 0},
                    StepCase{"5 m diagonal in the Alps", 46.5, 10.4, 46.50003, 10.40004},
                    StepCase{"100 m east at 60 N", 60, 5, 60, 5.0018},
                    StepCase{"2 km north-east at 45 N", 45, 7, 45.0127, 7.018},
                    StepCase{"9.9 km north from the equator: the chord at its worst", 0, 0, 0.0895,
                             0},
                    StepCase{"20 km: long step", 45, 7, 45.18, 7},
                    StepCase{"1000 km: long step", 40, -3, 48, 8},
                    StepCase{"across the antimeridian", -16.8, 179.9999, -16.8, -179.9999},
                    StepCase{"near the north pole", 89.9995, 0, 89.9995, 30},
                    StepCase{"across the south pole", -89.9999, 10, -89.9999, -170},
                    StepCase{"10 m at 89.9 N", 89.9, 20, 89.90009, 20.0001}));

} // namespace
