// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QWidget>

namespace tarvimo {

class ProfileView;

// One end of the selection on a profile: a thin focusable strip that the mouse drags and the
// keys move. Screen readers see a slider whose value is the distance and the height.
class ProfileHandle : public QWidget {
    Q_OBJECT

public:
    enum class End { Start, End };

    ProfileHandle(End end, ProfileView& view);

    End end() const { return m_end; }
    ProfileView& view() const { return m_view; }
    // The handle's width in pixels; its centre is the point it marks.
    static int thickness();
    // The height of the flag at its top, above the plot.
    static constexpr int gripHeight = 16;

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    End m_end;
    ProfileView& m_view;
};

// Gives the handles their slider interface; installing twice is harmless.
void installProfileHandleAccessibility();

} // namespace tarvimo
