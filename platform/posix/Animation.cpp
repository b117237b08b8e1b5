#include "platform/Animation.h"

namespace platform {

namespace {

// Linux desktops have no system-wide minimize animation switch that a
// program may turn off for a moment; the query reports failure so that the
// setting is never touched.
class NoWindowAnimation final : public WindowAnimation
{
public:
    bool query(int&) override { return false; }
    void set(int) override {}
};

} // namespace

WindowAnimation& systemWindowAnimation()
{
    static NoWindowAnimation animation;
    return animation;
}

} // namespace platform
