// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The diary: texts kept exactly, files it may find on opening, faults of a write, the list and
// its filter, undo, and a writer killed at random moments.

#include "case_name.h"
#include "diary.h"
#include "diary_schema.h"
#include "store_test_support.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QThread>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <set>

namespace {

using namespace tarvimo;
using namespace tarvimo::test;

// A connection of the test's own beside the diary's, as another program would have.
class Raw {
public:
    explicit Raw(const QString& path) : m_name(QStringLiteral("raw-%1").arg(quintptr(this))) {
        m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_name);
        m_db.setDatabaseName(path);
        m_db.open();
    }
    ~Raw() {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_name);
    }
    bool exec(const QString& sql) { return QSqlQuery(m_db).exec(sql); }
    QVariant value(const QString& sql) {
        QSqlQuery query(m_db);
        return m_db.isOpen() && query.exec(sql) && query.next() ? query.value(0) : QVariant();
    }

private:
    QString m_name;
    QSqlDatabase m_db;
};

DiaryEntry entry(const std::string& climb, const std::string& rider, const std::string& date,
                 std::int64_t savedAt) {
    DiaryEntry e;
    e.texts[std::size_t(Field::sceglinomebici)] = climb;
    e.texts[std::size_t(Field::sceglinomeciclista)] = rider;
    e.texts[std::size_t(Field::sceglidata)] = date;
    e.savedAt = savedAt;
    e.wattsPerKg = double(savedAt);
    return e;
}

std::vector<std::int64_t> ids(const std::vector<DiaryEntry>& entries) {
    std::vector<std::int64_t> result;
    for (const DiaryEntry& e : entries) {
        result.push_back(e.id);
    }
    return result;
}

// A closed diary of n entries, ids 1 to n, each with a long rider's name.
void makeDiary(const QString& path, int n) {
    std::vector<DiaryEntry> entries;
    for (int i = 1; i <= n; ++i) {
        entries.push_back(entry("Salita", std::string(1000, 'r'), "01-01-2024", i));
        entries.back().id = i;
    }
    Diary diary;
    ASSERT_EQ(diary.open(path), DiaryStatus::Ok);
    ASSERT_EQ(diary.restore(entries), DiaryStatus::Ok);
}

// Takes a diary of this version back to version 1, as the first Tarvimo with a diary left it.
void makeVersion1Diary(const QString& path, int n) {
    makeDiary(path, n);
    Raw raw(path);
    for (const char* index : {"salite_per_salita", "salite_per_ciclista", "salite_per_lunghezza",
                              "salite_per_dislivello", "salite_per_tempo", "salite_per_potenza",
                              "salite_per_wkg", "salite_per_vam"}) {
        raw.exec(QStringLiteral("DROP INDEX ") + QLatin1StringView(index));
    }
    raw.exec(QStringLiteral("ALTER TABLE salite DROP COLUMN chiave_ciclista"));
    raw.exec(QStringLiteral("CREATE INDEX salite_salita ON salite (chiave_salita, giorno, "
                            "salvato)"));
    raw.exec(QStringLiteral("PRAGMA user_version = 1"));
}

TEST(DiaryTexts, ComeBackExactly) {
    const std::vector<std::string> hostile = hostileTexts();
    DiaryEntry in;
    for (std::size_t i = 0; i < fieldCount; ++i) {
        in.texts[i] = hostile[i % hostile.size()];
    }
    in.rideFile = "/home/rider/salite/giro d'italia \"2024\".gpx";
    in.savedAt = -5;
    in.totalPower = 301.25;
    in.vam = INFINITY;
    in.stretchTo = -0.0;
    QTemporaryDir dir;
    Diary diary;
    ASSERT_EQ(diary.open(dir.filePath(QStringLiteral("diario.sqlite"))), DiaryStatus::Ok);
    const Diary::Added added = diary.add(in);
    ASSERT_EQ(added.status, DiaryStatus::Ok);
    const Diary::Page page = diary.page({}, 0, 10);
    ASSERT_EQ(page.entries.size(), 1u);
    const DiaryEntry& out = page.entries[0];
    EXPECT_EQ(out.id, added.id);
    EXPECT_EQ(out.savedAt, in.savedAt);
    EXPECT_EQ(out.texts, in.texts);
    EXPECT_EQ(out.rideFile, in.rideFile);
    for (double DiaryEntry::*number :
         {&DiaryEntry::totalPower, &DiaryEntry::wattsPerKg, &DiaryEntry::vam, &DiaryEntry::speed,
          &DiaryEntry::seconds, &DiaryEntry::length, &DiaryEntry::gain, &DiaryEntry::stretchFrom,
          &DiaryEntry::stretchTo}) {
        EXPECT_TRUE(out.*number == in.*number ||
                    (std::isnan(out.*number) && std::isnan(in.*number)));
    }
}

