#pragma once

#include "NativeControl.h"

namespace launcher::win32 {

// How a picture fills its area.
enum class PictureFit
{
    OwnSize, // at its own size (scaled from 96 dpi) from the top-left corner,
             // clipped to the area
    Stretch, // stretched to the whole area
};

// One of the program's bitmap resources (RT_BITMAP, a device-independent
// bitmap made from the picture when the pictures are drawn:
// resources/images/make-images.py), drawn straight from the resource's
// memory: nothing is decoded when the program starts. Drawn at its own
// size it is copied pixel for pixel; at any other size GDI stretches it in
// HALFTONE mode, which averages the source pixels under each target pixel.
// Where the picture does not cover its area, the parent's button face
// shows.
class Picture final : public NativeControl
{
public:
    static constexpr const wchar_t* ClassName = L"DerizePicture";

    // `resourceName`: an RT_BITMAP resource of `placement.instance`.
    Picture(const wchar_t* resourceName, PictureFit fit);
    ~Picture() override;

    bool create(const ControlPlacement& placement) override;
    void relayout(const ControlRect& rect, HFONT font, int dpi) override;

    // The picture's size; 0 by 0 when the resource is missing or is no
    // bitmap this program draws (the area then stays empty).
    SIZE pictureSize() const;

    // The rectangle the picture is drawn into, in client coordinates.
    RECT drawnRect() const;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();
    // The area and the picture into `dc` (a WM_PAINT's or a WM_PRINTCLIENT's).
    void draw(HDC dc);

    const wchar_t* m_resourceName;
    PictureFit m_fit;
    int m_dpi = DesignDpi;
    const BITMAPINFO* m_bitmap = nullptr; // in the resource's memory
    const void* m_bits = nullptr;
};

// The pixel rows of a bitmap resource (a packed DIB: header, colour table,
// rows) to draw with StretchDIBits; nullptr unless it is an uncompressed
// DIB of 1, 4 or 8 bits with a colour table, or of 24 or 32 bits.
const void* bitmapBits(const BITMAPINFO& bitmap);

} // namespace launcher::win32
