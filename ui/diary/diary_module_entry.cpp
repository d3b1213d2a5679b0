// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The diary module's entry points, looked up by name by windows/diary_module.cpp.
#include "diary/diary_host.h"

#include <QWidget>
#include <QtGlobal>

extern "C" Q_DECL_EXPORT bool tarvimo_diary_save(QWidget& parent,
                                                 const tarvimo::DiaryEntry& entry) {
    Q_UNUSED(parent);
    Q_UNUSED(entry);
    return false;
}

extern "C" Q_DECL_EXPORT void tarvimo_diary_show(QWidget& parent, const tarvimo::DiaryHost& host) {
    Q_UNUSED(parent);
    Q_UNUSED(host);
}
