// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The program's start-up as the user meets it: the splash passed, the main window shows the
// values of the last run, or the defaults and one message where they cannot be read.

#include "app/application.h"
#include "modal_helper.h"
#include "saved_values.h"
#include "windows/main_window.h"
#include "windows/splash_window.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QtTest>

using namespace Qt::StringLiterals;
using tarvimo::Field;
using tarvimo::MainWindow;

class SavedValuesStartTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { Q_INIT_RESOURCE(tarvimo); }

    void valuesAtStart_data() {
        QTest::addColumn<QByteArray>("file"); // the file's bytes before the start; null: none
        QTest::addColumn<QString>("rider");   // what the rider's mass shows
        QTest::addColumn<int>("messages");
        QTest::newRow("no file: the defaults, no message") << QByteArray() << u"60"_s << 0;
        QTest::newRow("the last run's values come back")
            << QByteArray("[campi]\nmassac=\"72,5\"\nsceglinomebici=Stelvio\n") << u"72,5"_s << 0;
        QTest::newRow("an unreadable file: the defaults and one message")
            << QByteArray("[campi\nmassac=72\n") << u"60"_s << 1;
    }
    void valuesAtStart() {
        QFETCH(QByteArray, file);
        QFETCH(QString, rider);
        QFETCH(int, messages);
        QApplication::setApplicationName(u"Tarvimo"_s);
        const QString path = tarvimo::SavedValues::defaultPath();
        QFile::remove(path);
        if (!file.isNull()) {
            QVERIFY(QDir().mkpath(QFileInfo(path).path()));
            QFile out(path);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
        }

        const tarvimo::testing::MessageBoxCloser closer;
        auto* splash = tarvimo::startTarvimo(*qApp);
        emit splash->proceed();
        splash->close();
        MainWindow* window = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets())
            window = window ? window : qobject_cast<MainWindow*>(w);
        QVERIFY(window);
        QVERIFY(QTest::qWaitForWindowExposed(window));
        QTest::qWait(100); // a message would come once the window shows

        QCOMPARE(window->edit(Field::massac)->text(), rider);
        for (Field result : {Field::mostraptot, Field::mostrapgrav, Field::mostraFmax})
            QCOMPARE(window->edit(result)->text(), QString()); // results start empty
        QCOMPARE(closer.texts().size(), messages);
        QFile kept(path);
        QCOMPARE(kept.open(QIODevice::ReadOnly) ? kept.readAll() : QByteArray(), file);

        // A calculation saves the inputs, replacing an unreadable file.
        window->calculate();
        QCOMPARE(tarvimo::SavedValues(path).load().status,
                 tarvimo::SavedValues::LoadStatus::Loaded);
        delete window;
    }
};

QTEST_MAIN(SavedValuesStartTest)
#include "saved_values_start_test.moc"
