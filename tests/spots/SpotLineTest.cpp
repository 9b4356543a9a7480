// Reading a spot line's columns: the plain function every source uses.
#include "spots/SpotLine.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

TEST(SpotLineTest, MarkerIsDxInTheFirstTwoColumnsInAnyCase) {
    EXPECT_TRUE(isSpotLine(QStringLiteral("DX de W3LPL:")));
    EXPECT_TRUE(isSpotLine(QStringLiteral("dx de w3lpl:")));
    EXPECT_FALSE(isSpotLine(QStringLiteral(" DX de W3LPL:")));
    EXPECT_FALSE(isSpotLine(QStringLiteral("D")));
}

}  // namespace
}  // namespace qf
