// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "diary_entry.h"

#include <QSqlDatabase>
#include <QString>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct sqlite3;

namespace tarvimo {

enum class DiaryStatus {
    Ok,
    Recovered,     // open: the file was damaged, set aside (setAsidePath()), a new diary began
    ReadOnlyNewer, // open, and every write after it: a newer Tarvimo's diary, only read
    Busy,          // another Tarvimo held the diary longer than the busy timeout
    DiskFull,
    ReadOnly, // the file or its folder cannot be written (on opening: it is only read)
    Failed,
};

// The columns the list can be sorted by; DiarySchema gives each its column and its index.
enum class DiaryColumn { Day, Climb, Rider, Length, Gain, Time, Power, WattsPerKg, Vam };
inline constexpr int diaryColumnCount = 9;

// A list's order: by one column, ties newest first in the same direction. Entries without a
// value come last going down, first going up.
struct DiaryOrder {
    DiaryColumn column = DiaryColumn::Day;
    bool descending = true;
};

struct DiaryOptions {
    std::chrono::milliseconds busyTimeout{5000};
    int maxPages = 0; // PRAGMA max_page_count when above 0: a full disk, for the tests
};

// The diary of climbs, an SQLite file (WAL journal). Every write is one transaction: it is
// there whole or not at all. Use a Diary from the thread that opened it.
class Diary {
public:
    struct Added {
        DiaryStatus status = DiaryStatus::Failed;
        std::int64_t id = 0;
    };
    struct Page {
        DiaryStatus status = DiaryStatus::Failed;
        std::int64_t matching = 0; // entries the filter lets through, beyond this page too
        std::vector<DiaryEntry> entries;
    };
    // One climb's entries for a chart, oldest first; entries without a readable date are left
    // out, since they have no place on the time axis.
    struct ClimbPoint {
        std::int64_t id = 0;
        std::int64_t day = 0; // days since 1 January 1970
        double wattsPerKg = 0;
        double totalPower = 0;
        double seconds = 0;
    };
    struct Climb {
        DiaryStatus status = DiaryStatus::Failed;
        std::vector<ClimbPoint> points;
    };

    // "diario.sqlite" in QStandardPaths::AppDataLocation: $XDG_DATA_HOME/Tarvimo/ (by default
    // ~/.local/share/Tarvimo/) once the application is named "Tarvimo".
    static QString defaultPath();

    Diary();
    ~Diary();
    Diary(const Diary&) = delete;
    Diary& operator=(const Diary&) = delete;

    // Ok, Recovered; ReadOnlyNewer or ReadOnly: every write is refused with that status, and
    // reads work while isOpen(); Busy, DiskFull or Failed: the diary stays closed.
    DiaryStatus open(const QString& path, DiaryOptions options = {});
    void close();
    bool isOpen() const { return m_db.isOpen(); }
    const QString& path() const { return m_path; }
    const QString& setAsidePath() const { return m_setAside; }

    Added add(const DiaryEntry& entry);
    // Adds every entry as a new one (their ids are not used), all of them or none.
    DiaryStatus addAll(const std::vector<DiaryEntry>& entries);
    DiaryStatus remove(const std::vector<std::int64_t>& ids);
    // Puts entries back under their own ids (an undo of remove); none if any id is taken.
    DiaryStatus restore(const std::vector<DiaryEntry>& entries);

    std::optional<std::int64_t> count() const;
    // In `order`, by default newest climb first (by the climb's date, then by the moment of
    // saving); the filter finds its text in the climb's or the rider's name, in any case and
    // with or without accents.
    Page page(const QString& filter, int offset, int limit, DiaryOrder order = {}) const;
    Climb climb(const std::string& climbName) const;

    // The Italian sentence for a status; empty for Ok.
    QString message(DiaryStatus status) const;

private:
    enum class Health { Sound, Damaged, ReadOnly, Busy, Failed };
    enum class Access { ReadWrite, ReadOnly, Immutable };

    bool connect(Access access);
    Health check(int& version);
    bool setAside();
    DiaryStatus prepare(int version);
    template <typename Body> DiaryStatus write(Body body);
    DiaryStatus insert(const std::vector<DiaryEntry>& entries, bool keepIds);
    // The connection's own SQLite handle, for what Qt Sql does slowly.
    sqlite3* handle() const;

    QString m_connection;
    QSqlDatabase m_db;
    QString m_path;
    QString m_setAside;
    DiaryOptions m_options;
    DiaryStatus m_refusal = DiaryStatus::Ok; // what every write says without trying, if not Ok
};

} // namespace tarvimo
