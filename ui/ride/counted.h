// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>
#include <QtGlobal>

namespace tarvimo {

// A sentence about `count` things: `one` where there is exactly one, else `many` (in Italian
// nought takes the plural: "0 punti"). %1 in either becomes the count, grouped in thousands
// ("1.000").
QString counted(qint64 count, const QString& one, const QString& many);

// A whole number grouped in thousands as in Italian: "1.000".
QString grouped(qint64 number);

} // namespace tarvimo
