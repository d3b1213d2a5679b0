// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "widgets/text_box.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QMouseEvent>

namespace tarvimo {

TextBox::TextBox(QWidget* parent) : QPlainTextEdit(parent) {}

void TextBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton && !isReadOnly()) {
        const QClipboard* clipboard = QApplication::clipboard();
        const QMimeData* offered =
            clipboard->supportsSelection() ? clipboard->mimeData(QClipboard::Selection) : nullptr;
        if (clipboard->supportsSelection() &&
            (!offered || !(offered->hasText() || offered->hasHtml()))) {
            event->accept();
            return;
        }
    }
    QPlainTextEdit::mouseReleaseEvent(event);
}

} // namespace tarvimo
