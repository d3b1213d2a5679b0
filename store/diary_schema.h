// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "diary.h"
#include "diary_entry.h"

#include <QString>
#include <QStringList>

class QSqlQuery;
struct sqlite3_stmt;

namespace tarvimo {

// The diary's table, its versions and how an entry goes in and out of a row. Values are only
// ever bound; the statements are made of the fixed column names below and allFields()'s names.
class DiarySchema {
public:
    // PRAGMA user_version of the diaries this program writes.
    static constexpr int version = 2;

    // The statements that take a diary from version `from` to from + 1 (0: an empty file).
    static QStringList upgrade(int from);

    // The index of each sort column, as this version has them: dropped and made again around a
    // large batch, which then costs one sort per index instead of a random insertion per row.
    static QStringList dropSortIndexes();
    static QStringList createSortIndexes();

    // INSERT of one entry, its id included (bound NULL, SQLite picks a new one). Bound through
    // SQLite's own interface: Qt Sql makes a placeholder's name for every value it binds, most
    // of the time a large import took. Returns SQLITE_OK or SQLite's error.
    static QString insertStatement();
    static int bindEntry(sqlite3_stmt* statement, const DiaryEntry& entry, bool keepId);

    // The ORDER BY terms of a list in `order`: made only of this class's column names.
    static QString orderBy(DiaryOrder order);

    // The columns selectColumns() lists, read back into an entry.
    static QString selectColumns();
    static DiaryEntry readEntry(const QSqlQuery& query);
};

} // namespace tarvimo
