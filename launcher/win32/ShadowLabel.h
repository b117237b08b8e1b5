#pragma once

#include "NativeControl.h"

namespace launcher::win32 {

// A label that keeps its left and top and sizes itself to its text (and
// its one-pixel shadow) whenever the text or font changes. Opaque in the
// button-face colour; the text is drawn in the window-text colour over a
// copy in the button-highlight colour one pixel up and left; "&" marks
// the next character as the accelerator.
class ShadowLabel final : public NativeControl
{
public:
    static constexpr const wchar_t* ClassName = L"DerizeShadowLabel";
    static constexpr int ShadowSize = 1;

    bool create(const ControlPlacement& placement) override;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void fitToText();
    void paint();

    HFONT m_font = nullptr;
};

} // namespace launcher::win32
