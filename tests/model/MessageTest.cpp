// How a text stands in a console message: C0 control characters and DEL
// as \xNN, every other byte (UTF-8 included) as it is.

#include "model/Message.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(Message, ShownTextEscapesControlCharactersOnly)
{
    EXPECT_EQ(shownText(std::string("a\0b\x1F ~\x7F\x80\xC3\xA9", 10)),
        "a\\x00b\\x1F ~\\x7F\x80\xC3\xA9");
}

} // namespace
