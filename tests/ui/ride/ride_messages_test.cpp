// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Counted sentences in Italian: one thing in the singular, nought and many in the plural.

#include "ride/counted.h"
#include "ride/ride_messages.h"
#include "ride_file.h"

#include <QtTest>

using namespace tarvimo;

class RideMessagesTest : public QObject {
    Q_OBJECT

private slots:
    void counts_data() {
        QTest::addColumn<qint64>("count");
        QTest::addColumn<QString>("said");
        QTest::newRow("nought takes the plural") << qint64(0) << "0 punti";
        QTest::newRow("one takes the singular") << qint64(1) << "1 punto";
        QTest::newRow("two take the plural") << qint64(2) << "2 punti";
        QTest::newRow("a thousand, grouped") << qint64(1000) << "1.000 punti";
    }
    void counts() {
        QFETCH(qint64, count);
        QFETCH(QString, said);
        QCOMPARE(counted(count, QStringLiteral("%1 punto"), QStringLiteral("%1 punti")), said);
    }

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
