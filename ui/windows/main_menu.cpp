// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/main_menu.h"

#include <array>

namespace tarvimo {

namespace {

using enum MenuCommand;

// clang-format off
constexpr std::array menus{
    MenuSpec{"menuFile",     "&File"},
    MenuSpec{"menuDiario",   "&Diario"},
    MenuSpec{"menuModifica", "&Modifica"},
    MenuSpec{"menuAiuto",    "&?"},
};

constexpr std::array items{
    // menu           name              text                                shortcut  command
    MenuItemSpec{"menuFile",     "apriTraccia",    "&Apri traccia…",              "Ctrl+O", OpenRide},
    MenuItemSpec{"menuFile",     "salvaNelDiario", "&Salva nel diario",           "Ctrl+S", SaveToDiary},
    MenuItemSpec{"menuFile",     "stampaPagina",   "S&tampa…",                    "Ctrl+P", Print},
    MenuItemSpec{"menuFile",     "esci",           "&Esci",                       "Ctrl+Q", Quit},
    MenuItemSpec{"menuDiario",   "mostraDiario",   "&Mostra il diario",           "Ctrl+D", ShowDiary},
    MenuItemSpec{"menuModifica", "valoriIniziali", "&Valori iniziali",            nullptr,  ResetValues},
    MenuItemSpec{"menuAiuto",    "guida",          "&Guida",                      "F1",     Help},
    MenuItemSpec{"menuAiuto",    "informazioni",   "&Informazioni su Tarvimo",    nullptr,  About},
};
// clang-format on

} // namespace

std::span<const MenuSpec> mainMenus() {
    return menus;
}

std::span<const MenuItemSpec> mainMenuItems() {
    return items;
}

} // namespace tarvimo
