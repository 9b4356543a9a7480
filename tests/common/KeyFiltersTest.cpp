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

TEST(KeyFilters, CallSignKeyPassesLettersDigitsSlashAndControlCodes) {
    const int cases[][2] = {{'a', 'a'}, {'Z', 'Z'}, {'0', '0'}, {'9', '9'}, {'/', '/'},
                            {8, 8},     {13, 13},   {27, 27},   {' ', 0},   {'"', 0},
                            {'-', 0},   {'.', 0},   {'\\', 0},  {127, 0},   {0xE9, 0},  // e acute
                            {0xFC, 0},  {0xC9, 0},  {0xDF, 0},  {0xA0, 0},  {'@', 0}};
    for (const auto& c : cases) {
        int k = c[0];
        CallSignKey(k);
        EXPECT_EQ(k, c[1]) << c[0];
    }
}

}  // namespace
}  // namespace qf
