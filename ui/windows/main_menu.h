// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <span>

namespace tarvimo {

// What an item of the main window's menu bar does.
enum class MenuCommand { OpenRide, SaveToDiary, Print, Quit, ShowDiary, ResetValues, Help, About };

// One menu of the bar. A title's "&" marks its Alt key; none of them is a letter the window's
// own controls take.
struct MenuSpec {
    const char* name;  // objectName
    const char* title; // with its "&"
};

// One item of a menu, in the order shown.
struct MenuItemSpec {
    const char* menu;     // the MenuSpec's name
    const char* name;     // objectName of the action
    const char* text;     // with its "&"
    const char* shortcut; // QKeySequence::PortableText; nullptr for none
    MenuCommand command;
};

std::span<const MenuSpec> mainMenus();
std::span<const MenuItemSpec> mainMenuItems();

} // namespace tarvimo