struct OpenCase {
    const char* what;
    std::function<void(const QString& path)> make;
    DiaryStatus status;
    int version; // user_version afterwards
    int entries; // readable afterwards
};

class Open : public testing::TestWithParam<OpenCase> {};

TEST_P(Open, SetsAsideOnlyWhatIsDamaged) {
    const OpenCase& c = GetParam();
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("diario.sqlite"));
    c.make(path);
    const QByteArray before = readBytes(path);
    Diary diary;
    const DiaryStatus status = diary.open(path);
    ASSERT_EQ(status, c.status) << diary.message(status).toStdString();
    EXPECT_EQ(diary.count().value_or(-1), c.entries);
    if (c.entries > 0) {
        const Diary::Page byRider = diary.page({}, 0, 1, {DiaryColumn::Rider, true});
        ASSERT_EQ(byRider.entries.size(), 1u) << "sorted by a column an upgrade added";
    }
    EXPECT_EQ(Raw(path).value(QStringLiteral("PRAGMA user_version")).toInt(), c.version);
    if (status == DiaryStatus::Recovered) {
        EXPECT_TRUE(
            QRegularExpression(QStringLiteral("/diario\\.sqlite\\.danneggiato-\\d{8}-\\d{6}$"))
                .match(diary.setAsidePath())
                .hasMatch())
            << diary.setAsidePath().toStdString();
        EXPECT_EQ(readBytes(diary.setAsidePath()), before) << "set aside as it was";
        EXPECT_TRUE(diary.message(status).contains(diary.setAsidePath()));
    }
    const DiaryStatus added = diary.add(entry("Giau", "Maria", "01-07-2025", 1)).status;
    EXPECT_EQ(added, status == DiaryStatus::Failed || status == DiaryStatus::ReadOnlyNewer
                         ? status
                         : DiaryStatus::Ok);
    EXPECT_EQ(diary.message(status).isEmpty(), status == DiaryStatus::Ok);
}

const auto damage = [](const QString& path, qint64 at, qint64 bytes) {
    QFile file(path);
    file.open(QIODevice::ReadWrite);
    file.seek(at);
    file.write(QByteArray(bytes, '\xa5'));
};

// A diary of 300 entries with bytes overwritten in the first page of a table or an index.
const auto damagePage = [](const QString& path, const char* name, qint64 at, qint64 bytes) {
    makeDiary(path, 300);
    const qint64 page =
        Raw(path)
            .value(QStringLiteral("SELECT rootpage FROM sqlite_schema WHERE name = '%1'")
                       .arg(QLatin1StringView(name)))
            .toLongLong();
    damage(path, (page - 1) * 4096 + at, bytes);
};

constexpr int now = DiarySchema::version;

