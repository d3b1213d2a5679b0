// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QWidget>

class QFrame;
class QLabel;
class QPlainTextEdit;

namespace tarvimo {

class NoticePreview;

// The start-up window: product name, version, picture and a notice. Any key that types a
// character, or a click on the frame's bare surface, hands over to the main window.
// It deletes itself when it closes, so create it with new.
class SplashWindow : public QWidget {
    Q_OBJECT
    // What a screen reader calls this window (app/accessibility.h).
    Q_CLASSINFO("accessibleRole", "Dialog")
public:
    explicit SplashWindow(QWidget* parent = nullptr);

    // Lines end in CR LF; 256 characters with the default contact address.
    static QString notice();

    // The notice box. It is built just after the window's first frame, which only draws it;
    // this builds it at once if that has not happened yet.
    QPlainTextEdit* buildNotice();

signals:
    // Emitted while the splash is still on screen, so the program always has a window open.
    void proceed();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void leave();
    void previewKeys(QWidget& widget);

    QFrame* m_frame;
    QLabel* m_logo;
    QLabel* m_productName;
    QLabel* m_companyProduct;
    QLabel* m_version;
    NoticePreview* m_noticePreview;
    QPlainTextEdit* m_notice = nullptr;
    bool m_pressedOnFrame = false;
    bool m_leaving = false;
};

} // namespace tarvimo
