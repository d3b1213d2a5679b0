// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSize>

class QWidget;

namespace tarvimo {

// Keeps a top-level window at its designed size. On Wayland a compositor may configure a
// maximised, fullscreen or tiled window with a size the client must then take, and ends the
// connection if it does not; there the window keeps only its minimum, so the layout sits
// unchanged in the larger window until it is restored. Elsewhere the size is fixed.
void keepWindowSize(QWidget& window, QSize size);

} // namespace tarvimo
