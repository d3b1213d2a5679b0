// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "diary.h"

#include "diary_keys.h"
#include "diary_schema.h"
#include "private_files.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScopeGuard>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlQuery>
#include <QStandardPaths>
#include <QUrl>
#include <algorithm>
#include <memory>
#include <sqlite3.h>

namespace tarvimo {

namespace {

// SQLite's primary result codes (the low byte of the extended ones Qt reports).
enum SqliteCode {
    sqliteBusy = 5,
    sqliteLocked = 6,
    sqliteReadOnly = 8,
    sqliteIoError = 10,
    sqliteCorrupt = 11,
    sqliteFull = 13,
    sqliteCantOpen = 14,
    sqliteFormat = 24,
    sqliteNotADatabase = 26,
};

int sqliteCode(const QSqlError& error) {
    return error.nativeErrorCode().toInt() & 0xff;
}

DiaryStatus statusOf(int code) {
    switch (code & 0xff) {
    case sqliteBusy:
    case sqliteLocked:
        return DiaryStatus::Busy;
    case sqliteFull:
        return DiaryStatus::DiskFull;
    case sqliteReadOnly:
        return DiaryStatus::ReadOnly;
    default:
        return DiaryStatus::Failed;
    }
}

DiaryStatus statusOf(const QSqlError& error) {
    return statusOf(sqliteCode(error));
}

using Statement = std::unique_ptr<sqlite3_stmt, decltype(&sqlite3_finalize)>;

// The files SQLite keeps beside the diary: they belong to it and move with it.
const char* const companions[] = {"-wal", "-shm", "-journal"};

} // namespace

QString Diary::defaultPath() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/diario.sqlite");
}

Diary::Diary() : m_connection(QStringLiteral("tarvimo-diario-%1").arg(quintptr(this), 0, 16)) {}

Diary::~Diary() {
    close();
}

void Diary::close() {
    if (m_db.isValid()) {
        m_db.close();
        m_db = QSqlDatabase();
        QSqlDatabase::removeDatabase(m_connection);
    }
}

bool Diary::connect(Access access) {
    m_db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connection);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(m_options.busyTimeout.count());
    if (access == Access::Immutable) {
        // Where SQLite cannot make its -shm, it reads a WAL diary only as a file nobody changes.
        QUrl url = QUrl::fromLocalFile(m_path);
        url.setQuery(QStringLiteral("immutable=1"));
        m_db.setDatabaseName(url.toString(QUrl::FullyEncoded));
        options += QStringLiteral(";QSQLITE_OPEN_URI;QSQLITE_OPEN_READONLY");
    } else {
        m_db.setDatabaseName(m_path);
    }
    if (access == Access::ReadOnly) {
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    }
    m_db.setConnectOptions(options);
    if (!m_db.open()) {
        return false;
    }
    // 16 MB of pages instead of 2: a write lands on ten b-trees (the table and its indexes)
    // and would otherwise read the same pages many times.
    QSqlQuery(m_db).exec(QStringLiteral("PRAGMA cache_size=-16384"));
    return true;
}

// Reads the version and checks the file: a file that is not a database, cannot be
// read or fails the check is damaged; one another process holds is only busy.
Diary::Health Diary::check(int& version) {
    QSqlQuery query(m_db);
    const auto failure = [&query] {
        const int code = sqliteCode(query.lastError());
        if (code == sqliteIoError || code == sqliteCorrupt || code == sqliteCantOpen ||
            code == sqliteFormat || code == sqliteNotADatabase) {
            return Health::Damaged;
        }
        const DiaryStatus status = statusOf(query.lastError());
        return status == DiaryStatus::Busy       ? Health::Busy
               : status == DiaryStatus::ReadOnly ? Health::ReadOnly
                                                 : Health::Failed;
    };
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        return failure();
    }
    version = query.value(0).toInt();
    // quick_check reads every page of the table and of each index and checks their structure
    // and records, as integrity_check does, but does not look each row up in every index: at
    // 100,000 entries 0.06 s instead of 1.2 s. An index that disagrees with its table is not
    // caught here; anything that breaks a page is.
    if (!query.exec(QStringLiteral("PRAGMA quick_check(1)")) || !query.next()) {
        return failure();
    }
    return query.value(0).toString() == QStringLiteral("ok") ? Health::Sound : Health::Damaged;
}

