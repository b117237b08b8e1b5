#include "Picture.h"

#include <cstdint>
#include <cstdlib>

namespace launcher::win32 {

namespace {

// The bitmap resource of that name, in the module's memory.
const BITMAPINFO* findBitmap(HINSTANCE instance, const wchar_t* name)
{
    HRSRC resource = FindResourceW(instance, name, reinterpret_cast<LPCWSTR>(RT_BITMAP));
    if (resource == nullptr || SizeofResource(instance, resource) < sizeof(BITMAPINFOHEADER)) {
        return nullptr;
    }
    HGLOBAL loaded = LoadResource(instance, resource);
    return loaded != nullptr ? static_cast<const BITMAPINFO*>(LockResource(loaded)) : nullptr;
}

} // namespace

const void* bitmapBits(const BITMAPINFO& bitmap)
{
    const BITMAPINFOHEADER& header = bitmap.bmiHeader;
    if (header.biSize < sizeof header || header.biCompression != BI_RGB || header.biWidth <= 0 ||
        header.biHeight == 0 ||
        (header.biBitCount != 1 && header.biBitCount != 4 && header.biBitCount != 8 &&
         header.biBitCount != 24 && header.biBitCount != 32)) {
        return nullptr;
    }
    // The rows follow the colour table, which only bitmaps of up to 8 bits have.
    const DWORD colours = header.biBitCount > 8   ? 0
                          : header.biClrUsed != 0 ? header.biClrUsed
                                                  : DWORD{1} << header.biBitCount;
    return reinterpret_cast<const std::uint8_t*>(&bitmap) + header.biSize +
           colours * sizeof(RGBQUAD);
}

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
    m_bitmap = findBitmap(placement.instance, m_resourceName);
    m_bits = m_bitmap != nullptr ? bitmapBits(*m_bitmap) : nullptr;
    if (m_bits == nullptr) {
        m_bitmap = nullptr;
    }
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
    if (m_bitmap == nullptr) {
        return SIZE{0, 0};
    }
    return SIZE{m_bitmap->bmiHeader.biWidth, std::abs(m_bitmap->bmiHeader.biHeight)};
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
    draw(dc);
    EndPaint(m_hwnd, &ps);
}

void Picture::draw(HDC dc)
{
    RECT area{};
    GetClientRect(m_hwnd, &area);
    fillButtonFace(dc, area);
    if (m_bitmap == nullptr) {
        return;
    }
    const RECT target = drawnRect();
    const SIZE size = pictureSize();
    // Pixel for pixel at its own size; at any other, HALFTONE averages the
    // source pixels each target pixel covers (and wants the brush origin at
    // 0,0). The DC's own settings are put back for WM_PRINTCLIENT's caller.
    const int mode = SetStretchBltMode(dc, HALFTONE);
    POINT origin{};
    SetBrushOrgEx(dc, 0, 0, &origin);
    StretchDIBits(dc, target.left, target.top, target.right - target.left,
                  target.bottom - target.top, 0, 0, size.cx, size.cy, m_bits, m_bitmap,
                  DIB_RGB_COLORS, SRCCOPY);
    SetBrushOrgEx(dc, origin.x, origin.y, nullptr);
    SetStretchBltMode(dc, mode);
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
    case WM_PRINTCLIENT:
        if (picture != nullptr) {
            picture->m_hwnd = hwnd;
            picture->draw(reinterpret_cast<HDC>(wParam));
            return 0;
        }
        break;
    default:
        break;
    }
    return DefWindowProcW(hwnd, message, wParam, lParam);
}

} // namespace launcher::win32
