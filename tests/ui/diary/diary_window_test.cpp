// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// "Diario" driven as a user would: entries saved from the main window's side, listed, filtered,
// sorted, reopened, deleted and brought back, exported and imported; and what a damaged or a
// newer diary file makes the first save say.

#include "diary/diary_chart.h"
#include "diary/diary_keeper.h"
#include "diary/diary_model.h"
#include "diary/diary_window.h"
#include "modal_helper.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <memory>

using namespace tarvimo;
using namespace tarvimo::testing;

namespace {

DiaryEntry effort(const char* climb, const char* rider, const char* date, double wattsPerKg) {
    DiaryEntry entry;
    entry.texts[std::size_t(Field::sceglinomebici)] = climb;
    entry.texts[std::size_t(Field::sceglinomeciclista)] = rider;
    entry.texts[std::size_t(Field::sceglidata)] = date;
    entry.wattsPerKg = wattsPerKg;
    entry.totalPower = wattsPerKg * 60;
    entry.seconds = 3000 / wattsPerKg;
    entry.savedAt = 1'780'000'000;
    return entry;
}

// Newest first: Giau 2025 (Maria), Stelvio 2024 (Luca), Giau 2023 (Luca).
const DiaryEntry efforts[] = {effort("Passo Giau", "Luca", "01-06-2023", 3.5),
                              effort("Stelvio", "Luca", "01-06-2024", 4.1),
                              effort("Passo Giau", "Maria", "01-06-2025", 3.9)};

QString cell(DiaryWindow& window, int row, DiaryColumn column) {
    return window.model().index(row, int(column)).data().toString();
}

} // namespace

class DiaryWindowTest : public QObject {
    Q_OBJECT

    std::unique_ptr<QWidget> m_main;
    std::vector<DiaryEntry> m_reopened;

    DiaryKeeper& keeper() { return DiaryKeeper::of(*m_main); }
    // The window over the three efforts, saved as the main window saves them.
    DiaryWindow& window() {
        for (const DiaryEntry& entry : efforts) {
            [&] { QVERIFY(keeper().save(*m_main, entry)); }();
        }
        keeper().show(*m_main, {[this](const DiaryEntry& e) { m_reopened.push_back(e); }, {}});
        return *keeper().window();
    }

private slots:
    void initTestCase() { QCoreApplication::setApplicationName(QStringLiteral("Tarvimo")); }

    void init() {
        const QFileInfo diary(Diary::defaultPath());
        QDir(diary.path()).removeRecursively();
        m_main = std::make_unique<QWidget>();
        m_reopened.clear();
    }
    void cleanup() { m_main.reset(); }

    void savedEntriesAreListedNewestFirst() {
        DiaryWindow& shown = window();
        QVERIFY(shown.isVisible());
        QVERIFY(shown.windowFlags() & Qt::Window);
        QCOMPARE(shown.parentWidget(), m_main.get());
        QCOMPARE(shown.model().rowCount(), 3);
        QCOMPARE(cell(shown, 0, DiaryColumn::Rider), QStringLiteral("Maria"));
        QVERIFY(keeper().save(*m_main, effort("Zoncolan", "Anna", "01-01-2026", 5)));
        QTRY_COMPARE(cell(shown, 0, DiaryColumn::Climb), QStringLiteral("Zoncolan"));
        QCOMPARE(cell(shown, 0, DiaryColumn::WattsPerKg), QStringLiteral("5,00"));
    }

