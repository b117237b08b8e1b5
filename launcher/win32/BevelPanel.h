#pragma once

#include "NativeControl.h"

namespace launcher::win32 {

// A panel in the button-face colour with a raised outer and a lowered inner
// bevel, one pixel each; its children lie inside both bevels.
class BevelPanel final : public NativeControl
{
public:
    static constexpr const wchar_t* ClassName = L"DerizeBevelPanel";
    static constexpr int BevelWidth = 1;

    bool create(const ControlPlacement& placement) override;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static void paint(HWND hwnd);
};

} // namespace launcher::win32
