// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "field_sheet.h"
#include "number_text.h"
#include "runtime_error.h"

namespace tarvimo {

// Works out what the rider delivered on the climb and writes the eleven result fields.
//
// The inputs are first rewritten with "." for ",", the results are written one after another
// (several later results read earlier ones back from the sheet) and most of them are finally
// rewritten with "." too. On a fault it throws RuntimeError, naming the stage; the texts written
// before that stage keep their new values and no later text is touched.
void calculate(FieldSheet& sheet, const NumberSettings& settings);

} // namespace tarvimo
