// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QPushButton>

namespace tarvimo {

// A push button that Return and Enter press when it has the focus, as Space does. Outside a
// dialog QPushButton does that only as an "auto default" button, which the styles then draw
// as the dialog's default button whenever it has the focus; this one keeps the plain look.
class PushButton : public QPushButton {
    Q_OBJECT
public:
    explicit PushButton(const QString& text, QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

} // namespace tarvimo
