#include "logging/SPCTable.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

TEST(SPCTableTest, RowsAndLookups) {
    SPCTable t;
    EXPECT_EQ(t.find(QStringLiteral("MN")), 0);  // empty until the in-state window fills it
    t.fill();
    EXPECT_EQ(t.SPCCount, 63);
    EXPECT_EQ(t.find(QStringLiteral("mn")), 46);
    EXPECT_EQ(t.SPCName[46], QStringLiteral("Rozirazav"));
    EXPECT_EQ(t.find(QStringLiteral("DC")), 63);
    EXPECT_EQ(t.SPCName[52], QStringLiteral("Maritime"));
    EXPECT_EQ(t.SPCName[59], QStringLiteral("Saskatchawan"));
    EXPECT_NE(t.find(QStringLiteral("LB")), t.find(QStringLiteral("NF")));
    EXPECT_EQ(t.find(QStringLiteral("XX")), 0);
    EXPECT_EQ(t.find(QString()), 0);  // slots past row 63 are empty and never match
    EXPECT_TRUE(t.SPCCode[64].isEmpty());
}

}  // namespace
}  // namespace qf
