// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <thread>

namespace tarvimo {

// Fontconfig reads its configuration and font caches the first time any font is needed: about a
// third of the work before the first window. Made before QApplication, this reads them on
// another core while Qt loads its plugins and connects to the display. Where Qt does not use
// fontconfig it does nothing.
class FontPreload {
public:
    FontPreload();
    // Call before the first window is built, so that Qt finds the fonts ready instead of
    // reading them a second time.
    void wait();

private:
    std::jthread m_thread;
};

} // namespace tarvimo
