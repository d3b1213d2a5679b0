// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace tarvimo {

// Every field of the main window, under the name its text box carries.
enum class Field {
    // Inputs
    massac,
    massabici,
    altramassa,
    sceglilunghezza,
    sceglidislivello,
    scegliminuti,
    sceglisecondi,
    scegliA,
    scegliF,
    sceglicorona,
    sceglipignone,
    scegliruote,
    sceglipedivelle,
    sceglidata,
    sceglinomebici,
    sceglinomeciclista,
    // Results
    mostrapgrav,
    mostrapaero,
    mostrapatt,
    mostraptot,
    mostrawkg,
    mostrapmedia,
    mostraVmedia,
    mostraVAM,
    mostraPPM,
    mostraCoppia,
    mostraFmax,
};

inline constexpr std::size_t fieldCount = static_cast<std::size_t>(Field::mostraFmax) + 1;

// The fixed description of one field.
struct FieldInfo {
    Field field;
    std::string_view name;
    std::string_view defaultText; // empty for results
    bool isResult;
};

const std::array<FieldInfo, fieldCount>& allFields();
const FieldInfo& fieldInfo(Field field);
std::optional<Field> findField(std::string_view name);

// The whole data state of the program: one text per field. A listener sees every write, so a
// window showing the fields never disagrees with the sheet.
class FieldSheet {
public:
    using Listener = std::function<void(Field, const std::string&)>;

    FieldSheet(); // holds the default texts

    const std::string& text(Field field) const { return m_texts[index(field)]; }
    void setText(Field field, std::string text);
    void resetToDefaults();

    // The listener is called after each write that changes the text.
    void setListener(Listener listener) { m_listener = std::move(listener); }

private:
    static std::size_t index(Field field) { return static_cast<std::size_t>(field); }

    std::array<std::string, fieldCount> m_texts;
    Listener m_listener;
};

// Replaces every "," of the field's text by "." and writes the text back.
void commaToDot(FieldSheet& sheet, Field field);

} // namespace tarvimo
