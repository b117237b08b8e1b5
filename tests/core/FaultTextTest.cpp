// How a structured exception is named on its line; run on Linux and on
// Windows, where the unhandled-exception filter writes it.
#include "platform/FaultText.h"

#include "platform/ErrorReport.h"

#include <cstring>
#include <gtest/gtest.h>

TEST(FaultText, CommonCodesAreNamedAnyOtherGivesOnlyTheCode)
{
    EXPECT_EQ(platform::exceptionText(0xC0000005), "exception 0xC0000005 (access violation)");
    EXPECT_EQ(platform::exceptionText(0xC0000094),
              "exception 0xC0000094 (integer division by zero)");
    EXPECT_EQ(platform::exceptionText(0xC00000FD), "exception 0xC00000FD (stack overflow)");
    EXPECT_EQ(platform::exceptionText(0x80000003), "exception 0x80000003 (breakpoint)");
    for (std::uint32_t code = 0xC000008D; code <= 0xC0000093; ++code) {
        const char* name = platform::exceptionCodeName(code);
        ASSERT_NE(name, nullptr) << std::hex << code;
        EXPECT_EQ(std::strncmp(name, "floating-point ", 15), 0) << name;
    }
    // A language runtime's own exception is named after the runtime.
    EXPECT_EQ(platform::exceptionText(0xE06D7363), "exception 0xE06D7363 (a Visual C++ exception)");
    EXPECT_EQ(platform::exceptionText(0x0EEDFADE),
              "exception 0x0EEDFADE (an Object Pascal runtime's exception)");
    // Any other code: the code alone.
    EXPECT_EQ(platform::exceptionText(0x20474343), "exception 0x20474343");
    EXPECT_EQ(platform::exceptionText(0), "exception 0x00000000");
    // One name a code, none too long for the filter's buffer.
    for (const platform::ExceptionCodeName& entry : platform::exceptionCodeNames()) {
        EXPECT_EQ(platform::exceptionCodeName(entry.code), entry.name);
        EXPECT_LT(platform::exceptionText(entry.code).size(), 96u) << entry.name;
    }
    EXPECT_EQ(platform::unhandledExceptionText(0xC000001D, 0x401000),
              "exception 0xC000001D (illegal instruction) at 0x00401000; the program ends");
}

TEST(FaultText, ALineIsCutShortRatherThanWrittenPastItsBuffer)
{
    char buffer[24];
    std::memset(buffer, '#', sizeof buffer);
    const std::size_t length = platform::exceptionTextInto(0xC0000005, buffer, 16);
    EXPECT_EQ(length, 16u);
    EXPECT_EQ(std::string(buffer, length), "exception 0xC000");
    EXPECT_EQ(buffer[16], '#') << "nothing beyond the capacity";
    EXPECT_EQ(platform::unhandledExceptionTextInto(0xC0000005, 1, buffer, 0), 0u);
}

TEST(ErrorLine, ControlBytesAreEscapedABackslashOnlyWhereItIsNoSeparator)
{
    const std::string_view name = "C:\\d\\a\x01\x1b[2J\x7f\xd0\xb0.dll";
    EXPECT_EQ(platform::escapeForErrorLine(name, platform::Backslash::Kept),
              "C:\\d\\a\\x01\\x1B[2J\\x7F\xd0\xb0.dll");
    EXPECT_EQ(platform::escapeForErrorLine(name, platform::Backslash::Escaped),
              "C:\\\\d\\\\a\\x01\\x1B[2J\\x7F\xd0\xb0.dll");
#ifdef _WIN32
    EXPECT_EQ(platform::NativeBackslash, platform::Backslash::Kept);
#else
    EXPECT_EQ(platform::NativeBackslash, platform::Backslash::Escaped);
#endif
}
