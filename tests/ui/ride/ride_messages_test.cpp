// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The notes of "Importa salita" that count: one thing in the singular, verbs included.

#include "ride/ride_messages.h"
#include "ride_file.h"

#include <QtTest>

using namespace tarvimo;

class RideMessagesTest : public QObject {
    Q_OBJECT

private slots:
    // Every counted note of a damaged file agrees with its count, verbs included.
    void notes_data() {
        QTest::addColumn<QList<double>>("times"); // one point a time, 10 m apart
        QTest::addColumn<int>("skipped");         // points without an elevation
        QTest::addColumn<QStringList>("said");
        QTest::newRow("one point read, one without elevation")
            << QList<double>{1000} << 1
            << QStringList{"è stata letta 1 posizione", "1 punto senza quota è stato saltato."};
        QTest::newRow("one time going back")
            << QList<double>{1000, 900} << 0
            << QStringList{"sono state lette 2 posizioni",
                           "1 punto ha un tempo precedente a quello di un punto prima di lui"};
        QTest::newRow("two of each")
            << QList<double>{1000, 900, 950} << 2
            << QStringList{"sono state lette 3 posizioni", "2 punti hanno un tempo precedente",
                           "2 punti senza quota sono stati saltati."};
    }
    void notes() {
        QFETCH(QList<double>, times);
        QFETCH(int, skipped);
        QFETCH(QStringList, said);
        RideFile file;
        file.damaged = true;
        file.pointsWithoutElevation = std::size_t(skipped);
        for (qsizetype i = 0; i < times.size(); ++i)
            file.ride.append({10.0 * double(i), NAN, 100.0, times[i]});
        const QString notes = rideNotes(file, true, true);
        for (const QString& part : said)
            QVERIFY2(notes.contains(part), qPrintable(notes));
    }
};

QTEST_MAIN(RideMessagesTest)
#include "ride_messages_test.moc"
