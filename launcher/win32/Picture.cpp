#include "Picture.h"

#include <algorithm>
#include <objidl.h>
// GDI+'s headers use the min and max of <windows.h>.
using std::max;
using std::min;
#include <gdiplus.h>

namespace launcher::win32 {

namespace {

// A copy of the resource's bytes that GDI+ reads as a stream; the bitmap
// keeps the stream for as long as it lives.
std::unique_ptr<Gdiplus::Bitmap> loadBitmap(HINSTANCE instance, const wchar_t* name)
{
    HRSRC resource = FindResourceW(instance, name, reinterpret_cast<LPCWSTR>(RT_RCDATA));
    if (resource == nullptr) {
        return nullptr;
    }
    const DWORD size = SizeofResource(instance, resource);
    HGLOBAL loaded = LoadResource(instance, resource);
    const void* bytes = loaded != nullptr ? LockResource(loaded) : nullptr;
    if (bytes == nullptr || size == 0) {
        return nullptr;
    }
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    if (copy == nullptr) {
        return nullptr;
    }
    if (void* target = GlobalLock(copy)) {
        CopyMemory(target, bytes, size);
        GlobalUnlock(copy);
    }
    IStream* stream = nullptr;
    if (FAILED(CreateStreamOnHGlobal(copy, TRUE, &stream))) {
        GlobalFree(copy);
        return nullptr;
    }
    std::unique_ptr<Gdiplus::Bitmap> bitmap(Gdiplus::Bitmap::FromStream(stream));
    stream->Release();
    if (bitmap && bitmap->GetLastStatus() != Gdiplus::Ok) {
        bitmap.reset();
    }
    return bitmap;
}

} // namespace

Picture::Picture(const wchar_t* resourceName, PictureFit fit)
    : m_resourceName(resourceName), m_fit(fit)
{
}

Picture::~Picture() = default;

bool Picture::create(const ControlPlacement& placement)
{
    if (!registerClassOnce(ownWindowClass(placement.instance, ClassName, &Picture::windowProc))) {
        return false;
    }
    m_bitmap = loadBitmap(placement.instance, m_resourceName);
    m_dpi = placement.dpi;
    return createWindow(0, ClassName, WS_CHILD | WS_VISIBLE, placement, this) != nullptr;
}

void Picture::relayout(const ControlRect& rect, HFONT font, int dpi)
{
    m_dpi = dpi;
    NativeControl::relayout(rect, font, dpi);
}

SIZE Picture::pictureSize() const
{
    if (!m_bitmap) {
        return SIZE{0, 0};
    }
    return SIZE{static_cast<LONG>(m_bitmap->GetWidth()), static_cast<LONG>(m_bitmap->GetHeight())};
}

RECT Picture::drawnRect() const
{
    RECT area{};
    GetClientRect(m_hwnd, &area);
    if (m_fit == PictureFit::Stretch) {
        return area;
    }
    const SIZE size = pictureSize();
    return RECT{0, 0, scaleFromDesign(size.cx, m_dpi), scaleFromDesign(size.cy, m_dpi)};
}

void Picture::paint()
{
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(m_hwnd, &ps);
    RECT area{};
    GetClientRect(m_hwnd, &area);
    fillButtonFace(dc, area);
    if (m_bitmap) {
        const RECT target = drawnRect();
        const SIZE size = pictureSize();
        const INT width = static_cast<INT>(target.right - target.left);
        const INT height = static_cast<INT>(target.bottom - target.top);
        Gdiplus::Graphics graphics(dc);
        if (width == size.cx && height == size.cy) {
            // Pixel for pixel.
            graphics.SetInterpolationMode(Gdiplus::InterpolationModeNearestNeighbor);
        } else {
            // Resampled smoothly, pixel centres where they belong, the
            // edges mirrored so that the border pixels do not fade.
            graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
            graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
        }
        Gdiplus::ImageAttributes attributes;
        attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        // The source and target sizes are given: GDI+ would otherwise
        // scale by the file's own resolution.
        const Gdiplus::Rect destination(static_cast<INT>(target.left), static_cast<INT>(target.top),
                                        width, height);
        graphics.DrawImage(m_bitmap.get(), destination, 0, 0, static_cast<INT>(size.cx),
                           static_cast<INT>(size.cy), Gdiplus::UnitPixel, &attributes);
    }
    EndPaint(m_hwnd, &ps);
}

LRESULT CALLBACK Picture::windowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    Picture* picture = objectOf<Picture>(hwnd, message, lParam);
    switch (message) {
    case WM_ERASEBKGND:
        return 1; // painted whole in WM_PAINT
    case WM_PAINT:
        if (picture != nullptr) {
            picture->m_hwnd = hwnd;
            picture->paint();
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

GdiplusSession::GdiplusSession()
{
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&m_token, &input, nullptr) != Gdiplus::Ok) {
        m_token = 0;
    }
}

GdiplusSession::~GdiplusSession()
{
    if (m_token != 0) {
        Gdiplus::GdiplusShutdown(m_token);
    }
}

} // namespace launcher::win32
