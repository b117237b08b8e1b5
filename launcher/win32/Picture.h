#pragma once

#include "NativeControl.h"

#include <memory>

namespace Gdiplus {
class Bitmap;
}

namespace launcher::win32 {

// How a picture fills its area.
enum class PictureFit
{
    OwnSize, // at its own size (scaled from 96 dpi) from the top-left corner,
             // clipped to the area
    Stretch, // stretched to the whole area
};

// A picture decoded with GDI+ from one of the program's resources. Where
// the picture does not cover its area, the parent's button face shows.
// Drawn at any other size than its own, it is resampled with a smooth
// filter. GDI+ must be started (GdiplusSession) while pictures exist.
class Picture final : public NativeControl
{
public:
    static constexpr const wchar_t* ClassName = L"DerizePicture";

    // `resourceName`: an RCDATA resource of `placement.instance`.
    Picture(const wchar_t* resourceName, PictureFit fit);
    ~Picture() override;

    bool create(const ControlPlacement& placement) override;
    void relayout(const ControlRect& rect, HFONT font, int dpi) override;

    // The decoded picture's size; 0 by 0 when the resource is missing or
    // cannot be decoded (the area then stays empty).
    SIZE pictureSize() const;

    // The rectangle the picture is drawn into, in client coordinates.
    RECT drawnRect() const;

private:
    static LRESULT CALLBACK windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    void paint();

    const wchar_t* m_resourceName;
    PictureFit m_fit;
    int m_dpi = DesignDpi;
    std::unique_ptr<Gdiplus::Bitmap> m_bitmap;
};

// GDI+ for the lifetime of the object.
class GdiplusSession
{
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;

    bool started() const { return m_token != 0; }

private:
    ULONG_PTR m_token = 0;
};

} // namespace launcher::win32