INSTANTIATE_TEST_SUITE_P(
    Files, Open,
    testing::Values(
        OpenCase{"no file: a new diary", [](const QString&) {}, DiaryStatus::Ok, now, 0},
        OpenCase{"an empty file, version 0: upgraded", [](const QString& p) { writeBytes(p, ""); },
                 DiaryStatus::Ok, now, 0},
        OpenCase{"a diary of version 1: upgraded, its entries kept",
                 [](const QString& p) { makeVersion1Diary(p, 3); }, DiaryStatus::Ok, now, 3},
        OpenCase{"a diary of this version", [](const QString& p) { makeDiary(p, 3); },
                 DiaryStatus::Ok, now, 3},
        OpenCase{"not a database", [](const QString& p) { writeBytes(p, QByteArray(8192, 'x')); },
                 DiaryStatus::Recovered, now, 0},
        OpenCase{"a truncated database",
                 [](const QString& p) {
                     makeDiary(p, 300);
                     QFile(p).resize(QFile(p).size() / 2);
                 },
                 DiaryStatus::Recovered, now, 0},
        OpenCase{"an index page overwritten: fails the check",
                 [](const QString& p) { damagePage(p, "salite_lista", 0, 4096); },
                 DiaryStatus::Recovered, now, 0},
        OpenCase{"a page of the table overwritten: fails the check",
                 [](const QString& p) { damagePage(p, "salite", 8, 64); }, DiaryStatus::Recovered,
                 now, 0},
        OpenCase{"written by a newer version: read, never written",
                 [](const QString& p) {
                     makeDiary(p, 2);
                     Raw(p).exec(QStringLiteral("PRAGMA user_version = %1").arg(now + 1));
                 },
                 DiaryStatus::ReadOnlyNewer, now + 1, 2},
        OpenCase{"a folder in its place", [](const QString& p) { QDir().mkdir(p); },
                 DiaryStatus::Failed, 0, -1}));

struct FaultCase {
    const char* what;
    std::function<void(const QString& path, DiaryOptions& options)> setUp;
    DiaryStatus opened;
    DiaryStatus status;
    bool asNobody = false;
    rlim_t fileSizeLimit = 0;
};

class Fault : public testing::TestWithParam<FaultCase> {};

TEST_P(Fault, IsReportedAndNothingIsHalfWritten) {
    const FaultCase& c = GetParam();
    QTemporaryDir dir;
    AsNobody::letThrough(dir.path());
    const QString path = dir.filePath(QStringLiteral("diario.sqlite"));
    makeDiary(path, 1);
    DiaryOptions options;
    c.setUp(path, options);
    DiaryEntry big = entry("Zoncolan", std::string(65'536, 'z'), "02-06-2025", 2);
    Diary::Added added;
    {
        const AsNobody nobody(c.asNobody);
        Diary diary;
        ASSERT_EQ(diary.open(path, options), c.opened);
        const FileSizeLimit limit(c.fileSizeLimit);
        added = diary.add(big);
        EXPECT_EQ(diary.count(), 1);
        EXPECT_FALSE(diary.message(added.status).isEmpty());
    }
    EXPECT_EQ(added.status, c.status);
    EXPECT_EQ(added.id, 0);
    EXPECT_EQ(Raw(path).value(QStringLiteral("PRAGMA integrity_check")).toString(), "ok");
}

INSTANTIATE_TEST_SUITE_P(
    Writes, Fault,
    testing::Values(FaultCase{"the disk filling up in the middle of the write",
                              [](const QString&, DiaryOptions&) {}, DiaryStatus::Ok,
                              DiaryStatus::Failed, false, 32768},
                    FaultCase{"a full disk",
                              [](const QString& p, DiaryOptions& options) {
                                  options.maxPages =
                                      Raw(p).value(QStringLiteral("PRAGMA page_count")).toInt();
                              },
                              DiaryStatus::Ok, DiaryStatus::DiskFull},
                    FaultCase{"a read-only file",
                              [](const QString& p, DiaryOptions&) {
                                  QFile::setPermissions(QFileInfo(p).path(),
                                                        QFileDevice::Permissions(0x7777));
                                  QFile::setPermissions(p, QFile::ReadOwner | QFile::ReadOther);
                              },
                              DiaryStatus::Ok, DiaryStatus::ReadOnly, true},
                    FaultCase{"a read-only folder: read, not set aside",
                              [](const QString& p, DiaryOptions&) {
                                  QFile::setPermissions(p, QFile::ReadOwner | QFile::ReadOther);
                              },
                              DiaryStatus::ReadOnly, DiaryStatus::ReadOnly, true}));

TEST(DiaryTwice, AWriteWaitsForTheOtherDiaryThenSaysBusy) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("diario.sqlite"));
    Diary first;
    Diary second;
    ASSERT_EQ(first.open(path), DiaryStatus::Ok);
    ASSERT_EQ(second.open(path, {std::chrono::milliseconds(200)}), DiaryStatus::Ok);
    ASSERT_EQ(first.add(entry("Giau", "Maria", "01-07-2025", 1)).status, DiaryStatus::Ok);
    EXPECT_EQ(second.count(), 1);
    {
        Raw holder(path); // the first diary's file, held as its own write would hold it
        ASSERT_TRUE(holder.exec(QStringLiteral("BEGIN IMMEDIATE")));
        QElapsedTimer timer;
        timer.start();
        EXPECT_EQ(second.add(entry("Giau", "Luca", "02-07-2025", 2)).status, DiaryStatus::Busy);
        EXPECT_GE(timer.elapsed(), 200) << "it waited first";
        EXPECT_EQ(second.count(), 1) << "and wrote nothing";
    }
    EXPECT_EQ(second.add(entry("Giau", "Luca", "02-07-2025", 2)).status, DiaryStatus::Ok);
    EXPECT_EQ(first.count(), 2);
}

