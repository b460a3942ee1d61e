#include <gtest/gtest.h>

#include "app/EngineOutput.h"

namespace ledgra {
namespace {

TEST(EngineOutputTest, TheEnginesLogIsQuietenedUnlessTheUserChoseALevel) {
    const std::pair<const char*, const char*> rows[] = {
        {"", "--log-level=3"},
        {" --disable-gpu --no-sandbox ", "--disable-gpu --no-sandbox --log-level=3"},
        {"--enable-logging --log-level=0", "--enable-logging --log-level=0"},
    };
    for (const auto& [user, flags] : rows) EXPECT_EQ(QuietEngineFlags(user), QByteArray(flags));
}

}  // namespace
}  // namespace ledgra
