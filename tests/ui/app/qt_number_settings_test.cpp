// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/qt_number_settings.h"

#include <QtTest>

using tarvimo::numberSettingsFor;

class QtNumberSettingsTest : public QObject {
    Q_OBJECT

private slots:
    void separators_data() {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("decimal");
        QTest::addColumn<QString>("grouping");
        QTest::newRow("Italian") << QLocale(QLocale::Italian, QLocale::Italy) << ","
                                 << ".";
        QTest::newRow("no locale named: the Italian pair") << QLocale::c() << ","
                                                           << ".";
        QTest::newRow("English: point and comma")
            << QLocale(QLocale::English, QLocale::UnitedStates) << "."
            << ",";
        QTest::newRow("Swiss Italian: apostrophe grouping")
            << QLocale(QLocale::Italian, QLocale::Switzerland) << "." << QString(QChar(0x2019));
        QTest::newRow("French: a non-breaking space groups")
            << QLocale(QLocale::French, QLocale::France) << "," << QString(QChar(0x202f));
    }
    void separators() {
        QFETCH(QLocale, locale);
        QFETCH(QString, decimal);
        QFETCH(QString, grouping);
        const auto settings = numberSettingsFor(locale);
        QCOMPARE(QString::fromStdString(settings.decimal), decimal);
        QCOMPARE(QString::fromStdString(settings.grouping), grouping);
    }
};

QTEST_MAIN(QtNumberSettingsTest)
#include "qt_number_settings_test.moc"
