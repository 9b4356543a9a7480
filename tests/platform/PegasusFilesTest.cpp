#include "platform/PegasusFiles.h"
#include "support/SystemDoubles.h"

#include <gtest/gtest.h>

namespace qf {
namespace {

TEST(PegasusFilesTest, TheFolderIsUnderHomeUnlessTheEnvironmentNamesOne) {
    const MapEnvironment home({{QStringLiteral("HOME"), QStringLiteral("/home/op")}});
    EXPECT_EQ(PegasusOutPath(home), QStringLiteral("/home/op/Pegasus/PEGASUS.OUT"));
    EXPECT_EQ(PegasusInPath(home), QStringLiteral("/home/op/Pegasus/PEGASUS.IN"));
    const MapEnvironment set({{QStringLiteral("HOME"), QStringLiteral("/home/op")},
                              {QStringLiteral("QUILLFEN_PEGASUS"), QStringLiteral("/srv/peg")}});
    EXPECT_EQ(PegasusOutPath(set), QStringLiteral("/srv/peg/PEGASUS.OUT"));
    EXPECT_EQ(PegasusInPath(set), QStringLiteral("/srv/peg/PEGASUS.IN"));
}

}  // namespace
}  // namespace qf
