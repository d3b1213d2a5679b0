// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "diary.h"
#include "diary/diary_host.h"

#include <QSize>
#include <QWidget>
#include <vector>

class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTableView;
class QTimer;

namespace tarvimo {

class DiaryChart;
class DiaryModel;

// "Diario": the saved efforts in a table, newest first, sortable by any column and filtered by
// climb or rider as the user types; the chosen climb's chart below. Enter, a double-click or
// "Riapri" hand an entry back to the main window; Canc deletes the chosen entries after a
// question, and Ctrl+Z brings back the last deletion while the window stays open. Its size is
// kept in tarvimo.ini, group "diario".
class DiaryWindow : public QWidget {
    Q_OBJECT
    // What a screen reader calls this window (app/accessibility.h).
    Q_CLASSINFO("accessibleRole", "Window")

public:
    DiaryWindow(Diary& diary, DiaryHost host, QWidget* parent = nullptr);
    ~DiaryWindow() override;

    void setHost(DiaryHost host) { m_host = std::move(host); }
    // The diary changed elsewhere (an entry saved from the main window).
    void refresh();

    DiaryModel& model() const { return *m_model; }
    QTableView& table() const { return *m_table; }
    DiaryChart& chart() const { return *m_chart; }
    // Draws the chosen row's climb now, without waiting for a pause.
    void showChosenClimb();

    // The whole diary to a CSV file, or a CSV file's entries added to it, all or none; false
    // after a message saying why not.
    bool exportTo(const QString& path);
    bool importFrom(const QString& path);

    void reopenCurrent();
    void deleteChosen();
    void undoDelete();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    QPushButton* addButton(const QString& caption, const char* name);
    void say(const QString& text);
    void saveSize();

    Diary& m_diary;
    DiaryHost m_host;
    DiaryModel* m_model;
    QLineEdit* m_search;
    QTableView* m_table;
    QComboBox* m_measure;
    DiaryChart* m_chart;
    QLabel* m_status;
    QTimer* m_chartTimer;
    QString m_chartClimb;
    std::vector<std::vector<DiaryEntry>> m_deleted; // each deletion, the last at the back
    QSize m_savedSize;
};

} // namespace tarvimo
