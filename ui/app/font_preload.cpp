// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "app/font_preload.h"

#include <dlfcn.h>

namespace tarvimo {

FontPreload::FontPreload() {
    // Looked up in the libraries Qt brought in, so that the program does not link fontconfig
    // itself. Fontconfig's initialisation is thread-safe.
    using Init = int (*)();
    if (const auto init = reinterpret_cast<Init>(dlsym(RTLD_DEFAULT, "FcInit")))
        m_thread = std::jthread(init);
}

void FontPreload::wait() {
    if (m_thread.joinable())
        m_thread.join();
}

} // namespace tarvimo
