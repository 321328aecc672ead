#include "Sandbox.h"
#include "settings/Registry.h"

#include <gtest/gtest.h>

TEST(Registry, StoreLivesInTheUsersConfigurationFolder)
{
    Sandbox box;
    Registry reg;
    EXPECT_EQ(reg.storePath(), box.configFolder() + "/VykOndrelSoft.ini");
    EXPECT_EQ(reg.get("DatumSet", "none"), "none");
    reg.save("DatumSet", "yy-mm-dd");
    EXPECT_EQ(Registry().get("DatumSet"), "yy-mm-dd");
    EXPECT_TRUE(reg.contains("Tolvex", "DatumSet"));
}
