// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "field_sheet.h"

#include "number_text.h"

namespace tarvimo {

namespace {

constexpr std::array<FieldInfo, fieldCount> fieldTable{{
    {Field::massac, "massac", "60", false},
    {Field::massabici, "massabici", "10", false},
    {Field::altramassa, "altramassa", "1", false},
    {Field::sceglilunghezza, "sceglilunghezza", "5100", false},
    {Field::sceglidislivello, "sceglidislivello", "460", false},
    {Field::scegliminuti, "scegliminuti", "24", false},
    {Field::sceglisecondi, "sceglisecondi", "00", false},
    {Field::scegliA, "scegliA", "0,2", false},
    {Field::scegliF, "scegliF", "0,005", false},
    {Field::sceglicorona, "sceglicorona", "39", false},
    {Field::sceglipignone, "sceglipignone", "23", false},
    {Field::scegliruote, "scegliruote", "26", false},
    {Field::sceglipedivelle, "sceglipedivelle", "170", false},
    {Field::sceglidata, "sceglidata", "25-08-2002", false},
    {Field::sceglinomebici, "sceglinomebici", "Nome Salita", false},
    {Field::sceglinomeciclista, "sceglinomeciclista", "Nome e cognome ciclista", false},
    {Field::mostrapgrav, "mostrapgrav", "", true},
    {Field::mostrapaero, "mostrapaero", "", true},
    {Field::mostrapatt, "mostrapatt", "", true},
    {Field::mostraptot, "mostraptot", "", true},
    {Field::mostrawkg, "mostrawkg", "", true},
    {Field::mostrapmedia, "mostrapmedia", "", true},
    {Field::mostraVmedia, "mostraVmedia", "", true},
    {Field::mostraVAM, "mostraVAM", "", true},
    {Field::mostraPPM, "mostraPPM", "", true},
    {Field::mostraCoppia, "mostraCoppia", "", true},
    {Field::mostraFmax, "mostraFmax", "", true},
}};

// The table is indexed by the enum; a misplaced row would mix up two fields.
constexpr bool tableInEnumOrder() {
    for (std::size_t i = 0; i < fieldTable.size(); ++i) {
        if (static_cast<std::size_t>(fieldTable[i].field) != i) {
            return false;
        }
    }
    return true;
}
static_assert(tableInEnumOrder());

} // namespace

const std::array<FieldInfo, fieldCount>& allFields() {
    return fieldTable;
}

const FieldInfo& fieldInfo(Field field) {
    return fieldTable[static_cast<std::size_t>(field)];
}

std::optional<Field> findField(std::string_view name) {
    for (const auto& info : fieldTable) {
        if (info.name == name) {
            return info.field;
        }
    }
    return std::nullopt;
}

FieldSheet::FieldSheet() {
    for (const auto& info : fieldTable) {
        m_texts[index(info.field)] = info.defaultText;
    }
}

void FieldSheet::setText(Field field, std::string text) {
    auto& stored = m_texts[index(field)];
    // Rewriting a field with its own text changes nothing anyone can see; skipping it spares a
    // window from laying out a long text again.
    if (stored == text) {
        return;
    }
    stored = std::move(text);
    if (m_listener) {
        m_listener(field, stored);
    }
}

void FieldSheet::resetToDefaults() {
    for (const auto& info : fieldTable) {
        setText(info.field, std::string(info.defaultText));
    }
}

void commaToDot(FieldSheet& sheet, Field field) {
    // Most fields hold no comma; a copy of their text would only be thrown away.
    if (sheet.text(field).find(',') != std::string::npos) {
        sheet.setText(field, commaToDot(sheet.text(field)));
    }
}

} // namespace tarvimo
