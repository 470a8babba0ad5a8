#include "platform/MainGuard.h"

#include <gtest/gtest.h>

#include <new>

namespace {

TEST(MainGuard, PassesTheStatusOnAndTurnsMemoryRunningOutIntoAMessage) {
    EXPECT_EQ(platform::RunMain([] { return 3; }), 3);
    testing::internal::CaptureStderr();
    int status = platform::RunMain([]() -> int { throw std::bad_alloc(); });
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "Out of memory\n");
    EXPECT_EQ(status, 1);
}

}  // namespace
