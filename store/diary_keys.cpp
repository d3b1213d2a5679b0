// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "diary_keys.h"

namespace tarvimo {

QString DiaryKeys::searchKey(const QString& text) {
    const QString decomposed = text.normalized(QString::NormalizationForm_KD);
    QString key;
    key.reserve(decomposed.size());
    for (const QChar c : decomposed) {
        const QChar::Category category = c.category();
        const bool control = category == QChar::Other_Control && !c.isSpace();
        if (!control && category != QChar::Mark_NonSpacing &&
            category != QChar::Mark_SpacingCombining && category != QChar::Mark_Enclosing) {
            key += c;
        }
    }
    return key.toCaseFolded().simplified();
}

QString DiaryKeys::likePattern(const QString& filter) {
    const QString key = searchKey(filter);
    if (key.isEmpty()) {
        return {};
    }
    QString pattern = QStringLiteral("%");
    for (const QChar c : key) {
        if (c == u'\\' || c == u'%' || c == u'_') {
            pattern += u'\\';
        }
        pattern += c;
    }
    return pattern + u'%';
}

} // namespace tarvimo