// Renames the diary and its companions to "<name>.danneggiato-AAAAMMGG-hhmmss" (local time),
// never over an existing file: a second damage within the second gets "-2", and so on.
bool Diary::setAside() {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = m_path + QStringLiteral(".danneggiato-") + stamp;
    const auto taken = [](const QString& name) {
        for (const char* companion : companions) {
            if (QFileInfo::exists(name + QLatin1StringView(companion))) {
                return true;
            }
        }
        return QFileInfo::exists(name);
    };
    for (int n = 2; taken(target); ++n) {
        target = m_path + QStringLiteral(".danneggiato-") + stamp + u'-' + QString::number(n);
    }
    // QFile::rename never replaces a file.
    if (!QFile::rename(m_path, target)) {
        return false;
    }
    m_setAside = target;
    // A stale log left beside the new diary would be replayed into it: all of them go, or no
    // new diary starts.
    for (const char* companion : companions) {
        const QString from = m_path + QLatin1StringView(companion);
        if (QFileInfo::exists(from) &&
            !QFile::rename(from, target + QLatin1StringView(companion))) {
            return false;
        }
    }
    return true;
}

DiaryStatus Diary::open(const QString& path, DiaryOptions options) {
    close();
    m_path = path;
    m_options = options;
    m_setAside.clear();
    m_refusal = DiaryStatus::Ok;
    const QFileInfo info(path);
    if (!PrivateFiles::makeFolder(info.path()) || (info.exists() && !info.isFile()) ||
        !PrivateFiles::makeFile(path)) {
        return DiaryStatus::Failed;
    }
    DiaryStatus status = DiaryStatus::Ok;
    int version = 0;
    Health health = connect(Access::ReadWrite) ? check(version) : Health::Damaged;
    if (health == Health::Damaged || health == Health::ReadOnly) {
        close();
        // Readable but in a folder where SQLite cannot make its -shm: only read, not set aside.
        if (connect(Access::Immutable) && check(version) == Health::Sound) {
            m_refusal =
                version > DiarySchema::version ? DiaryStatus::ReadOnlyNewer : DiaryStatus::ReadOnly;
            if (version < DiarySchema::version) {
                close(); // too old to be read without its upgrade
            }
            return m_refusal;
        }
        close();
        if (health == Health::ReadOnly) {
            return DiaryStatus::Failed;
        }
        if (!setAside() || !PrivateFiles::makeFile(path)) {
            return DiaryStatus::Failed;
        }
        status = DiaryStatus::Recovered;
        health = connect(Access::ReadWrite) ? check(version) : Health::Failed;
    }
    if (health != Health::Sound) {
        close();
        return health == Health::Busy ? DiaryStatus::Busy : DiaryStatus::Failed;
    }
    if (version > DiarySchema::version) {
        // Never downgraded: read with what this version knows, written by none.
        close();
        if (!connect(Access::ReadOnly)) {
            close();
            return DiaryStatus::Failed;
        }
        m_refusal = DiaryStatus::ReadOnlyNewer;
        return m_refusal;
    }
    const DiaryStatus prepared = prepare(version);
    if (prepared != DiaryStatus::Ok) {
        close();
        return prepared;
    }
    return status;
}

// The journal, the durability of each commit, and the upgrade to this version's schema.
DiaryStatus Diary::prepare(int version) {
    QSqlQuery query(m_db);
    // WAL: a reader never waits for a writer, and a killed writer leaves the file whole.
    // synchronous=FULL: a saved climb survives a power cut too, not only a crash.
    if (!query.exec(QStringLiteral("PRAGMA journal_mode=WAL")) ||
        !query.exec(QStringLiteral("PRAGMA synchronous=FULL"))) {
        return statusOf(query.lastError());
    }
    if (m_options.maxPages > 0 &&
        !query.exec(QStringLiteral("PRAGMA max_page_count=%1").arg(m_options.maxPages))) {
        return statusOf(query.lastError());
    }
    if (version == DiarySchema::version) {
        return DiaryStatus::Ok;
    }
    return write([](QSqlQuery& step) {
        // Read again inside the write lock: another Tarvimo may have upgraded it meanwhile.
        if (!step.exec(QStringLiteral("PRAGMA user_version")) || !step.next()) {
            return false;
        }
        for (int from = step.value(0).toInt(); from < DiarySchema::version; ++from) {
            for (const QString& statement : DiarySchema::upgrade(from)) {
                if (!step.exec(statement)) {
                    return false;
                }
            }
        }
        return step.exec(QStringLiteral("PRAGMA user_version=%1").arg(DiarySchema::version));
    });
}

