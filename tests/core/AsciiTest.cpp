#include "platform/AsciiCase.h"

#include <gtest/gtest.h>

TEST(Ascii, OnlyTheLettersAToZMeetTheirCapitals)
{
    struct Case
    {
        std::string_view a;
        std::string_view b;
        bool equal;
    };
    const Case cases[] = {
        {"gear_exc_dat", "GEAR_EXC_DAT", true},
        {"rus", "RuS", true},
        {"", "", true},
        {"rus", "rusx", false},
        // Neighbours of the letters that differ from them in the 0x20 bit.
        {"@", "`", false},
        {"[", "{", false},
        {"^", "~", false},
        {"_", "\x7f", false},
        // Bytes of other characters are compared as they are: UTF-8 "а"
        // and "А", Windows-1251 "а" (0xE0) and "А" (0xC0).
        {"\xd0\xb0", "\xd0\x90", false},
        {"\xe0", "\xc0", false},
        {"\xe0", "\xe0", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(platform::equalIgnoringAsciiCase(c.a, c.b), c.equal)
            << '"' << c.a << "\" and \"" << c.b << '"';
    }
    EXPECT_EQ(platform::asciiUpper('\xe0'), '\xe0');
}
