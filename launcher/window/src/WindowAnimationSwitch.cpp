#include "launcher/window/WindowAnimationSwitch.h"

#include "platform/Animation.h"

namespace launcher {

void showWithoutAnimation(platform::WindowAnimation& animation, const std::function<void()>& show)
{
    int minimizeAnimation = 0;
    const bool animated = animation.query(minimizeAnimation) && minimizeAnimation != 0;
    if (animated) {
        animation.set(0);
    }
    show();
    if (animated) {
        animation.set(-1);
    }
}

} // namespace launcher
