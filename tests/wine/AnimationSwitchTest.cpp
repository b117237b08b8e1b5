// The window is brought forward with the system's window animation
// switched off; the decision is the launcher window's own, run here against
// the Win32 setting (tests/window checks it with a fake one).
#include "launcher/window/LauncherWindow.h"
#include "platform/Animation.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Passes every call on to the system's setting and writes down what
// happened, show included.
class RecordingAnimation final : public platform::WindowAnimation
{
public:
    bool query(int& minimizeAnimation) override
    {
        const bool ok = platform::systemWindowAnimation().query(minimizeAnimation);
        events.push_back("query " + (ok ? std::to_string(minimizeAnimation) : "failed"));
        return ok;
    }

    void set(int minimizeAnimation) override
    {
        events.push_back("set " + std::to_string(minimizeAnimation));
        platform::systemWindowAnimation().set(minimizeAnimation);
    }

    std::vector<std::string> events;
};

} // namespace

TEST(BringForward, TheSystemSettingIsOffDuringTheShowAndPutBackAfter)
{
    RecordingAnimation system;
    int before = 0;
    ASSERT_TRUE(platform::systemWindowAnimation().query(before));
    launcher::showWithoutAnimation(system, [&system] {
        int during = 0;
        const bool ok = system.query(during);
        system.events.push_back(ok ? "show with " + std::to_string(during) : "show");
    });
    int after = 0;
    ASSERT_TRUE(platform::systemWindowAnimation().query(after));

    if (before == 0) {
        // Off (always so under Wine): never written.
        EXPECT_EQ(system.events, (std::vector<std::string>{"query 0", "query 0", "show with 0"}));
        EXPECT_EQ(after, 0);
    } else {
        EXPECT_EQ(system.events,
                  (std::vector<std::string>{"query " + std::to_string(before), "set 0", "query 0",
                                            "show with 0", "set -1"}));
        EXPECT_NE(after, 0);
    }
}
