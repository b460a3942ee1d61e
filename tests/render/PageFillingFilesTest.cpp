#include <gtest/gtest.h>

#include "render/PageFilling.h"
#include "text/Cp949.h"

namespace ledgra {
namespace {

TEST(LogFolderPageText, IsTheFolderInCodePage949FollowedByTheName) {
    FrameState frame;
    frame.m_strLogFolder = "/home/김/Documents/ZOVA/Logs/";
    EXPECT_EQ(LogFolderPageText(frame, "zova_supplier.gif"),
              "/home/김/Documents/ZOVA/Logs/zova_supplier.gif"_cp949);
}

}  // namespace
}  // namespace ledgra