    void filterFindsClimbOrRider_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<int>("rows");
        QTest::newRow("a climb, in another case") << QStringLiteral("GIAU") << 2;
        QTest::newRow("a rider") << QStringLiteral("luca") << 2;
        QTest::newRow("nothing matches") << QStringLiteral("Mortirolo") << 0;
        QTest::newRow("emptied again") << QString() << 3;
    }
    void filterFindsClimbOrRider() {
        QFETCH(QString, typed);
        QFETCH(int, rows);
        DiaryWindow& shown = window();
        auto* search = shown.findChild<QLineEdit*>(QStringLiteral("cerca"));
        QTest::keyClicks(search, QStringLiteral("x"));
        search->clear();
        QTest::keyClicks(search, typed);
        QCOMPARE(shown.model().rowCount(), rows);
    }

    void headerSortsByAnyColumn_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<Qt::SortOrder>("order");
        QTest::addColumn<QString>("first");
        QTest::newRow("W/kg, highest first")
            << int(DiaryColumn::WattsPerKg) << Qt::DescendingOrder << QStringLiteral("4,10");
        QTest::newRow("W/kg, lowest first")
            << int(DiaryColumn::WattsPerKg) << Qt::AscendingOrder << QStringLiteral("3,50");
        QTest::newRow("date, oldest first")
            << int(DiaryColumn::Day) << Qt::AscendingOrder << QStringLiteral("3,50");
    }
    void headerSortsByAnyColumn() {
        QFETCH(int, column);
        QFETCH(Qt::SortOrder, order);
        QFETCH(QString, first);
        DiaryWindow& shown = window();
        shown.table().sortByColumn(column, order);
        QCOMPARE(cell(shown, 0, DiaryColumn::WattsPerKg), first);
    }

    void reopenHandsBackTheChosenEntry_data() {
        QTest::addColumn<QString>("how");
        QTest::newRow("Enter") << QStringLiteral("enter");
        QTest::newRow("double-click") << QStringLiteral("double");
        QTest::newRow("Riapri") << QStringLiteral("button");
    }
    void reopenHandsBackTheChosenEntry() {
        QFETCH(QString, how);
        DiaryWindow& shown = window();
        QTableView& table = shown.table();
        table.setCurrentIndex(shown.model().index(1, 0));
        if (how == QStringLiteral("enter")) {
            QTest::keyClick(&table, Qt::Key_Return);
        } else if (how == QStringLiteral("double")) {
            const QPoint at = table.visualRect(table.currentIndex()).center();
            QTest::mouseClick(table.viewport(), Qt::LeftButton, {}, at);
            QTest::mouseDClick(table.viewport(), Qt::LeftButton, {}, at);
        } else {
            shown.findChild<QPushButton*>(QStringLiteral("riapri"))->click();
        }
        QCOMPARE(m_reopened.size(), 1u);
        QCOMPARE(m_reopened[0].texts, efforts[1].texts);
    }

    void deleteAsksThenCtrlZBringsBack() {
        DiaryWindow& shown = window();
        QTableView& table = shown.table();
        // Shortcuts reach an active window only; a closed question leaves none active here.
        const auto press = [&](Qt::Key key, Qt::KeyboardModifiers modifiers = {}) {
            QApplication::setActiveWindow(&shown);
            QVERIFY(QTest::qWaitForWindowActive(&shown));
            table.setFocus();
            QTest::keyClick(&table, key, modifiers);
        };
        const auto answer = [](QMessageBox::StandardButton button) {
            onNextModal([button](QWidget* box) {
                qobject_cast<QMessageBox*>(box)->button(button)->click();
            });
        };
        table.selectRow(0);
        answer(QMessageBox::No);
        press(Qt::Key_Delete);
        QCOMPARE(shown.model().rowCount(), 3); // "Annulla": nothing deleted
        table.selectRow(0);
        answer(QMessageBox::Yes);
        press(Qt::Key_Delete);
        QCOMPARE(shown.model().rowCount(), 2);
        QCOMPARE(cell(shown, 0, DiaryColumn::Climb), QStringLiteral("Stelvio"));
        press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(shown.model().rowCount(), 3);
        QCOMPARE(cell(shown, 0, DiaryColumn::Rider), QStringLiteral("Maria"));
    }

    void csvRoundTripsAndABadRowAddsNothing() {
        DiaryWindow& shown = window();
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("diario.csv"));
        QVERIFY(shown.exportTo(path));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray exported = file.readAll();
        file.close();
        // A third row whose W/kg is not a number: line 4, nothing added.
        QList<QByteArray> lines = exported.split('\n');
        lines[3].replace(";3,5;", ";tre;");
        const QString bad = dir.filePath(QStringLiteral("rotto.csv"));
        QFile broken(bad);
        QVERIFY(broken.open(QIODevice::WriteOnly));
        broken.write(lines.join('\n'));
        broken.close();
        {
            const MessageBoxCloser closer;
            QVERIFY(!shown.importFrom(bad));
            QCOMPARE(closer.texts().size(), 1);
            QVERIFY2(closer.texts()[0].contains(QStringLiteral("Riga 4")),
                     qPrintable(closer.texts()[0]));
        }
        QCOMPARE(shown.model().rowCount(), 3);
        QVERIFY(shown.importFrom(path));
        QCOMPARE(shown.model().rowCount(), 6);
        std::vector<std::int64_t> ids;
        for (int row = 0; row < 3; ++row) {
            ids.push_back(shown.model().entry(row * 2 + 1)->id);
        }
        QCOMPARE(keeper().diary().remove(ids), DiaryStatus::Ok);
        QVERIFY(shown.exportTo(path));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), exported);
    }

    void chartMarksTheBestEffort() {
        DiaryWindow& shown = window();
        shown.table().setCurrentIndex(shown.model().index(0, 0)); // Passo Giau
        shown.showChosenClimb();
        QCOMPARE(shown.chart().best()->wattsPerKg, 3.9);
        shown.chart().setMeasure(DiaryChart::Measure::Time);
        QCOMPARE(shown.chart().best()->wattsPerKg, 3.9); // the shortest time
        QVERIFY(shown.chart().accessibleDescription().contains(QStringLiteral("tabella")));
    }

    void openingSaysOnceWhatItFound_data() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<bool>("saved");
        QTest::addColumn<QString>("said");
        QTest::newRow("damaged: set aside, named")
            << QStringLiteral("damaged") << true << QStringLiteral("diario.sqlite.danneggiato-");
        QTest::newRow("newer: read only, the save refused once")
            << QStringLiteral("newer") << false << QStringLiteral("versione più recente");
    }
    void openingSaysOnceWhatItFound() {
        QFETCH(QString, file);
        QFETCH(bool, saved);
        QFETCH(QString, said);
        const QString path = Diary::defaultPath();
        QDir().mkpath(QFileInfo(path).path());
        if (file == QStringLiteral("damaged")) {
            QFile garbage(path);
            QVERIFY(garbage.open(QIODevice::WriteOnly));
            garbage.write(QByteArray(8192, 'x'));
        } else {
            {
                Diary made;
                QCOMPARE(made.open(path), DiaryStatus::Ok);
            }
            auto db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("raw"));
            db.setDatabaseName(path);
            QVERIFY(db.open());
            QVERIFY(QSqlQuery(db).exec(QStringLiteral("PRAGMA user_version = 99")));
            db.close();
            db = QSqlDatabase();
            QSqlDatabase::removeDatabase(QStringLiteral("raw"));
        }
        const MessageBoxCloser closer;
        QCOMPARE(keeper().save(*m_main, efforts[0]), saved);
        QCOMPARE(closer.texts().size(), 1);
        QVERIFY2(closer.texts()[0].contains(said), qPrintable(closer.texts()[0]));
        if (file == QStringLiteral("damaged")) {
            QVERIFY(QFileInfo::exists(keeper().diary().setAsidePath()));
        }
        QCOMPARE(keeper().save(*m_main, efforts[1]), saved);
        QCOMPARE(closer.texts().size(), saved ? 1 : 2); // a refused save says so each time
    }

    void sizeIsKeptBetweenRuns() {
        window().resize(700, 450);
        m_main.reset(); // the main window closes, and the diary window with it
        m_main = std::make_unique<QWidget>();
        QCOMPARE(window().size(), QSize(700, 450));
    }
};

QTEST_MAIN(DiaryWindowTest)
#include "diary_window_test.moc"
