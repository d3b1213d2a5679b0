// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/main_window.h"

#include <QFile>
#include <QPrinterInfo>
#include <QPushButton>
#include <QtTest>

using tarvimo::MainWindow;
using tarvimo::NumberSettings;

// Presses "Stampa" against a real print server. scripts/cups_test.sh starts one with a default
// queue that writes each job to the file named by TARVIMO_CUPS_OUTPUT; elsewhere this skips.
class PrintThroughCupsTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(tarvimo); }

    void jobArrivesInTheQueue() {
        const QString output = qEnvironmentVariable("TARVIMO_CUPS_OUTPUT");
        if (output.isEmpty()) {
            QSKIP("no print server prepared for this run");
        }
        const QPrinterInfo printer = QPrinterInfo::defaultPrinter();
        QVERIFY2(!printer.isNull(), "the prepared queue is not the default printer");

        MainWindow window(NumberSettings::italian());
        window.show();
        window.calculate();
        QTest::mouseClick(window.findChild<QPushButton*>(QStringLiteral("Stampa")), Qt::LeftButton);

        // The server writes the job on its own time.
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(output).size() > 1000, 30000);
        QFile job(output);
        QVERIFY(job.open(QIODevice::ReadOnly));
        const QByteArray head = job.read(16);
        QVERIFY2(head.startsWith("%PDF") || head.startsWith("%!PS"), head.constData());
    }
};

QTEST_MAIN(PrintThroughCupsTest)
#include "print_through_cups_test.moc"
