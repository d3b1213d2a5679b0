// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPlainTextEdit>

namespace tarvimo {

// A multi-line text box that survives the X11 middle-click paste when nothing can be pasted.
// With no program owning the PRIMARY selection, Qt 6.4 hands the box an empty mime data object
// and QWidgetTextControl crashes inserting it; here such a click does nothing, while a click with
// a text to paste still pastes it.
class TextBox : public QPlainTextEdit {
    Q_OBJECT

public:
    explicit TextBox(QWidget* parent = nullptr);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace tarvimo
