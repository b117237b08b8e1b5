#pragma once

namespace platform {

// The system's window minimize/restore animation. Windows keeps it in
// SPI_GETANIMATION / SPI_SETANIMATION; other platforms have no such setting.
class WindowAnimation
{
public:
    virtual ~WindowAnimation() = default;

    // Reads the minimize-animation value. Returns false when the query
    // fails (always so on platforms without the setting).
    virtual bool query(int& minimizeAnimation) = 0;

    // Writes the minimize-animation value for this session only (the
    // user's profile is not changed).
    virtual void set(int minimizeAnimation) = 0;
};

// The platform's own setting.
WindowAnimation& systemWindowAnimation();

} // namespace platform