// Runs body(query) in one write transaction (BEGIN IMMEDIATE, so that the wait for another
// writer happens at the start, under the busy timeout); on any failure nothing stays.
template <typename Body> DiaryStatus Diary::write(Body body) {
    if (!m_db.isOpen()) {
        return DiaryStatus::Failed;
    }
    if (m_refusal != DiaryStatus::Ok) {
        return m_refusal;
    }
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        return statusOf(query.lastError());
    }
    if (body(query) && query.exec(QStringLiteral("COMMIT"))) {
        return DiaryStatus::Ok;
    }
    // A statement of Qt's says its own error; one through handle() left it on the connection.
    const DiaryStatus status = query.lastError().isValid() ? statusOf(query.lastError())
                                                           : statusOf(sqlite3_errcode(handle()));
    query.finish();
    QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
    return status;
}

sqlite3* Diary::handle() const {
    const QVariant handle = m_db.driver()->handle();
    return handle.isValid() && qstrcmp(handle.typeName(), "sqlite3*") == 0
               ? *static_cast<sqlite3* const*>(handle.constData())
               : nullptr;
}

Diary::Added Diary::add(const DiaryEntry& entry) {
    Added added;
    added.status = insert({entry}, false);
    // The connection's last row, still there after the commit.
    added.id = added.status == DiaryStatus::Ok ? sqlite3_last_insert_rowid(handle()) : 0;
    return added;
}

DiaryStatus Diary::remove(const std::vector<std::int64_t>& ids) {
    return write([&](QSqlQuery& query) {
        if (!query.prepare(QStringLiteral("DELETE FROM salite WHERE id = ?"))) {
            return false;
        }
        for (const std::int64_t id : ids) {
            query.addBindValue(qint64(id));
            if (!query.exec()) {
                return false;
            }
        }
        return true;
    });
}

DiaryStatus Diary::addAll(const std::vector<DiaryEntry>& entries) {
    return insert(entries, false);
}

DiaryStatus Diary::restore(const std::vector<DiaryEntry>& entries) {
    return insert(entries, true);
}

DiaryStatus Diary::insert(const std::vector<DiaryEntry>& entries, bool keepIds) {
    // A large batch lands on random pages of ten b-trees: with room for all of them in memory
    // each page is read and written once. The cache goes back to its size afterwards.
    const bool large = entries.size() >= 2000;
    if (large) {
        QSqlQuery(m_db).exec(QStringLiteral("PRAGMA cache_size=-262144"));
    }
    const auto restoreCache = qScopeGuard([&] {
        if (large) {
            QSqlQuery(m_db).exec(QStringLiteral("PRAGMA cache_size=-16384"));
        }
    });
    return write([&](QSqlQuery& query) {
        // A batch as large as half the diary goes in faster without the sort indexes, each
        // made again by one sort before the commit. Inside the transaction: a failure or a
        // killed process leaves them as they were.
        bool rebuild = large;
        if (rebuild) {
            if (!query.exec(QStringLiteral("SELECT count(*) FROM salite")) || !query.next()) {
                return false;
            }
            rebuild = std::size_t(query.value(0).toLongLong()) <= 2 * entries.size();
        }
        const auto run = [&query](const QStringList& statements) {
            return std::all_of(
                statements.begin(), statements.end(),
                [&query](const QString& statement) { return query.exec(statement); });
        };
        if (rebuild && !run(DiarySchema::dropSortIndexes())) {
            return false;
        }
        sqlite3_stmt* prepared = nullptr;
        const QByteArray sql = DiarySchema::insertStatement().toUtf8();
        sqlite3_prepare_v2(handle(), sql.constData(), int(sql.size()), &prepared, nullptr);
        const Statement statement(prepared, sqlite3_finalize);
        if (!statement) {
            return false;
        }
        for (const DiaryEntry& entry : entries) {
            if (DiarySchema::bindEntry(statement.get(), entry, keepIds) != SQLITE_OK ||
                sqlite3_step(statement.get()) != SQLITE_DONE ||
                sqlite3_reset(statement.get()) != SQLITE_OK) {
                return false;
            }
        }
        return !rebuild || run(DiarySchema::createSortIndexes());
    });
}

std::optional<std::int64_t> Diary::count() const {
    if (!m_db.isOpen()) {
        return std::nullopt;
    }
    QSqlQuery query(m_db);
    if (!query.exec(QStringLiteral("SELECT count(*) FROM salite")) || !query.next()) {
        return std::nullopt;
    }
    return query.value(0).toLongLong();
}

