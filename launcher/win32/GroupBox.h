#pragma once

#include "NativeControl.h"

namespace launcher::win32 {

// The native group box, holding the kind buttons. A group box neither
// erases its inside nor acts on its children's notifications: it is
// subclassed to fill its inside with the button face and to pass its
// children's WM_COMMAND on to its own parent. Its children take part in
// the dialog manager's Tab and arrow-key moves (WS_EX_CONTROLPARENT).
class GroupBox final : public NativeControl
{
public:
    bool create(const ControlPlacement& placement) override;

private:
    static LRESULT CALLBACK subclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam,
                                         UINT_PTR id, DWORD_PTR data);
};

} // namespace launcher::win32
