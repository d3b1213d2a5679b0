// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Reads a ride file and finds its climb; has xmlwf (expat's own checker, which only parses) and
// gpsbabel read the same file; in turns, the order rotating each round. Prints the times, the
// ratios of the medians and the reader's peak memory a point; exits 1 if a goal is missed.
// Usage: import_bench FILE.gpx [rounds]   (scripts/bench_import.sh makes the file)

#include "climb.h"
#include "ride_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace tarvimo;

constexpr double xmlwfGoal = 1.30;
constexpr double gpsbabelGoal = 0.30;
constexpr double bytesPerPointGoal = 100;

// A line of /proc/self/status, in kB.
long statusKb(const char* key) {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind(key, 0) == 0) {
            return std::stol(line.substr(std::string(key).size()));
        }
    }
    return -1;
}

// Sets the peak resident size back to the present one (Linux 4.0 and later).
void resetPeak() {
    std::ofstream clear("/proc/self/clear_refs");
    clear << "5";
}

std::string loadAverage() {
    std::ifstream load("/proc/loadavg");
    std::string one;
    load >> one;
    return one;
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

// Seconds from start to exit of another program; a negative number where it failed.
double timedRun(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return -1;
    }
    return double(clock.nsecsElapsed()) / 1e9;
}

struct Reading {
    double total = 0; // s, read and climb
    double climb = 0;
    long peakKb = 0;
    std::size_t points = 0;
};

bool readAndClimb(const QString& path, Reading& reading) {
    resetPeak();
    const long startKb = statusKb("VmRSS:");
    QElapsedTimer clock;
    clock.start();
    RideFile file = readRideFile(path);
    const qint64 readNs = clock.nsecsElapsed();
    if (file.error != RideError::None) {
        std::fprintf(stderr, "lettura fallita: codice %d, riga %lld\n", int(file.error),
                     static_cast<long long>(file.line));
        return false;
    }
    const Climb climb = findClimb(file.ride);
    const qint64 totalNs = clock.nsecsElapsed();
    reading.peakKb = statusKb("VmHWM:") - startKb;
    reading.points = file.ride.size();
    reading.total = double(totalNs) / 1e9;
    reading.climb = double(totalNs - readNs) / 1e9;
    std::printf("  Tarvimo  %.3f s (climb %.3f s, points %zu..%zu of %zu)\n", reading.total,
                reading.climb, climb.first, climb.last, reading.points);
    return true;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    std::setvbuf(stdout, nullptr, _IOLBF, 0); // each round shows as it ends
    if (argc < 2) {
        std::fprintf(stderr, "Uso: import_bench FILE.gpx [giri]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    const QStringList babelArguments{"-i", "gpx", "-f", path, "-o", "unicsv", "-F", "/dev/null"};
    std::vector<double> ours, climbs, xmlwf, babel;
    long peakKb = 0;
    std::size_t points = 0;
    for (int round = 0; round < rounds; ++round) {
        std::printf("round %d, load %s:\n", round, loadAverage().c_str());
        // Each program takes each place in turn.
        for (int turn = 0; turn < 3; ++turn) {
            switch ((round + turn) % 3) {
            case 0: {
                Reading reading;
                if (!readAndClimb(path, reading)) {
                    return 1;
                }
                ours.push_back(reading.total);
                climbs.push_back(reading.climb);
                peakKb = std::max(peakKb, reading.peakKb);
                points = reading.points;
                break;
            }
            case 1:
                xmlwf.push_back(timedRun(QStringLiteral("xmlwf"), {path}));
                if (xmlwf.back() < 0) {
                    std::fprintf(stderr,
                                 "xmlwf non è partito o non è riuscito (pacchetto expat)\n");
                    return 1;
                }
                std::printf("  xmlwf    %.3f s\n", xmlwf.back());
                break;
            default:
                babel.push_back(timedRun(QStringLiteral("gpsbabel"), babelArguments));
                if (babel.back() < 0) {
                    std::fprintf(stderr, "gpsbabel non è partito o non è riuscito\n");
                    return 1;
                }
                std::printf("  gpsbabel %.3f s\n", babel.back());
                break;
            }
        }
    }
    const double toXmlwf = median(ours) / median(xmlwf);
    const double toBabel = median(ours) / median(babel);
    const double bytesPerPoint = double(peakKb) * 1024.0 / double(points);
    std::printf("\nmedians of %d rounds, load %s at the end:\n", rounds, loadAverage().c_str());
    std::printf("  Tarvimo read + climb %.3f s (climb %.3f s), xmlwf %.3f s, gpsbabel %.3f s\n",
                median(ours), median(climbs), median(xmlwf), median(babel));
    std::printf("  to xmlwf    %.3f (goal <= %.2f)\n", toXmlwf, xmlwfGoal);
    std::printf("  to gpsbabel %.3f (goal <= %.2f)\n", toBabel, gpsbabelGoal);
    std::printf("  peak memory above start %.1f MB, %.1f bytes a point (goal <= %.0f)\n",
                double(peakKb) / 1024.0, bytesPerPoint, bytesPerPointGoal);
    return toXmlwf <= xmlwfGoal && toBabel <= gpsbabelGoal && bytesPerPoint <= bytesPerPointGoal
               ? 0
               : 1;
}
