// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "bench_support.h"
#include "field_sheet.h"
#include "ride/import_window.h"
#include "ride/profile_view.h"
#include "ride_file.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QTemporaryDir>
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

// "Importa salita" with the user's eyes: from opening a six-hour GPX to the profile's first
// paint, and, on a million points, from a key that moves a handle to the repaint it causes.
// Exits 1 if either median misses its goal.
using namespace tarvimo::bench;

namespace {

// A point a second for six hours, with the extensions a power meter's export carries.
void writeSixHourGpx(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        std::abort();
    file.write("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<gpx version=\"1.1\" "
               "creator=\"bench\" xmlns=\"http://www.topografix.com/GPX/1/1\" "
               "xmlns:gpxtpx=\"http://www.garmin.com/xmlschemas/TrackPointExtension/v1\">\n"
               "<trk><name>Sei ore</name><trkseg>\n");
    const QDateTime start(QDate(2026, 6, 14), QTime(6, 0), Qt::UTC);
    for (int i = 0; i < 21600; ++i) {
        const double lat = 45.0 + i * 5e-5;
        const double lon = 9.0 + 2e-3 * std::sin(i / 500.0);
        const double ele = 300 + 900 * std::sin(i / 6000.0) * std::sin(i / 6000.0);
        file.write(QStringLiteral("<trkpt lat=\"%1\" lon=\"%2\"><ele>%3</ele><time>%4</time>"
                                  "<extensions><power>%5</power><gpxtpx:TrackPointExtension>"
                                  "<gpxtpx:atemp>21</gpxtpx:atemp><gpxtpx:hr>%6</gpxtpx:hr>"
                                  "<gpxtpx:cad>%7</gpxtpx:cad></gpxtpx:TrackPointExtension>"
                                  "</extensions></trkpt>\n")
                       .arg(lat, 0, 'f', 7)
                       .arg(lon, 0, 'f', 7)
                       .arg(ele, 0, 'f', 1)
                       .arg(start.addSecs(i).toString(Qt::ISODate))
                       .arg(200 + i % 80)
                       .arg(120 + i % 40)
                       .arg(80 + i % 15)
                       .toUtf8());
    }
    file.write("</trkseg></trk></gpx>\n");
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("sei-ore.gpx"));
    writeSixHourGpx(path);

    std::vector<double> opening;
    std::vector<double> reading;
    // The main window's fields as they start, so that opening also estimates the climb's power.
    const tarvimo::FieldSheet fields;
    const tarvimo::RideSheet sheet{fields, tarvimo::NumberSettings::italian(),
                                   [](tarvimo::Field) { return QStringLiteral("campo"); }};
    for (int run = 0; run < 15; ++run) {
        QElapsedTimer clock;
        clock.start();
        tarvimo::RideFile file = tarvimo::readRideFile(path);
        if (file.error != tarvimo::RideError::None)
            return 1;
        reading.push_back(clock.nsecsElapsed() / 1e6);
        tarvimo::ImportWindow window(std::move(file), sheet);
        window.show();
        opening.push_back(untilPainted(window.profile(), clock));
    }
    const double openMs = median(opening);
    std::printf("six_hour_gpx_bytes=%lld read_ms_median=%.1f open_to_first_paint_ms_median=%.1f "
                "max=%.1f (goal <= 100)\n",
                QFileInfo(path).size(), median(reading), openMs,
                *std::max_element(opening.begin(), opening.end()));

    tarvimo::RideFile big;
    big.name = QStringLiteral("Un milione");
    big.ride.reserve(1000000);
    for (int i = 0; i < 1000000; ++i) {
        tarvimo::RidePoint point;
        point.trackDistance = i * 0.2;
        point.elevation = 500 + 400 * std::sin(i / 150000.0) + 3 * std::sin(i * 0.7);
        point.time = 1.8e9 + i;
        big.ride.append(point);
    }
    tarvimo::ImportWindow window(std::move(big), sheet);
    window.resize(900, 600);
    window.show();
    QElapsedTimer clock;
    clock.start();
    untilPainted(window.profile(), clock);
    auto* handle = window.profile().handle(tarvimo::ProfileHandle::End::Start);
    std::vector<double> moves;
    for (int i = 0; i < 200; ++i) {
        QKeyEvent key(QEvent::KeyPress, i % 40 < 20 ? Qt::Key_PageUp : Qt::Key_PageDown,
                      Qt::NoModifier);
        clock.restart();
        QApplication::sendEvent(handle, &key);
        moves.push_back(untilPainted(window.profile(), clock));
    }
    const double moveMs = median(moves);
    std::printf("million_points_handle_repaint_ms_median=%.2f max=%.2f (goal <= 8)\n", moveMs,
                *std::max_element(moves.begin(), moves.end()));
    return openMs <= 100 && moveMs <= 8 ? 0 : 1;
}
