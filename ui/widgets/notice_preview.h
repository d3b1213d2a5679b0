// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QFrame>
#include <QString>

namespace tarvimo {

// A drawing of a plain text box holding a text, pixel for pixel as QPlainTextEdit draws it
// unfocused: its frame, its background and its paragraphs, centred and wrapped to its width.
// The splash shows it for its first frame and puts the real box in its place right after:
// building a text box costs more than drawing one, because its editing machinery first lays
// out an empty document in the application font, which the splash never shows.
class NoticePreview : public QFrame {
    Q_OBJECT
public:
    NoticePreview(const QString& text, QWidget* parent);

signals:
    // Queued after the first paint, once the frame holding the drawing is on its way.
    void shown();

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_text;
    bool m_painted = false;
};

} // namespace tarvimo
