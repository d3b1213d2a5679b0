// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "diary.h"
#include "diary/diary_host.h"

#include <QObject>
#include <QPointer>

class QWidget;

namespace tarvimo {

class DiaryWindow;

// The process's one open diary and its window. It lives as a child of the window that first
// used the diary, so it goes, the diary closed, before QApplication does; the diary opens at
// the first save or show, at Diary::defaultPath(), and what the opening found is said once.
class DiaryKeeper : public QObject {
    Q_OBJECT

public:
    // The keeper, made as a child of `parent` the first time.
    static DiaryKeeper& of(QWidget& parent);
    ~DiaryKeeper() override;

    // Saves one entry; false after a message over `parent` where it was not saved.
    bool save(QWidget& parent, const DiaryEntry& entry);
    // Shows or raises "Diario", a window of its own over `parent`, with this host.
    void show(QWidget& parent, const DiaryHost& host);

    Diary& diary() { return m_diary; }
    DiaryWindow* window() const;

private:
    explicit DiaryKeeper(QWidget& parent);
    // Opens the diary if it is not open. What the opening found, to be said, goes to `said`;
    // the status is the opening's (Ok where it was open already).
    DiaryStatus open(QStringList& said);
    static void tell(QWidget& parent, const QStringList& said);

    Diary m_diary;
    QPointer<DiaryWindow> m_window;
};

} // namespace tarvimo
