// The window is brought forward with the system's window animation
// switched off; the decision is the launcher window's own, run here with
// the Win32 setting and with a fake one.
#include "WindowAnimationSwitch.h"
#include "platform/Animation.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

// Passes every call on to another setting (when there is one) and writes
// down what happened, show included.
class RecordingAnimation final : public platform::WindowAnimation
{
public:
    explicit RecordingAnimation(platform::WindowAnimation* real, bool queryWorks = true,
                                int value = 0)
        : m_real(real), m_queryWorks(queryWorks), m_value(value)
    {
    }

    bool query(int& minimizeAnimation) override
    {
        if (m_real != nullptr) {
            const bool ok = m_real->query(minimizeAnimation);
            events.push_back("query " + (ok ? std::to_string(minimizeAnimation) : "failed"));
            return ok;
        }
        events.push_back("query " + (m_queryWorks ? std::to_string(m_value) : "failed"));
        minimizeAnimation = m_value;
        return m_queryWorks;
    }

    void set(int minimizeAnimation) override
    {
        events.push_back("set " + std::to_string(minimizeAnimation));
        if (m_real != nullptr) {
            m_real->set(minimizeAnimation);
        } else {
            m_value = minimizeAnimation;
        }
    }

    std::vector<std::string> events;

private:
    platform::WindowAnimation* m_real;
    bool m_queryWorks;
    int m_value;
};

std::vector<std::string> showWith(RecordingAnimation& animation)
{
    launcher::showWithoutAnimation(animation, [&animation] {
        int during = 0;
        const bool ok = animation.query(during);
        animation.events.push_back(ok ? "show with " + std::to_string(during) : "show");
    });
    return animation.events;
}

} // namespace

TEST(BringForward, AnimationOnIsSwitchedOffForTheShowAndOnAgainAfter)
{
    RecordingAnimation on(nullptr, true, 1);
    EXPECT_EQ(showWith(on),
              (std::vector<std::string>{"query 1", "set 0", "query 0", "show with 0", "set -1"}));
}

TEST(BringForward, AnimationOffOrUnknownIsLeftAlone)
{
    RecordingAnimation off(nullptr, true, 0);
    EXPECT_EQ(showWith(off), (std::vector<std::string>{"query 0", "query 0", "show with 0"}));

    RecordingAnimation unknown(nullptr, false, 1);
    EXPECT_EQ(showWith(unknown),
              (std::vector<std::string>{"query failed", "query failed", "show"}));
}

TEST(BringForward, TheSystemSettingIsOffDuringTheShowAndPutBackAfter)
{
    RecordingAnimation system(&platform::systemWindowAnimation());
    int before = 0;
    ASSERT_TRUE(platform::systemWindowAnimation().query(before));
    const auto events = showWith(system);
    int after = 0;
    ASSERT_TRUE(platform::systemWindowAnimation().query(after));

    if (before == 0) {
        // Off (always so under Wine): never written.
        EXPECT_EQ(events, (std::vector<std::string>{"query 0", "query 0", "show with 0"}));
        EXPECT_EQ(after, 0);
    } else {
        EXPECT_EQ(events, (std::vector<std::string>{"query " + std::to_string(before), "set 0",
                                                    "query 0", "show with 0", "set -1"}));
        EXPECT_NE(after, 0);
    }
}
