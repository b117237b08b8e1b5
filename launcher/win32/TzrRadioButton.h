#pragma once

#include "NativeControl.h"
#include "launcher/window/RadioButtonStyle.h"

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
    // A control recreated later takes the new font.
    void relayout(const ControlRect& rect, HFONT font, int dpi) override;

    TAlignment horizontalAlignment() const { return m_properties.horizontal; }
    void setHorizontalAlignment(TAlignment value);
    TVertAlignment verticalAlignment() const { return m_properties.vertical; }
    void setVerticalAlignment(TVertAlignment value);
    bool wordWrap() const { return m_properties.wordWrap; }
    void setWordWrap(bool value);
    TStyle buttonStyle() const { return m_properties.style; }
    void setButtonStyle(TStyle value);

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
    RadioButtonProperties m_properties;
    int m_recreations = 0;
};

} // namespace launcher::win32
