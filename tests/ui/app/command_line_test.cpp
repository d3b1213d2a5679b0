// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's ways out before any window: run as a user would from a terminal.

#include "ride_formats.h"

#include <QProcess>
#include <QtTest>

class CommandLineTest : public QObject {
    Q_OBJECT

private slots:
    void exits_data() {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<bool>("display");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("said"); // a line of what it prints
        QTest::addColumn<bool>("onStdout");
        QTest::newRow("--help: the usage, on standard output, even without a display")
            << QStringList{QStringLiteral("--help")} << false << 0
            << QStringLiteral("Uso: tarvimo [OPZIONE] [FILE]") << true;
        QTest::newRow("-v: the version") << QStringList{QStringLiteral("-v")} << false << 0
                                         << QStringLiteral("Tarvimo " TARVIMO_VERSION) << true;
        QTest::newRow("an unknown option: named, with a pointer to --help, exit 2")
            << QStringList{QStringLiteral("--colore")} << true << 2
            << QStringLiteral("tarvimo: opzione sconosciuta «--colore».") << false;
        QTest::newRow("two rides: one at a time, exit 2")
            << QStringList{QStringLiteral("a.gpx"), QStringLiteral("b.gpx")} << true << 2
            << QStringLiteral("tarvimo: si apre una traccia alla volta, non 2.") << false;
        QTest::newRow("no display: said in Italian, exit 1, no abort")
            << QStringList{} << false << 1
            << QStringLiteral("tarvimo: non c'è uno schermo (né DISPLAY né WAYLAND_DISPLAY sono "
                              "impostati).")
            << false;
    }
    void exits() {
        QFETCH(QStringList, arguments);
        QFETCH(bool, display);
        QFETCH(int, exitCode);
        QFETCH(QString, said);
        QFETCH(bool, onStdout);
        QProcess program;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            environment.remove(QString::fromLatin1(name));
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        // The options are read before any window: a display that is never reached is enough.
        if (display)
            environment.insert(QStringLiteral("DISPLAY"), QStringLiteral(":9999"));
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(TARVIMO_PROGRAM), arguments);
        QVERIFY(program.waitForFinished(30'000));
        QCOMPARE(program.exitStatus(), QProcess::NormalExit);
        QCOMPARE(program.exitCode(), exitCode);
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        const QString err = QString::fromUtf8(program.readAllStandardError());
        QVERIFY2((onStdout ? out : err).split(u'\n').contains(said), qPrintable(out + err));
        QVERIFY2((onStdout ? err : out).isEmpty(), qPrintable(out + err));
    }

    // --help names every format the program reads, as the file dialog and the messages do.
    void helpNamesEveryFormat() {
        QProcess program;
        program.start(QStringLiteral(TARVIMO_PROGRAM), {QStringLiteral("--help")});
        QVERIFY(program.waitForFinished(30'000));
        const QString help = QString::fromUtf8(program.readAllStandardOutput());
        QVERIFY2(help.contains(QStringLiteral("una traccia GPX, TCX o FIT:")), qPrintable(help));
        for (const QString& name : tarvimo::rideFormatNames())
            QVERIFY2(help.contains(name), qPrintable(name));
    }
};

QTEST_MAIN(CommandLineTest)
#include "command_line_test.moc"
