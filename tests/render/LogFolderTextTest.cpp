#include <gtest/gtest.h>

#include "render/LogFolderText.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

TEST(LogFolderPageText, IsTheFolderInCodePage949FollowedByTheName) {
    EXPECT_EQ(LogFolderPageText("/home/김/Documents/ZOVA/Logs/", "zova_supplier.gif"),
              "/home/김/Documents/ZOVA/Logs/zova_supplier.gif"_cp949);
}

}  // namespace
}  // namespace ledgra
