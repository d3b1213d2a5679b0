// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "ride/counted.h"

#include <QLocale>

namespace tarvimo {

QString counted(qint64 count, const QString& one, const QString& many) {
    return (count == 1 ? one : many).arg(grouped(count));
}

QString grouped(qint64 number) {
    return QLocale(QLocale::Italian, QLocale::Italy).toString(number);
}

} // namespace tarvimo
