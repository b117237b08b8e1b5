#pragma once

#include "NativeControl.h"

namespace launcher::win32 {

// The native push button, a tab stop.
class PushButton final : public NativeControl
{
public:
    bool create(const ControlPlacement& placement) override;
};

} // namespace launcher::win32
