// The end of a finished run skips the destructors but loses nothing written.

#include "frontend/ProcessExit.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string>

TEST(FinishProcessDeathTest, EndsWithTheStatusOnceEveryStreamIsFlushed)
{
    char path[] = "/tmp/quelt-finish-XXXXXX";
    int fd = mkstemp(path);
    ASSERT_GE(fd, 0);
    EXPECT_EXIT(
        {
            std::FILE* out = std::fopen(path, "w");
            if (out != nullptr)
                std::fputs("still in the buffer", out);
            std::cerr << "last line";
            finishProcess(5);
        },
        ::testing::ExitedWithCode(5), "^last line$");
    std::ifstream in(path);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(in), {}), "still in the buffer");
    std::remove(path);
}
