// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "diary/diary_model.h"

#include <cmath>
#include <limits>

namespace tarvimo {

namespace {

// The table's columns, in DiaryColumn's order.
const char* const headers[] = {"Data",  "Salita",  "Ciclista", "Distanza", "Dislivello",
                               "Tempo", "Potenza", "W/kg",     "VAM"};
static_assert(std::size(headers) == diaryColumnCount);

// Pages kept at once: enough for a screen scrolled back and forth, not the whole diary.
constexpr int keptPages = 16;

} // namespace

DiaryModel::DiaryModel(const Diary& diary, NumberSettings settings, QObject* parent)
    : QAbstractTableModel(parent), m_diary(diary), m_settings(std::move(settings)) {
    refresh();
}

int DiaryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : int(m_rows);
}

int DiaryModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : diaryColumnCount;
}

QVariant DiaryModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < diaryColumnCount) {
        return QString::fromUtf8(headers[section]);
    }
    return QAbstractTableModel::headerData(section, orientation, role);
}

QVariant DiaryModel::data(const QModelIndex& index, int role) const {
    const DiaryEntry* shown = index.isValid() ? entry(index.row()) : nullptr;
    if (!shown) {
        return {};
    }
    switch (role) {
    case Qt::DisplayRole:
    case Qt::ToolTipRole:
        return text(*shown, index.column());
    case Qt::TextAlignmentRole:
        return index.column() >= int(DiaryColumn::Length)
                   ? QVariant(Qt::AlignRight | Qt::AlignVCenter)
                   : QVariant(Qt::AlignLeft | Qt::AlignVCenter);
    default:
        return {};
    }
}

QString DiaryModel::text(const DiaryEntry& entry, int column) const {
    switch (DiaryColumn(column)) {
    case DiaryColumn::Day:
        return QString::fromStdString(entry.text(Field::sceglidata));
    case DiaryColumn::Climb:
        return QString::fromStdString(entry.text(Field::sceglinomebici));
    case DiaryColumn::Rider:
        return QString::fromStdString(entry.text(Field::sceglinomeciclista));
    case DiaryColumn::Length:
        return number(entry.length / 1000, 2, " km");
    case DiaryColumn::Gain:
        return number(entry.gain, 0, " m");
    case DiaryColumn::Time: {
        if (!std::isfinite(entry.seconds) || entry.seconds < 0 ||
            entry.seconds > std::numeric_limits<int>::max()) {
            return {};
        }
        const auto seconds = qint64(std::lround(entry.seconds));
        return seconds >= 3600 ? QStringLiteral("%1:%2:%3")
                                     .arg(seconds / 3600)
                                     .arg(seconds / 60 % 60, 2, 10, QLatin1Char('0'))
                                     .arg(seconds % 60, 2, 10, QLatin1Char('0'))
                               : QStringLiteral("%1:%2")
                                     .arg(seconds / 60)
                                     .arg(seconds % 60, 2, 10, QLatin1Char('0'));
    }
    case DiaryColumn::Power:
        return number(entry.totalPower, 0, " W");
    case DiaryColumn::WattsPerKg:
        return number(entry.wattsPerKg, 2, "");
    case DiaryColumn::Vam:
        return number(entry.vam, 0, "");
    }
    return {};
}

// A figure with the user's decimal separator; empty where the entry has none.
QString DiaryModel::number(double value, int decimals, const char* unit) const {
    if (!std::isfinite(value)) {
        return {};
    }
    QString text = QString::number(value, 'f', decimals);
    text.replace(QLatin1Char('.'), QString::fromStdString(m_settings.decimal));
    return text + QLatin1StringView(unit);
}

void DiaryModel::sort(int column, Qt::SortOrder order) {
    if (column < 0 || column >= diaryColumnCount) {
        return;
    }
    m_order = {DiaryColumn(column), order == Qt::DescendingOrder};
    refresh();
}

void DiaryModel::setFilter(const QString& filter) {
    m_filter = filter;
    refresh();
}

void DiaryModel::refresh() {
    beginResetModel();
    m_pages.clear();
    Diary::Page first = m_diary.page(m_filter, 0, pageSize, m_order);
    m_status = first.status;
    m_rows = std::min<std::int64_t>(first.matching, std::numeric_limits<int>::max());
    if (m_status == DiaryStatus::Ok) {
        m_pages.insert(0, std::move(first.entries));
    }
    endResetModel();
    if (m_status != DiaryStatus::Ok) {
        emit readFailed(m_status);
    }
}

const std::vector<DiaryEntry>* DiaryModel::pageOf(int row) const {
    const int number = row / pageSize;
    if (const auto found = m_pages.constFind(number); found != m_pages.cend()) {
        return &*found;
    }
    Diary::Page page = m_diary.page(m_filter, number * pageSize, pageSize, m_order);
    if (page.status != DiaryStatus::Ok) {
        return nullptr;
    }
    if (m_pages.size() >= keptPages) {
        // The first page stays: it is where the table goes back to after every change.
        const auto first = m_pages.constFind(0);
        std::vector<DiaryEntry> kept = first != m_pages.cend() ? *first : std::vector<DiaryEntry>();
        m_pages.clear();
        if (!kept.empty()) {
            m_pages.insert(0, std::move(kept));
        }
    }
    return &*m_pages.insert(number, std::move(page.entries));
}

const DiaryEntry* DiaryModel::entry(int row) const {
    if (row < 0 || row >= m_rows) {
        return nullptr;
    }
    const std::vector<DiaryEntry>* page = pageOf(row);
    const auto at = std::size_t(row % pageSize);
    return page && at < page->size() ? &(*page)[at] : nullptr;
}

} // namespace tarvimo
