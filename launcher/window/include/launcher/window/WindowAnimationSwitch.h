#pragma once

#include <functional>

namespace platform {
class WindowAnimation;
}

namespace launcher {

// Runs `show` with the system's window animation switched off: when the
// animation setting can be read and is on, it is set to 0 before `show`
// and to -1 (all bits) after it. When it is off, or cannot be read, the
// setting is not touched.
void showWithoutAnimation(platform::WindowAnimation& animation, const std::function<void()>& show);

} // namespace launcher
