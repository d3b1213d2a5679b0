// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Reads a ride file and finds its climb; has xmlwf (expat's own checker, which only parses) and
// gpsbabel read the same file; in turns, the order rotating each round. Prints the times, the
// ratios of the medians and the reader's peak memory a point; exits 1 if a goal is missed. The
// goals are on the time taken; the CPU time (user and system) is shown beside it, since on a
// shared machine it moves less with the load.
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
#include <sys/resource.h>
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

// User and system seconds of this process (RUSAGE_SELF) or of its children waited for.
double cpuSeconds(int who) {
    rusage usage{};
    getrusage(who, &usage);
    const auto seconds = [](const timeval& t) {
        return double(t.tv_sec) + double(t.tv_usec) / 1e6;
    };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

struct Times {
    std::vector<double> wall; // s
    std::vector<double> cpu;
};

// Runs another program to its end; false where it failed.
bool timedRun(const QString& program, const QStringList& arguments, Times& times) {
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    const double cpuBefore = cpuSeconds(RUSAGE_CHILDREN);
    QElapsedTimer clock;
    clock.start();
    process.start(program, arguments);
    if (!process.waitForFinished(-1) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0) {
        return false;
    }
    times.wall.push_back(double(clock.nsecsElapsed()) / 1e9);
    times.cpu.push_back(cpuSeconds(RUSAGE_CHILDREN) - cpuBefore);
    std::printf("  %-8s %.3f s (CPU %.3f s)\n", qPrintable(program), times.wall.back(),
                times.cpu.back());
    return true;
}

struct Reading {
    double climb = 0; // s
    long peakKb = 0;
    std::size_t points = 0;
};

bool readAndClimb(const QString& path, Times& times, Reading& reading) {
    resetPeak();
    const long startKb = statusKb("VmRSS:");
    const double cpuBefore = cpuSeconds(RUSAGE_SELF);
    QElapsedTimer clock;
    clock.start();
    RideFile file = readRideFile(path);
    const qint64 readNs = clock.nsecsElapsed();
    if (file.error != RideError::None) {
        std::fprintf(stderr, "lettura fallita: codice %d, riga %lld\n", int(file.error),
                     static_cast<long long>(file.line));
        return false;
    }
    const Climb climb = proposeClimb(file.ride).stretch;
    const qint64 totalNs = clock.nsecsElapsed();
    times.cpu.push_back(cpuSeconds(RUSAGE_SELF) - cpuBefore);
    times.wall.push_back(double(totalNs) / 1e9);
    reading.peakKb = statusKb("VmHWM:") - startKb;
    reading.points = file.ride.size();
    reading.climb = double(totalNs - readNs) / 1e9;
    std::printf("  Tarvimo  %.3f s (CPU %.3f s; climb %.3f s, points %zu..%zu of %zu)\n",
                times.wall.back(), times.cpu.back(), reading.climb, climb.first, climb.last,
                reading.points);
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
    Times ours, xmlwf, babel;
    std::vector<double> climbs;
    long peakKb = 0;
    std::size_t points = 0;
    for (int round = 0; round < rounds; ++round) {
        std::printf("round %d, load %s:\n", round, loadAverage().c_str());
        // Each program takes each place in turn.
        for (int turn = 0; turn < 3; ++turn) {
            switch ((round + turn) % 3) {
            case 0: {
                Reading reading;
                if (!readAndClimb(path, ours, reading)) {
                    return 1;
                }
                climbs.push_back(reading.climb);
                peakKb = std::max(peakKb, reading.peakKb);
                points = reading.points;
                break;
            }
            case 1:
                if (!timedRun(QStringLiteral("xmlwf"), {path}, xmlwf)) {
                    std::fprintf(stderr,
                                 "xmlwf non è partito o non è riuscito (pacchetto expat)\n");
                    return 1;
                }
                break;
            default:
                if (!timedRun(QStringLiteral("gpsbabel"), babelArguments, babel)) {
                    std::fprintf(stderr, "gpsbabel non è partito o non è riuscito\n");
                    return 1;
                }
                break;
            }
        }
    }
    const double toXmlwf = median(ours.wall) / median(xmlwf.wall);
    const double toBabel = median(ours.wall) / median(babel.wall);
    const double bytesPerPoint = double(peakKb) * 1024.0 / double(points);
    std::printf("\nmedians of %d rounds, load %s at the end:\n", rounds, loadAverage().c_str());
    std::printf("  Tarvimo read + climb %.3f s (climb %.3f s), xmlwf %.3f s, gpsbabel %.3f s\n",
                median(ours.wall), median(climbs), median(xmlwf.wall), median(babel.wall));
    std::printf("  CPU: Tarvimo %.3f s, xmlwf %.3f s, gpsbabel %.3f s\n", median(ours.cpu),
                median(xmlwf.cpu), median(babel.cpu));
    std::printf("  to xmlwf    %.3f (goal <= %.2f; CPU %.3f)\n", toXmlwf, xmlwfGoal,
                median(ours.cpu) / median(xmlwf.cpu));
    std::printf("  to gpsbabel %.3f (goal <= %.2f; CPU %.3f)\n", toBabel, gpsbabelGoal,
                median(ours.cpu) / median(babel.cpu));
    std::printf("  peak memory above start %.1f MB, %.1f bytes a point (goal <= %.0f)\n",
                double(peakKb) / 1024.0, bytesPerPoint, bytesPerPointGoal);
    return toXmlwf <= xmlwfGoal && toBabel <= gpsbabelGoal && bytesPerPoint <= bytesPerPointGoal
               ? 0
               : 1;
}
