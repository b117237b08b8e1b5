#include "PushButton.h"

namespace launcher::win32 {

bool PushButton::create(const ControlPlacement& placement)
{
    DWORD style = WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON;
    if (placement.description->tabStop) {
        style |= WS_TABSTOP;
    }
    return createWindow(0, L"Button", style, placement) != nullptr;
}

} // namespace launcher::win32
