// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windows/control_table.h"

#include <array>

namespace tarvimo {

namespace {

constexpr ControlKind Frame = ControlKind::Frame;
constexpr ControlKind Label = ControlKind::Label;
constexpr ControlKind Box = ControlKind::TextBox;
constexpr ControlKind Button = ControlKind::Button;
constexpr double small = 8.25;
constexpr double headline = 24;

// clang-format off
constexpr std::array controls{
    // name                 kind    container  caption              left  top   width height tab size   accessible name
    ControlSpec{"Frame1",    Frame,  nullptr,  "Dati",               120,  120, 5535, 1695,  0, small,  nullptr},
    ControlSpec{"Label2",    Label,  "Frame1", "Ciclista",           120,  360,  735,  255, 24, small,  nullptr},
    ControlSpec{"Label3",    Label,  "Frame1", "Bici",               720,  360,  735,  255, 25, small,  nullptr},
    ControlSpec{"Label4",    Label,  "Frame1", "Altro",             1200,  360,  735,  255, 26, small,  nullptr},
    ControlSpec{"ruote",     Label,  "Frame1", "D.ruote (in)",      2160,  360,  855,  255, 34, small,  nullptr},
    ControlSpec{"Label13",   Label,  "Frame1", "Corona",            3240,  360,  855,  255, 35, small,  nullptr},
    ControlSpec{"Label14",   Label,  "Frame1", "Pignone",           3840,  360,  615,  255, 36, small,  nullptr},
    ControlSpec{"lab",       Label,  "Frame1", "Ped.(mm)",          4680,  360,  735,  255, 60, small,  nullptr},
    ControlSpec{"massac",    Box,    "Frame1", nullptr,              120,  600,  495,  285,  4, small,  "Massa del ciclista, in chilogrammi"},
    ControlSpec{"massabici", Box,    "Frame1", nullptr,              720,  600,  375,  285,  2, small,  "Massa della bici, in chilogrammi"},
    ControlSpec{"altramassa", Box,   "Frame1", nullptr,             1200,  600,  375,  285,  3, small,  "Altra massa portata, in chilogrammi"},
    ControlSpec{"Label1",    Label,  "Frame1", "Kg",                1650,  650,  255,  255, 57, small,  nullptr},
    ControlSpec{"scegliruote", Box,  "Frame1", nullptr,             2160,  600,  735,  285, 53, small,  "Diametro delle ruote, in pollici"},
    ControlSpec{"sceglicorona", Box, "Frame1", nullptr,             3240,  600,  495,  285, 54, small,  "Denti della corona"},
    ControlSpec{"sceglipignone", Box, "Frame1", nullptr,            3840,  600,  495,  285, 55, small,  "Denti del pignone"},
    ControlSpec{"sceglipedivelle", Box, "Frame1", nullptr,          4680,  600,  615,  285, 59, small,  "Lunghezza delle pedivelle, in millimetri"},
    ControlSpec{"Label5",    Label,  "Frame1", "Distanza",           120,  960,  855,  255, 27, small,  nullptr},
    ControlSpec{"Label6",    Label,  "Frame1", "Dislivello",         960,  960,  855,  255, 28, small,  nullptr},
    ControlSpec{"Label7",    Label,  "Frame1", "min.",              2160,  960,  495,  255, 29, small,  nullptr},
    ControlSpec{"Label8",    Label,  "Frame1", "sec.",              2640,  960,  495,  255, 30, small,  nullptr},
    ControlSpec{"Label9",    Label,  "Frame1", "coeff.A",           3960,  960,  615,  255, 31, small,  nullptr},
    ControlSpec{"Label11",   Label,  "Frame1", "coeff. F",          4680,  960,  615,  255, 33, small,  nullptr},
    ControlSpec{"sceglilunghezza", Box, "Frame1", nullptr,           120, 1200,  615,  285,  5, small,  "Lunghezza della salita, in metri"},
    ControlSpec{"sceglidislivello", Box, "Frame1", nullptr,          960, 1200,  615,  285,  6, small,  "Dislivello, in metri"},
    ControlSpec{"Label12",   Label,  "Frame1", "m",                 1680, 1200,  255,  255, 58, small,  nullptr},
    ControlSpec{"scegliminuti", Box, "Frame1", nullptr,             2160, 1200,  375,  285,  7, small,  "Tempo impiegato, minuti"},
    ControlSpec{"sceglisecondi", Box, "Frame1", nullptr,            2640, 1200,  375,  285,  8, small,  "Tempo impiegato, secondi"},
    ControlSpec{"scegliA",   Box,    "Frame1", nullptr,             3960, 1200,  615,  285,  9, small,  "Coefficiente aerodinamico A"},
    ControlSpec{"scegliF",   Box,    "Frame1", nullptr,             4680, 1200,  615,  285, 10, small,  "Coefficiente di attrito F"},
    ControlSpec{"Frame5",    Frame,  nullptr,  "Controllo",          120, 1920, 2055, 1280, 51, small,  nullptr},
    ControlSpec{"pulsantecalcola", Button, nullptr, "Calcola",       240, 2280, 1815,  375, 23, small,  nullptr},
    ControlSpec{"Stampa",    Button, nullptr,  "Stampa",             240, 2760, 1095,  375, 48, small,  nullptr},
    ControlSpec{"Command1",  Button, "Frame5", "?",                 1320,  840,  615,  375, 61, small,  "Guida"},
    ControlSpec{"Frame4",    Frame,  nullptr,  "Identificazione",   2280, 1920, 3375, 1305, 49, small,  nullptr},
    ControlSpec{"sceglidata", Box,   "Frame4", nullptr,              120,  360, 1215,  315, 56, small,  "Data della salita"},
    ControlSpec{"sceglinomebici", Box, "Frame4", nullptr,           1800,  360, 1335,  315, 52, small,  "Nome della salita"},
    ControlSpec{"sceglinomeciclista", Box, "Frame4", nullptr,        120,  840, 3015,  315, 50, small,  "Nome e cognome del ciclista"},
    ControlSpec{"Frame2",    Frame,  nullptr,  "Risultati",          120, 3240, 2895, 2055,  1, small,  nullptr},
    ControlSpec{"Label15",   Label,  "Frame2", "P.M.%",              120,  240, 1095,  255, 37, small,  nullptr},
    ControlSpec{"Label16",   Label,  "Frame2", "PPM",               1440,  240, 1215,  255, 38, small,  nullptr},
    ControlSpec{"mostrapmedia", Box, "Frame2", nullptr,              120,  480,  975,  285, 12, small,  "Pendenza media, in percentuale"},
    ControlSpec{"mostraPPM", Box,    "Frame2", nullptr,             1440,  480, 1095,  285, 15, small,  "Pedalate al minuto"},
    ControlSpec{"Label17",   Label,  "Frame2", "V.media Km/h",       120,  840, 1095,  255, 39, small,  nullptr},
    ControlSpec{"Label18",   Label,  "Frame2", "VAM m/h",           1440,  840, 1215,  255, 40, small,  nullptr},
    ControlSpec{"mostraVmedia", Box, "Frame2", nullptr,              120, 1080,  975,  285, 13, small,  "Velocità media, in chilometri orari"},
    ControlSpec{"mostraVAM", Box,    "Frame2", nullptr,             1440, 1080, 1095,  285, 14, small,  "Velocità ascensionale media, in metri all'ora"},
    ControlSpec{"Label20",   Label,  "Frame2", "Forza max Kgf",      120, 1440, 1095,  255, 42, small,  nullptr},
    ControlSpec{"Label19",   Label,  "Frame2", "Coppia med. NM",    1440, 1440, 1215,  255, 41, small,  nullptr},
    ControlSpec{"mostraFmax", Box,   "Frame2", nullptr,              120, 1680,  975,  285, 17, small,  "Forza massima sul pedale, in chilogrammi forza"},
    ControlSpec{"mostraCoppia", Box, "Frame2", nullptr,             1440, 1680, 1095,  285, 16, small,  "Coppia media sulle pedivelle, in newton metro"},
    ControlSpec{"Frame3",    Frame,  nullptr,  "Potenza sviluppata", 3120, 3240, 2535, 1815, 11, small,  nullptr},
    ControlSpec{"Label21",   Label,  "Frame3", "P.totale W",         120,  240, 1215,  255, 43, small,  nullptr},
    ControlSpec{"Label22",   Label,  "Frame3", "W/kg cicl.",        1560,  240,  855,  255, 44, small,  nullptr},
    ControlSpec{"mostraptot", Box,   "Frame3", nullptr,              120,  480, 1335,  615, 18, headline, "Potenza totale, in watt"},
    ControlSpec{"mostrawkg", Box,    "Frame3", nullptr,             1560,  480,  855,  615, 22, headline, "Potenza per chilo del ciclista, in watt per chilogrammo"},
    ControlSpec{"Label25",   Label,  "Frame3", "P.aero.",            120, 1200,  495,  255, 47, small,  nullptr},
    ControlSpec{"Label23",   Label,  "Frame3", "P.Asc.",             960, 1200,  495,  255, 45, small,  nullptr},
    ControlSpec{"Label24",   Label,  "Frame3", "P.Att.",            1800, 1200,  495,  255, 46, small,  nullptr},
    ControlSpec{"mostrapaero", Box,  "Frame3", nullptr,              120, 1440,  615,  285, 19, small,  "Potenza contro l'aria, in watt"},
    ControlSpec{"mostrapgrav", Box,  "Frame3", nullptr,              960, 1440,  615,  285, 20, small,  "Potenza contro la gravità, in watt"},
    ControlSpec{"mostrapatt", Box,   "Frame3", nullptr,             1800, 1440,  615,  285, 21, small,  "Potenza contro gli attriti, in watt"},
    ControlSpec{"Label26",   Label,  nullptr,  nullptr,             3960, 5160, 1575,  255, 62, small,  nullptr},
};
// clang-format on

} // namespace

std::span<const ControlSpec> mainWindowControls() {
    return controls;
}

} // namespace tarvimo
