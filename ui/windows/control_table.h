// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <span>

namespace tarvimo {

enum class ControlKind { Frame, Label, TextBox, Button };

// One control of the main window: where it sits (in twips, relative to its container), what it
// says and where the Tab key visits it. Text boxes take their text from the field sheet.
struct ControlSpec {
    const char* name;
    ControlKind kind;
    const char* container; // nullptr: the window itself
    const char* caption;   // frames, labels and buttons
    int left;
    int top;
    int width;
    int height;
    int tabIndex;
    double pointSize;           // "MS Sans Serif" at this size
    const char* accessibleName; // what a screen reader says, where the caption would not do
};

// In creation order: a container comes before what it holds, and a control drawn above
// another comes after it.
std::span<const ControlSpec> mainWindowControls();

} // namespace tarvimo
