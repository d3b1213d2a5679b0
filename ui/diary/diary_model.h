// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "diary.h"
#include "number_text.h"

#include <QAbstractTableModel>
#include <QHash>
#include <vector>

namespace tarvimo {

// The diary's entries as a table, read a page at a time: a diary of 100,000 entries shows its
// first rows after reading 100, and scrolling reads the pages it reaches. The diary sorts and
// filters; the model only asks it.
class DiaryModel : public QAbstractTableModel {
    Q_OBJECT

public:
    static constexpr int pageSize = 100;

    DiaryModel(const Diary& diary, NumberSettings settings, QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    void setFilter(const QString& filter);
    const QString& filter() const { return m_filter; }
    // Reads the diary again, after it changed.
    void refresh();
    // The entry on a row; nullptr where the diary could not be read.
    const DiaryEntry* entry(int row) const;
    // What the last reading of the diary said: Ok, or why the table is empty.
    DiaryStatus status() const { return m_status; }

signals:
    // The diary could not be read when the table was filled again.
    void readFailed(DiaryStatus status);

private:
    QString text(const DiaryEntry& entry, int column) const;
    QString number(double value, int decimals, const char* unit) const;
    const std::vector<DiaryEntry>* pageOf(int row) const;

    const Diary& m_diary;
    NumberSettings m_settings;
    QString m_filter;
    DiaryOrder m_order;
    std::int64_t m_rows = 0;
    DiaryStatus m_status = DiaryStatus::Ok;
    mutable QHash<int, std::vector<DiaryEntry>> m_pages;
};

} // namespace tarvimo
