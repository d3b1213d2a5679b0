// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "field_sheet.h"

#include <gtest/gtest.h>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace tarvimo {
namespace {

struct DefaultCase {
    const char* name;
    const char* text;
};

void PrintTo(const DefaultCase& c, std::ostream* os) {
    *os << c.name;
}

class FreshSheet : public testing::TestWithParam<DefaultCase> {};

TEST_P(FreshSheet, HoldsTheDefaultText) {
    const auto field = findField(GetParam().name);
    ASSERT_TRUE(field.has_value()) << GetParam().name;
    EXPECT_EQ(FieldSheet().text(*field), GetParam().text);
}

INSTANTIATE_TEST_SUITE_P(
    Fields, FreshSheet,
    testing::Values(DefaultCase{"massac", "60"}, DefaultCase{"massabici", "10"},
                    DefaultCase{"altramassa", "1"}, DefaultCase{"sceglilunghezza", "5100"},
                    DefaultCase{"sceglidislivello", "460"}, DefaultCase{"scegliminuti", "24"},
                    DefaultCase{"sceglisecondi", "00"}, DefaultCase{"scegliA", "0,2"},
                    DefaultCase{"scegliF", "0,005"}, DefaultCase{"sceglicorona", "39"},
                    DefaultCase{"sceglipignone", "23"}, DefaultCase{"scegliruote", "26"},
                    DefaultCase{"sceglipedivelle", "170"}, DefaultCase{"sceglidata", "25-08-2002"},
                    DefaultCase{"sceglinomebici", "Nome Salita"},
                    DefaultCase{"sceglinomeciclista", "Nome e cognome ciclista"},
                    DefaultCase{"mostrapgrav", ""}, DefaultCase{"mostraptot", ""},
                    DefaultCase{"mostraFmax", ""}));

TEST(FieldTable, NamesAreUniqueAndFoundAgain) {
    std::set<std::string_view> names;
    for (const auto& info : allFields()) {
        EXPECT_TRUE(names.insert(info.name).second) << info.name;
        EXPECT_EQ(findField(info.name), info.field);
        EXPECT_EQ(info.isResult, info.defaultText.empty()) << info.name;
    }
    EXPECT_EQ(names.size(), 27u);
    EXPECT_FALSE(findField("MASSAC").has_value());
}

TEST(FieldSheetWrites, ListenerSeesEveryChangeAndReset) {
    FieldSheet sheet;
    std::vector<std::string> seen;
    sheet.setListener([&](Field f, const std::string& t) {
        seen.push_back(std::string(fieldInfo(f).name) + "=" + t);
    });
    sheet.setText(Field::massac, "72,5");
    sheet.setText(Field::massac, "72,5");
    commaToDot(sheet, Field::massac);
    EXPECT_EQ(sheet.text(Field::massac), "72.5");
    ASSERT_EQ(seen.size(), 2u) << "a write of the same text is not seen";
    EXPECT_EQ(seen[1], "massac=72.5");

    sheet.setText(Field::mostraptot, "testo libero");
    sheet.resetToDefaults();
    EXPECT_EQ(seen.size(), 3u + 2u) << "only the two changed fields are rewritten";
    EXPECT_EQ(sheet.text(Field::massac), "60");
    EXPECT_EQ(sheet.text(Field::mostraptot), "");
}

TEST(FieldSheetWrites, HoldsLongTexts) {
    FieldSheet sheet;
    const std::string huge(1 << 20, '7');
    sheet.setText(Field::sceglinomebici, huge);
    EXPECT_EQ(sheet.text(Field::sceglinomebici), huge);
}

} // namespace
} // namespace tarvimo
