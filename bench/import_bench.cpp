// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Reads a ride file and finds its climb, then has gpsbabel read the same file, in turns, and
// prints the times, their ratio and the reader's peak memory a point.
// Usage: import_bench FILE.gpx [rounds]   (scripts/bench_import.sh makes the file)

#include "climb.h"
#include "ride_file.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

namespace {

using namespace tarvimo;

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

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc < 2) {
        std::fprintf(stderr, "Uso: import_bench FILE.gpx [giri]\n");
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    std::vector<double> ours, babel, climbs;
    long peakKb = 0;
    std::size_t points = 0;
    for (int round = 0; round < rounds; ++round) {
        resetPeak();
        const long startKb = statusKb("VmRSS:");
        QElapsedTimer clock;
        clock.start();
        RideFile file = readRideFile(path);
        const qint64 readNs = clock.nsecsElapsed();
        if (file.error != RideError::None) {
            std::fprintf(stderr, "lettura fallita: codice %d, riga %lld\n", int(file.error),
                         static_cast<long long>(file.line));
            return 1;
        }
        const Climb climb = findClimb(file.ride);
        const qint64 totalNs = clock.nsecsElapsed();
        peakKb = std::max(peakKb, statusKb("VmHWM:") - startKb);
        points = file.ride.size();
        ours.push_back(double(totalNs) / 1e9);
        climbs.push_back(double(totalNs - readNs) / 1e9);
        std::printf("round %d: read %.3f s, climb %.3f s (points %zu..%zu of %zu)\n", round,
                    double(readNs) / 1e9, double(totalNs - readNs) / 1e9, climb.first, climb.last,
                    points);
        file = RideFile();

        QProcess gpsbabel;
        clock.restart();
        gpsbabel.start(QStringLiteral("gpsbabel"),
                       {"-i", "gpx", "-f", path, "-o", "unicsv", "-F", "/dev/null"});
        if (!gpsbabel.waitForFinished(-1) || gpsbabel.exitCode() != 0) {
            std::fprintf(stderr, "gpsbabel non è partito o non è riuscito\n");
            return 1;
        }
        babel.push_back(double(clock.nsecsElapsed()) / 1e9);
        std::printf("round %d: gpsbabel %.3f s\n", round, babel.back());
    }
    const double ratio = median(ours) / median(babel);
    const double bytesPerPoint = double(peakKb) * 1024.0 / double(points);
    std::printf("\nmedian of %d: read + climb %.3f s (climb %.3f s), gpsbabel %.3f s, "
                "ratio %.3f (goal <= 0.30)\n",
                rounds, median(ours), median(climbs), median(babel), ratio);
    std::printf("peak memory above start: %.1f MB, %.1f bytes a point (goal <= 100)\n",
                double(peakKb) / 1024.0, bytesPerPoint);
    return ratio <= 0.30 && bytesPerPoint <= 100 ? 0 : 1;
}
