// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "diary/diary_keeper.h"

#include "diary/diary_window.h"

#include <QMessageBox>
#include <QWidget>

namespace tarvimo {

namespace {

// Not owning: the keeper's parent owns it, and its destructor clears this.
DiaryKeeper* theKeeper = nullptr;

} // namespace

DiaryKeeper& DiaryKeeper::of(QWidget& parent) {
    if (!theKeeper) {
        theKeeper = new DiaryKeeper(parent);
    }
    return *theKeeper;
}

DiaryKeeper::DiaryKeeper(QWidget& parent) : QObject(&parent) {
    setObjectName(QStringLiteral("diarioAperto"));
}

DiaryKeeper::~DiaryKeeper() {
    delete m_window; // before the diary it reads closes
    theKeeper = nullptr;
}

DiaryWindow* DiaryKeeper::window() const {
    return m_window;
}

DiaryStatus DiaryKeeper::open(QStringList& said) {
    if (m_diary.isOpen()) {
        return DiaryStatus::Ok;
    }
    const DiaryStatus status = m_diary.open(Diary::defaultPath());
    if (status != DiaryStatus::Ok) {
        said << m_diary.message(status);
    }
    return status;
}

void DiaryKeeper::tell(QWidget& parent, const QStringList& said) {
    if (said.isEmpty()) {
        return;
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Diario"),
                    said.join(QStringLiteral("\n\n")), QMessageBox::Ok, &parent);
    box.setObjectName(QStringLiteral("messaggioDiario"));
    box.exec();
}

bool DiaryKeeper::save(QWidget& parent, const DiaryEntry& entry) {
    QStringList said;
    const DiaryStatus opened = open(said);
    Diary::Added added;
    if (m_diary.isOpen()) {
        added = m_diary.add(entry);
        // A diary opened read-only refuses with the reason the opening just gave.
        if (added.status != DiaryStatus::Ok && added.status != opened) {
            said << m_diary.message(added.status);
        }
    }
    tell(parent, said);
    if (added.status == DiaryStatus::Ok && m_window) {
        // Read again once the main window has its answer, before the next paint.
        QMetaObject::invokeMethod(m_window.data(), &DiaryWindow::refresh, Qt::QueuedConnection);
    }
    return added.status == DiaryStatus::Ok;
}

void DiaryKeeper::show(QWidget& parent, const DiaryHost& host) {
    QStringList said;
    open(said);
    tell(parent, said);
    if (!m_diary.isOpen()) {
        return;
    }
    if (m_window) {
        m_window->setHost(host);
    } else {
        m_window = new DiaryWindow(m_diary, host, &parent);
    }
    m_window->show();
    m_window->raise();
    m_window->activateWindow();
}

} // namespace tarvimo
