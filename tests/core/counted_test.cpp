// SPDX-FileCopyrightText: 2026 The Tarvimo authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "counted.h"

#include <gtest/gtest.h>

namespace tarvimo {
namespace {

struct CountCase {
    const char* what;
    std::int64_t count;
    const char* said;
};

void PrintTo(const CountCase& c, std::ostream* os) {
    *os << c.what;
}

class Counted : public testing::TestWithParam<CountCase> {};

TEST_P(Counted, TakesTheFormItsCountNeeds) {
    EXPECT_EQ(counted(GetParam().count, "%1 punto letto", "%1 punti letti"), GetParam().said);
}

INSTANTIATE_TEST_SUITE_P(
    Italian, Counted,
    testing::Values(CountCase{"nought takes the plural", 0, "0 punti letti"},
                    CountCase{"one takes the singular", 1, "1 punto letto"},
                    CountCase{"two take the plural", 2, "2 punti letti"},
                    CountCase{"a thousand is grouped", 1000, "1.000 punti letti"},
                    CountCase{"a million, twice grouped", 1234567, "1.234.567 punti letti"},
                    CountCase{"the smallest number, without overflow", INT64_MIN,
                              "-9.223.372.036.854.775.808 punti letti"}));

} // namespace
} // namespace tarvimo