class DiaryList : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(m_diary.open(m_dir.filePath(QStringLiteral("diario.sqlite"))), DiaryStatus::Ok);
        for (const DiaryEntry& e : {entry("Passo Giau", "Maria Rossi", "10-07-2024", 1),
                                    entry("Città Alta", "Luca Bianchi", "2-5-2023", 2),
                                    entry("CITTÀ  ALTA", "Anna Verdi", "02-05-2023", 3),
                                    entry("Stelvio 100%", "Giò_Neri", "01-08-2025", 4),
                                    entry("Mortirolo", "Back\\slash", "senza data", 5)}) {
            m_ids.push_back(m_diary.add(e).id);
        }
    }
    std::vector<std::int64_t> riders(const QString& filter) {
        const Diary::Page page = m_diary.page(filter, 0, 100);
        EXPECT_EQ(page.status, DiaryStatus::Ok);
        EXPECT_EQ(page.matching, std::int64_t(page.entries.size()));
        return ids(page.entries);
    }

    QTemporaryDir m_dir;
    Diary m_diary;
    std::vector<std::int64_t> m_ids; // Maria, Luca, Anna, Giò, Back\slash
};

TEST_F(DiaryList, NewestFirstAndFilteredByClimbOrRider) {
    const auto& id = m_ids;
    const struct {
        const char* filter;
        std::vector<std::int64_t> expected;
    } rows[] = {
        {"", {id[3], id[0], id[2], id[1], id[4]}}, // by day, then by saving; no date last
        {"citta alta", {id[2], id[1]}},            // accents, case and blanks do not count
        {"CITTÀ", {id[2], id[1]}},
        {"gio", {id[3]}}, // in the rider's name
        {"%", {id[3]}},   // LIKE's wildcards are plain characters
        {"_", {id[3]}},
        {"\\", {id[4]}},
        {"'; DROP TABLE salite; --", {}},
        {"giau maria", {}}, // never across the climb and the rider
        {"giau\x1fmaria", {}},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(riders(QString::fromUtf8(row.filter)), row.expected) << row.filter;
    }
    const Diary::Page second = m_diary.page({}, 1, 2);
    EXPECT_EQ(ids(second.entries), (std::vector<std::int64_t>{id[0], id[2]}));
    EXPECT_EQ(second.matching, 5);
    EXPECT_EQ(m_diary.page({}, 4, 10).matching, 5) << "counted by a short last page";
    EXPECT_EQ(m_diary.page({}, 9, 10).matching, 5) << "and past the end";
}

