#include "common/KeyFilters.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

TEST(KeyFilters, UpperCaseKeyChangesOnlyLetters) {
    const int cases[][2] = {{'a', 'A'}, {'z', 'Z'}, {'m', 'M'}, {'A', 'A'}, {'1', '1'},
                            {'/', '/'}, {9, 9},     {8, 8},     {0, 0},     {'{', '{'}};
    for (const auto& c : cases) {
        int k = c[0];
        UpperCaseKey(k);
        EXPECT_EQ(k, c[1]) << c[0];
    }
}

TEST(KeyFilters, DigitsOnlyKeyPassesDigitsAndBackspace) {
    const int cases[][2] = {{'0', '0'}, {'9', '9'}, {8, 8},   {'a', 0}, {' ', 0},
                            {'-', 0},   {9, 0},     {13, 0}, {'/', 0}, {':', 0}};
    for (const auto& c : cases) {
        int k = c[0];
        DigitsOnlyKey(k);
        EXPECT_EQ(k, c[1]) << c[0];
    }
}

}  // namespace
}  // namespace qf
