// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "look/contrast.h"

#include <QTest>

using tarvimo::contrastRatio;

class ContrastTest : public QObject {
    Q_OBJECT
private slots:
    void ratio_data() {
        QTest::addColumn<QColor>("a");
        QTest::addColumn<QColor>("b");
        QTest::addColumn<double>("expected");
        QTest::newRow("black on white is the largest, 21")
            << QColor(Qt::black) << QColor(Qt::white) << 21.0;
        QTest::newRow("the order does not matter")
            << QColor(Qt::white) << QColor(Qt::black) << 21.0;
        QTest::newRow("a colour on itself is 1")
            << QColor(0x30, 0x8c, 0xc6) << QColor(0x30, 0x8c, 0xc6) << 1.0;
        QTest::newRow("#777 on white just misses 4.5")
            << QColor(0x77, 0x77, 0x77) << QColor(Qt::white) << 4.478;
    }
    void ratio() {
        QFETCH(QColor, a);
        QFETCH(QColor, b);
        QFETCH(double, expected);
        QVERIFY2(qAbs(contrastRatio(a, b) - expected) < 0.005,
                 qPrintable(QString::number(contrastRatio(a, b))));
    }

    // The chosen role reads on the background in every palette; equal ratios keep the text role.
    void mostContrastingRole_data() {
        QTest::addColumn<QPalette>("palette");
        QTest::addColumn<int>("expected"); // -1: any role that reads
        QPalette dark(QColor(0xf0, 0xf0, 0xf0), QColor(0x32, 0x32, 0x32));
        dark.setColor(QPalette::HighlightedText, QColor(0xf0, 0xf0, 0xf0));
        QPalette highContrast(Qt::white, Qt::black);
        highContrast.setColor(QPalette::HighlightedText, Qt::black);
        QPalette inactiveDiffers(Qt::black, Qt::white);
        inactiveDiffers.setColor(QPalette::Inactive, QPalette::WindowText, Qt::white);
        QTest::newRow("light: the usual window text")
            << QPalette(Qt::black, QColor(0xef, 0xef, 0xef)) << int(QPalette::WindowText);
        QTest::newRow("dark: a dark role on the light band") << dark << -1;
        QTest::newRow("high contrast: white on the black band")
            << highContrast << int(QPalette::WindowText);
        QTest::newRow("a role that fades when inactive is passed over") << inactiveDiffers << -1;
    }
    void mostContrastingRole() {
        QFETCH(QPalette, palette);
        QFETCH(int, expected);
        const auto role = tarvimo::mostContrastingRole(palette, QPalette::HighlightedText);
        if (expected >= 0) {
            QCOMPARE(int(role), expected);
        }
        for (const auto group : {QPalette::Active, QPalette::Inactive}) {
            QVERIFY(contrastRatio(palette.color(group, role),
                                  palette.color(group, QPalette::HighlightedText)) >= 4.5);
        }
    }
};

QTEST_MAIN(ContrastTest)
#include "contrast_test.moc"
