// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The diary module's entry points, looked up by name by windows/diary_module.cpp.
#include "diary/diary_host.h"
#include "diary/diary_keeper.h"

#include <QWidget>
#include <QtGlobal>

extern "C" Q_DECL_EXPORT bool tarvimo_diary_save(QWidget& parent,
                                                 const tarvimo::DiaryEntry& entry) {
    return tarvimo::DiaryKeeper::of(parent).save(parent, entry);
}

extern "C" Q_DECL_EXPORT void tarvimo_diary_show(QWidget& parent, const tarvimo::DiaryHost& host) {
    tarvimo::DiaryKeeper::of(parent).show(parent, host);
}