TEST_F(DiaryList, SortsByAnyColumnEitherWay) {
    const auto& id = m_ids; // W/kg = 1..5, the time only on Luca's and Anna's
    ASSERT_EQ(m_diary.remove({id[4]}), DiaryStatus::Ok);
    DiaryEntry timed = entry("Giau", "Zeno", "01-01-2020", 6);
    timed.seconds = 100;
    const std::int64_t zeno = m_diary.add(timed).id;
    const struct {
        const char* what;
        DiaryOrder order;
        const char* filter;
        std::vector<std::int64_t> expected;
    } rows[] = {
        {"by day going up: oldest first",
         {DiaryColumn::Day, false},
         "",
         {zeno, id[1], id[2], id[0], id[3]}},
        {"by climb, folded: Città and CITTÀ together, ties by day",
         {DiaryColumn::Climb, false},
         "",
         {id[1], id[2], zeno, id[0], id[3]}},
        {"by rider going down", {DiaryColumn::Rider, true}, "", {zeno, id[0], id[1], id[3], id[2]}},
        {"by W/kg going down",
         {DiaryColumn::WattsPerKg, true},
         "",
         {zeno, id[3], id[2], id[1], id[0]}},
        {"by time going down: no time last",
         {DiaryColumn::Time, true},
         "",
         {zeno, id[3], id[0], id[2], id[1]}},
        {"by W/kg with a filter", {DiaryColumn::WattsPerKg, false}, "citta", {id[1], id[2]}},
    };
    for (const auto& row : rows) {
        const Diary::Page page = m_diary.page(QString::fromUtf8(row.filter), 0, 100, row.order);
        EXPECT_EQ(ids(page.entries), row.expected) << row.what;
    }
}