Diary::Page Diary::page(const QString& filter, int offset, int limit, DiaryOrder order) const {
    Page page;
    if (!m_db.isOpen()) {
        return page;
    }
    const QString pattern = DiaryKeys::likePattern(filter);
    const QString where =
        pattern.isEmpty() ? QString() : QStringLiteral(" WHERE chiave LIKE ? ESCAPE '\\'");
    const auto bindPattern = [&](QSqlQuery& query) {
        if (!pattern.isEmpty()) {
            query.addBindValue(pattern);
        }
    };
    // The rows and the count from one snapshot, though another Tarvimo may write between them.
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    const auto fail = [&] {
        page.status = statusOf(query.lastError());
        page.entries.clear();
        query.finish();
        QSqlQuery(m_db).exec(QStringLiteral("ROLLBACK"));
        return page;
    };
    if (!query.exec(QStringLiteral("BEGIN")) ||
        !query.prepare(QStringLiteral("SELECT ") + DiarySchema::selectColumns() +
                       QStringLiteral(" FROM salite") + where + QStringLiteral(" ORDER BY ") +
                       DiarySchema::orderBy(order) + QStringLiteral(" LIMIT ? OFFSET ?"))) {
        return fail();
    }
    bindPattern(query);
    query.addBindValue(limit);
    query.addBindValue(offset);
    if (!query.exec()) {
        return fail();
    }
    while (query.next()) {
        page.entries.push_back(DiarySchema::readEntry(query));
    }
    if (query.lastError().isValid()) {
        return fail();
    }
    // A page that ends before its limit has counted the matches itself: a filter few entries
    // pass reads the index once, not twice.
    const auto rows = std::int64_t(page.entries.size());
    if (rows < limit && (rows > 0 || offset == 0)) {
        page.matching = offset + rows;
    } else {
        if (!query.prepare(QStringLiteral("SELECT count(*) FROM salite") + where)) {
            return fail();
        }
        bindPattern(query);
        if (!query.exec() || !query.next()) {
            return fail();
        }
        page.matching = query.value(0).toLongLong();
    }
    query.finish();
    QSqlQuery(m_db).exec(QStringLiteral("COMMIT"));
    page.status = DiaryStatus::Ok;
    return page;
}

Diary::Climb Diary::climb(const std::string& climbName) const {
    Climb climb;
    if (!m_db.isOpen()) {
        return climb;
    }
    QSqlQuery query(m_db);
    query.setForwardOnly(true);
    if (!query.prepare(QStringLiteral(
            "SELECT id, giorno, wkg, potenza, secondi FROM salite WHERE chiave_salita = ?"
            " AND giorno IS NOT NULL ORDER BY giorno, salvato, id"))) {
        climb.status = statusOf(query.lastError());
        return climb;
    }
    query.addBindValue(DiaryKeys::searchKey(QString::fromStdString(climbName)));
    if (!query.exec()) {
        climb.status = statusOf(query.lastError());
        return climb;
    }
    const auto number = [&query](int column) {
        const QVariant value = query.value(column);
        return value.isNull() ? NAN : value.toDouble();
    };
    while (query.next()) {
        climb.points.push_back({query.value(0).toLongLong(), query.value(1).toLongLong(), number(2),
                                number(3), number(4)});
    }
    climb.status = query.lastError().isValid() ? statusOf(query.lastError()) : DiaryStatus::Ok;
    if (climb.status != DiaryStatus::Ok) {
        climb.points.clear();
    }
    return climb;
}

QString Diary::message(DiaryStatus status) const {
    const QString file = QDir::toNativeSeparators(m_path);
    switch (status) {
    case DiaryStatus::Ok:
        return {};
    case DiaryStatus::Recovered:
        return QStringLiteral("Il diario è danneggiato: è stato messo da parte come «%1» e ne "
                              "è stato iniziato uno nuovo.")
            .arg(QDir::toNativeSeparators(m_setAside));
    case DiaryStatus::ReadOnlyNewer:
        return QStringLiteral("Il diario «%1» è stato scritto da una versione più recente di "
                              "Tarvimo: si può consultare, ma non modificare.")
            .arg(file);
    case DiaryStatus::Busy:
        return QStringLiteral("Il diario è in uso da un altro Tarvimo aperto: non è stato "
                              "cambiato nulla. Riprova tra poco.");
    case DiaryStatus::DiskFull:
        return QStringLiteral("Il disco è pieno: il diario non è stato cambiato.");
    case DiaryStatus::ReadOnly:
        return QStringLiteral("Il diario «%1» è in sola lettura: non è stato cambiato nulla.")
            .arg(file);
    case DiaryStatus::Failed:
        break;
    }
    return QStringLiteral("Il diario «%1» non si può aprire né scrivere: non è stato cambiato "
                          "nulla.")
        .arg(file);
}

} // namespace tarvimo
