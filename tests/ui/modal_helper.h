// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QApplication>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace tarvimo::testing {

// A modal dialog runs its own event loop, so a test reaches it from a timer: `handle` runs on
// the next modal widget that opens.
inline void onNextModal(std::function<void(QWidget*)> handle) {
    auto* timer = new QTimer;
    timer->setInterval(5);
    QObject::connect(timer, &QTimer::timeout, [timer, handle = std::move(handle)] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            handle(modal);
        }
    });
    timer->start();
}

} // namespace tarvimo::testing

#include <QMessageBox>
#include <QStringList>

namespace tarvimo::testing {

// While alive, answers every message box that opens with its default button and keeps what it
// said, so a test can count the messages an action shows.
class MessageBoxCloser {
public:
    MessageBoxCloser() {
        m_timer.setInterval(5);
        QObject::connect(&m_timer, &QTimer::timeout, [this] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                m_texts << box->text();
                m_icons << box->icon();
                box->done(QMessageBox::Ok);
            }
        });
        m_timer.start();
    }

    const QStringList& texts() const { return m_texts; }
    const QList<QMessageBox::Icon>& icons() const { return m_icons; }

private:
    QTimer m_timer;
    QStringList m_texts;
    QList<QMessageBox::Icon> m_icons;
};

} // namespace tarvimo::testing
