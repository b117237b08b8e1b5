#include "platform/Animation.h"

#include <windows.h>

namespace platform {

namespace {

// SPI_GETANIMATION / SPI_SETANIMATION with the 8-byte ANIMATIONINFO record.
// The setting is changed for the session only: fWinIni 0 leaves the user's
// profile as it was.
class SystemWindowAnimation final : public WindowAnimation
{
public:
    bool query(int& minimizeAnimation) override
    {
        ANIMATIONINFO info{};
        info.cbSize = sizeof info;
        if (!SystemParametersInfoA(SPI_GETANIMATION, sizeof info, &info, 0)) {
            return false;
        }
        minimizeAnimation = info.iMinAnimate;
        return true;
    }

    void set(int minimizeAnimation) override
    {
        ANIMATIONINFO info{};
        info.cbSize = sizeof info;
        info.iMinAnimate = minimizeAnimation;
        SystemParametersInfoA(SPI_SETANIMATION, sizeof info, &info, 0);
    }
};

static_assert(sizeof(ANIMATIONINFO) == 8, "ANIMATIONINFO is its size and one int");

} // namespace

WindowAnimation& systemWindowAnimation()
{
    static SystemWindowAnimation animation;
    return animation;
}

} // namespace platform
