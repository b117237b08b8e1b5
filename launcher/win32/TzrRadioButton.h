#pragma once

#include "NativeControl.h"
#include "WindowCore.h"

namespace launcher::win32 {

// A kind button: a window class of its own that superclasses the native
// "Button", created with the native radio style whose alignment, word-wrap
// and look bits come from its four properties. Changing a property to
// another value recreates the native control in its place (text, check
// mark, tab stop, focus and position among its siblings kept); setting the
// value it has does nothing.
class TzrRadioButton final : public NativeControl
{
public:
    static constexpr const wchar_t* ClassName = L"TzrRadioButton";
    static constexpr DWORD BaseStyle = BS_RADIOBUTTON;

    bool create(const ControlPlacement& placement) override;

    HorizontalAlignment horizontalAlignment() const { return m_horizontal; }
    void setHorizontalAlignment(HorizontalAlignment value);
    VerticalAlignment verticalAlignment() const { return m_vertical; }
    void setVerticalAlignment(VerticalAlignment value);
    bool wordWrap() const { return m_wordWrap; }
    void setWordWrap(bool value);
    ButtonStyle buttonStyle() const { return m_style; }
    void setButtonStyle(ButtonStyle value);

    bool checked() const;
    // Sets the check mark; a checked button is its group's tab stop.
    void setChecked(bool checked);

    // How often the native control was created again for a new property
    // value.
    int recreations() const { return m_recreations; }

    // The button style bits the properties ask for.
    DWORD buttonStyleBits() const;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    static bool registerClass(HINSTANCE instance);
    DWORD windowStyle(bool tabStop) const;
    void recreate();

    ControlPlacement m_placement;
    bool m_firstOfGroup = false;
    HorizontalAlignment m_horizontal = HorizontalAlignment::taLeftJustify;
    VerticalAlignment m_vertical = VerticalAlignment::vaTopJustify;
    bool m_wordWrap = true;
    ButtonStyle m_style = ButtonStyle::vsNormal;
    int m_recreations = 0;
};

} // namespace launcher::win32