TEST_F(DiaryList, AddAllAddsEveryEntryOrNone) {
    std::vector<DiaryEntry> entries{entry("Giau", "Zeno", "01-01-2020", 6),
                                    entry("Giau", std::string(65'536, 'u'), "01-01-2021", 7)};
    entries[0].id = m_ids[0]; // an id of its own is not used
    ASSERT_EQ(m_diary.addAll(entries), DiaryStatus::Ok);
    EXPECT_EQ(m_diary.count(), 7);
    Diary again;
    ASSERT_EQ(again.open(m_diary.path(), {std::chrono::milliseconds(5000), 1}), DiaryStatus::Ok);
    EXPECT_EQ(again.addAll(entries), DiaryStatus::DiskFull) << "no room for both";
    EXPECT_EQ(m_diary.count(), 7) << "and neither was added";
}

TEST_F(DiaryList, ALargeBatchIsAllOrNothingAndKeepsEveryIndex) {
    // Large enough to go in without the sort indexes, which are then made again.
    std::vector<DiaryEntry> batch;
    for (int i = 0; i < 3000; ++i) {
        batch.push_back(entry("Giau", "Zeno", "01-01-2020", 100 + i));
        batch.back().id = 100 + i;
    }
    const auto indexes = [this] {
        return Raw(m_diary.path())
            .value(QStringLiteral("SELECT count(*) FROM sqlite_schema WHERE type = 'index'"))
            .toInt();
    };
    const int before = indexes();
    const struct {
        const char* what;
        std::int64_t lastId;
        int maxPages;
        DiaryStatus status;
        int count;
    } rows[] = {
        {"the last entry's id is taken: none is added", m_ids[0], 0, DiaryStatus::Failed, 5},
        {"the disk fills up: none is added", 3099, 40, DiaryStatus::DiskFull, 5},
        {"all go in", 3099, 0, DiaryStatus::Ok, 3005},
    };
    for (const auto& row : rows) {
        batch.back().id = row.lastId;
        Diary diary;
        ASSERT_EQ(diary.open(m_diary.path(), {std::chrono::milliseconds(5000), row.maxPages}),
                  DiaryStatus::Ok);
        EXPECT_EQ(diary.restore(batch), row.status) << row.what;
        EXPECT_EQ(diary.count(), row.count) << row.what;
        EXPECT_EQ(indexes(), before) << row.what;
        EXPECT_EQ(Raw(m_diary.path()).value(QStringLiteral("PRAGMA integrity_check")).toString(),
                  "ok")
            << row.what;
    }
    const Diary::Page page = m_diary.page({}, 0, 1, {DiaryColumn::WattsPerKg, true});
    ASSERT_EQ(page.entries.size(), 1u);
    EXPECT_EQ(page.entries[0].id, 3099) << "the rebuilt index sorts";
}

TEST_F(DiaryList, OneClimbForTheChartOldestFirst) {
    const Diary::Climb climb = m_diary.climb("citta alta");
    ASSERT_EQ(climb.status, DiaryStatus::Ok);
    ASSERT_EQ(climb.points.size(), 2u);
    EXPECT_EQ(climb.points[0].id, m_ids[1]);
    EXPECT_EQ(climb.points[1].id, m_ids[2]);
    EXPECT_EQ(climb.points[0].day, 19479); // 2 May 2023
    EXPECT_EQ(climb.points[1].wattsPerKg, 3);
    EXPECT_TRUE(m_diary.climb("Mortirolo").points.empty()) << "no date, no place on the chart";
}

TEST_F(DiaryList, UndoPutsBackTheSameIds) {
    const Diary::Page all = m_diary.page({}, 0, 100);
    const DiaryEntry newest = all.entries.front();
    ASSERT_EQ(m_diary.remove({newest.id, m_ids[0]}), DiaryStatus::Ok);
    const Diary::Added later = m_diary.add(entry("Giau", "Anna", "03-09-2025", 6));
    EXPECT_GT(later.id, newest.id) << "a removed id is never given again";
    ASSERT_EQ(m_diary.restore({newest}), DiaryStatus::Ok);
    EXPECT_EQ(m_diary.restore({entry("X", "Y", "", 7), newest}), DiaryStatus::Failed)
        << "its id is taken: nothing is restored";
    EXPECT_EQ(m_diary.count(), 5);
    EXPECT_EQ(m_diary.page({}, 0, 100).entries[1].texts, newest.texts);
}

TEST(DiaryKilled, KeepsEveryEntryItSaidItSaved) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("diario.sqlite"));
    std::mt19937 random(2026); // the same moments on every run
    std::uniform_int_distribution<int> savesFirst(0, 40), microseconds(0, 3000);
    std::set<std::int64_t> saved;
    int runs = 0;
    while (saved.size() < 1000 && runs < 2000) {
        ++runs;
        QProcess writer;
        writer.start(QStringLiteral(DIARY_WRITER), {path});
        ASSERT_TRUE(writer.waitForStarted());
        // Killed after some saves (none: while it opens the diary), at any point of the next.
        const int saves = savesFirst(random);
        QByteArray printed;
        while (printed.count('\n') < saves && writer.waitForReadyRead(10'000)) {
            printed += writer.readAllStandardOutput();
        }
        QThread::usleep(microseconds(random));
        writer.kill(); // SIGKILL
        writer.waitForFinished();
        ASSERT_EQ(writer.exitStatus(), QProcess::CrashExit) << "the writer stopped by itself";
        const QList<QByteArray> lines = (printed + writer.readAllStandardOutput()).split('\n');
        for (qsizetype i = 0; i + 1 < lines.size(); ++i) { // the last one may be cut short
            EXPECT_TRUE(saved.insert(lines[i].toLongLong()).second) << "an id given twice";
        }
    }
    ASSERT_GE(saved.size(), 1000u);
    Diary diary;
    ASSERT_EQ(diary.open(path), DiaryStatus::Ok);
    const Diary::Page page = diary.page({}, 0, 1'000'000);
    const std::vector<std::int64_t> all = ids(page.entries);
    const std::set<std::int64_t> kept(all.begin(), all.end());
    EXPECT_TRUE(std::includes(kept.begin(), kept.end(), saved.begin(), saved.end()));
    EXPECT_EQ(Raw(path).value(QStringLiteral("PRAGMA integrity_check")).toString(), "ok");
    std::cout << saved.size() << " entries saved over " << runs << " killed writers, "
              << kept.size() << " in the diary\n";
}

TEST(DiaryPath, IsInTheDataFolder) {
    EXPECT_EQ(Diary::defaultPath(),
              qEnvironmentVariable("XDG_DATA_HOME") + QStringLiteral("/Tarvimo/diario.sqlite"));
}

} // namespace
