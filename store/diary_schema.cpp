// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "diary_schema.h"

#include "diary_keys.h"

#include <QSqlQuery>
#include <QVariant>
#include <cmath>
#include <iterator>
#include <sqlite3.h>
#include <utf8/checked.h>

namespace tarvimo {

namespace {

// Version 1 has one text column per field as allFields() had them: a new field needs a new
// version that adds its column (ALTER TABLE ... ADD COLUMN) before this number changes.
static_assert(fieldCount == 27);

struct NumberColumn {
    const char* name;
    double DiaryEntry::*member;
};

constexpr NumberColumn numberColumns[] = {
    {"potenza", &DiaryEntry::totalPower},
    {"wkg", &DiaryEntry::wattsPerKg},
    {"vam", &DiaryEntry::vam},
    {"velocita", &DiaryEntry::speed},
    {"secondi", &DiaryEntry::seconds},
    {"lunghezza", &DiaryEntry::length},
    {"dislivello", &DiaryEntry::gain},
    {"tratto_da", &DiaryEntry::stretchFrom},
    {"tratto_a", &DiaryEntry::stretchTo},
};

// The column each DiaryColumn sorts by, in the enum's order, and the name of its index. Names
// are folded keys, so that "Città" sorts beside "citta".
struct SortColumn {
    const char* name;
    const char* index;
};

constexpr SortColumn sortColumns[] = {
    {"giorno", "salite_lista"},
    {"chiave_salita", "salite_per_salita"},
    {"chiave_ciclista", "salite_per_ciclista"},
    {"lunghezza", "salite_per_lunghezza"},
    {"dislivello", "salite_per_dislivello"},
    {"secondi", "salite_per_tempo"},
    {"potenza", "salite_per_potenza"},
    {"wkg", "salite_per_wkg"},
    {"vam", "salite_per_vam"},
};
static_assert(std::size(sortColumns) == diaryColumnCount);

// The index of sortColumns[column], as this version has it.
QString createSortIndex(std::size_t column) {
    if (column == 0) {
        return QStringLiteral("CREATE INDEX salite_lista ON salite (giorno DESC, salvato DESC, "
                              "id DESC, chiave)");
    }
    return QStringLiteral("CREATE INDEX %1 ON salite (%2, giorno, salvato, id, chiave)")
        .arg(QLatin1StringView(sortColumns[column].index),
             QLatin1StringView(sortColumns[column].name));
}

QString fieldColumn(const FieldInfo& info) {
    return QString::fromLatin1(info.name.data(), qsizetype(info.name.size()));
}

// The entry's own columns, in the order bindEntry() and readEntry() use.
QStringList entryColumns() {
    QStringList columns{QStringLiteral("id"), QStringLiteral("salvato"), QStringLiteral("traccia")};
    for (const FieldInfo& info : allFields()) {
        columns << fieldColumn(info);
    }
    for (const NumberColumn& number : numberColumns) {
        columns << QLatin1StringView(number.name);
    }
    return columns;
}

QString searchKey(const std::string& value) {
    return DiaryKeys::searchKey(QString::fromStdString(value));
}

// Version 2: the rider's own search key, so the list sorts by rider, and one index per sort
// column, each holding the search key, so a filtered list in any order reads only its index.
// The chart of one climb reads the climb's sort index, which replaces salite_salita.
QStringList upgradeToVersion2() {
    QStringList statements{
        QStringLiteral("ALTER TABLE salite ADD COLUMN chiave_ciclista TEXT NOT NULL DEFAULT ''"),
        QStringLiteral("UPDATE salite SET chiave_ciclista = substr(chiave, instr(chiave, "
                       "char(31)) + 1)"),
        QStringLiteral("DROP INDEX salite_salita")};
    // The first, by day, is salite_lista, there since version 1.
    for (std::size_t column = 1; column < std::size(sortColumns); ++column) {
        statements << createSortIndex(column);
    }
    return statements;
}

} // namespace

QStringList DiarySchema::upgrade(int from) {
    if (from == 1) {
        return upgradeToVersion2();
    }
    if (from != 0) {
        return {};
    }
    QString table = QStringLiteral(
        "CREATE TABLE salite (id INTEGER PRIMARY KEY AUTOINCREMENT, salvato INTEGER NOT NULL, "
        "traccia TEXT NOT NULL, giorno INTEGER, chiave_salita TEXT NOT NULL, chiave TEXT NOT NULL");
    for (const FieldInfo& info : allFields()) {
        table += QStringLiteral(", ") + fieldColumn(info) + QStringLiteral(" TEXT NOT NULL");
    }
    for (const NumberColumn& number : numberColumns) {
        table += QStringLiteral(", ") + QLatin1StringView(number.name) + QStringLiteral(" REAL");
    }
    // AUTOINCREMENT: an id removed is never given again, so an undo can put it back.
    // chiave is the climb's and the rider's search keys with U+001F between them: one LIKE a
    // row finds a filter in either (a key never holds U+001F). The list walks salite_lista in
    // its order and filters on the key it holds; the chart of one climb reads salite_salita.
    return {
        table + u')', createSortIndex(0),
        QStringLiteral("CREATE INDEX salite_salita ON salite (chiave_salita, giorno, salvato)")};
}

QStringList DiarySchema::dropSortIndexes() {
    QStringList statements;
    for (const SortColumn& column : sortColumns) {
        statements << QStringLiteral("DROP INDEX ") + QLatin1StringView(column.index);
    }
    return statements;
}

QStringList DiarySchema::createSortIndexes() {
    QStringList statements;
    for (std::size_t column = 0; column < std::size(sortColumns); ++column) {
        statements << createSortIndex(column);
    }
    return statements;
}

QString DiarySchema::insertStatement() {
    QStringList columns = entryColumns();
    columns << QStringLiteral("giorno") << QStringLiteral("chiave_salita")
            << QStringLiteral("chiave") << QStringLiteral("chiave_ciclista");
    QStringList marks;
    marks.fill(QStringLiteral("?"), columns.size());
    return QStringLiteral("INSERT INTO salite (%1) VALUES (%2)")
        .arg(columns.join(QStringLiteral(", ")), marks.join(QStringLiteral(", ")));
}

int DiarySchema::bindEntry(sqlite3_stmt* statement, const DiaryEntry& entry, bool keepId) {
    int code = SQLITE_OK;
    int index = 0;
    const auto bind = [&](auto binding) {
        if (code == SQLITE_OK) {
            code = binding(++index);
        }
    };
    // The entry's texts stay put until the row is stepped; made texts are copied.
    const auto text = [&](const std::string& value) {
        if (utf8::is_valid(value.begin(), value.end())) {
            bind([&](int i) {
                return sqlite3_bind_text64(statement, i, value.data(), value.size(), SQLITE_STATIC,
                                           SQLITE_UTF8);
            });
        } else { // stray bytes become U+FFFD, as a window would show them
            std::string valid;
            utf8::replace_invalid(value.begin(), value.end(), std::back_inserter(valid));
            bind([&](int i) {
                return sqlite3_bind_text64(statement, i, valid.data(), valid.size(),
                                           SQLITE_TRANSIENT, SQLITE_UTF8);
            });
        }
    };
    const auto key = [&](const QString& value) {
        const QByteArray utf8 = value.toUtf8();
        bind([&](int i) {
            return sqlite3_bind_text64(statement, i, utf8.constData(), std::uint64_t(utf8.size()),
                                       SQLITE_TRANSIENT, SQLITE_UTF8);
        });
    };
    const auto number = [&](double value) {
        bind([&](int i) {
            return std::isnan(value) ? sqlite3_bind_null(statement, i)
                                     : sqlite3_bind_double(statement, i, value);
        });
    };
    bind([&](int i) {
        return keepId ? sqlite3_bind_int64(statement, i, entry.id)
                      : sqlite3_bind_null(statement, i);
    });
    bind([&](int i) { return sqlite3_bind_int64(statement, i, entry.savedAt); });
    text(entry.rideFile);
    for (const std::string& value : entry.texts) {
        text(value);
    }
    for (const NumberColumn& column : numberColumns) {
        number(entry.*column.member);
    }
    const std::optional<int> day = climbDay(entry);
    bind([&](int i) {
        return day ? sqlite3_bind_int(statement, i, *day) : sqlite3_bind_null(statement, i);
    });
    // Neither key is ever null: toUtf8() of a null QString is an empty text.
    const QString climb = searchKey(entry.text(Field::sceglinomebici));
    const QString rider = searchKey(entry.text(Field::sceglinomeciclista));
    key(climb);
    key(climb + QChar(0x1f) + rider);
    key(rider);
    return code;
}

QString DiarySchema::orderBy(DiaryOrder order) {
    const QLatin1StringView direction(order.descending ? " DESC" : " ASC");
    QString terms;
    const auto column = std::size_t(order.column);
    if (column != 0 && column < std::size(sortColumns)) {
        terms += QLatin1StringView(sortColumns[column].name) + direction + QStringLiteral(", ");
    }
    // The ties in the same direction, so that one index gives the whole order either way.
    for (const char* tie : {"giorno", "salvato", "id"}) {
        terms += QLatin1StringView(tie) + direction + QStringLiteral(", ");
    }
    terms.chop(2);
    return terms;
}

QString DiarySchema::selectColumns() {
    return entryColumns().join(QStringLiteral(", "));
}

DiaryEntry DiarySchema::readEntry(const QSqlQuery& query) {
    DiaryEntry entry;
    int column = 0;
    entry.id = query.value(column++).toLongLong();
    entry.savedAt = query.value(column++).toLongLong();
    entry.rideFile = query.value(column++).toString().toStdString();
    for (std::string& value : entry.texts) {
        value = query.value(column++).toString().toStdString();
    }
    for (const NumberColumn& number : numberColumns) {
        const QVariant value = query.value(column++);
        entry.*number.member = value.isNull() ? NAN : value.toDouble();
    }
    return entry;
}

} // namespace tarvimo
