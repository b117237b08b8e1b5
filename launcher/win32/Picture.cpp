#include "Picture.h"

#include "StartupTrace.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

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

// The colour table of a bitmap of 1, 4 or 8 bits a pixel, and its length.
const RGBQUAD* colourTable(const BITMAPINFO& bitmap, DWORD& count)
{
    const BITMAPINFOHEADER& header = bitmap.bmiHeader;
    count = header.biBitCount > 8
                ? 0
                : (header.biClrUsed != 0 ? header.biClrUsed : DWORD{1} << header.biBitCount);
    return reinterpret_cast<const RGBQUAD*>(reinterpret_cast<const std::uint8_t*>(&bitmap) +
                                            header.biSize);
}

std::uint32_t rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    return (red << 16) | (green << 8) | blue;
}

// A source row, top first, as 0x00RRGGBB values.
void readRow(const BITMAPINFO& bitmap, const void* bits, int y, std::uint32_t* row)
{
    const BITMAPINFOHEADER& header = bitmap.bmiHeader;
    const int height = std::abs(header.biHeight);
    const int stored = header.biHeight > 0 ? height - 1 - y : y; // bottom-up unless negative
    const int stride = ((header.biWidth * header.biBitCount + 31) / 32) * 4;
    const auto* bytes =
        static_cast<const std::uint8_t*>(bits) + static_cast<std::ptrdiff_t>(stored) * stride;
    DWORD colours = 0;
    const RGBQUAD* table = colourTable(bitmap, colours);
    const int bitCount = header.biBitCount;
    for (int x = 0; x < header.biWidth; ++x) {
        if (bitCount <= 8) {
            // The leftmost pixel in the byte's highest bits.
            const int bit = x * bitCount;
            const unsigned index =
                (bytes[bit / 8] >> (8 - bitCount - bit % 8)) & ((1U << bitCount) - 1);
            const RGBQUAD colour = index < colours ? table[index] : RGBQUAD{};
            row[x] = rgb(colour.rgbRed, colour.rgbGreen, colour.rgbBlue);
        } else {
            const std::uint8_t* pixel = bytes + static_cast<std::ptrdiff_t>(x) * (bitCount / 8);
            row[x] = rgb(pixel[2], pixel[1], pixel[0]);
        }
    }
}

// Keys' cubic convolution kernel with a = -0.5 (Catmull-Rom).
double cubic(double x)
{
    x = std::fabs(x);
    if (x < 1.0) {
        return (1.5 * x - 2.5) * x * x + 1.0;
    }
    if (x < 2.0) {
        return ((-0.5 * x + 2.5) * x - 4.0) * x + 2.0;
    }
    return 0.0;
}

// The source pixels, and their weights, that make each of `target` pixels
// along one axis of `source` pixels.
struct Taps
{
    int count = 0; // taps per target pixel
    std::vector<int> index;
    std::vector<double> weight;
};

Taps tapsFor(int source, int target)
{
    const double scale = static_cast<double>(target) / source;
    // Shrinking, the kernel widens to cover every source pixel a target
    // pixel takes in.
    const double stretch = std::min(scale, 1.0);
    const double radius = 2.0 / stretch;
    Taps taps;
    taps.count = static_cast<int>(std::ceil(2 * radius)) + 1;
    taps.index.resize(static_cast<std::size_t>(target) * taps.count);
    taps.weight.resize(taps.index.size());
    for (int t = 0; t < target; ++t) {
        const double centre = (t + 0.5) / scale - 0.5;
        const int first = static_cast<int>(std::floor(centre - radius)) + 1;
        double sum = 0.0;
        for (int k = 0; k < taps.count; ++k) {
            int i = first + k;
            const double w = cubic((i - centre) * stretch);
            // Mirrored edges: the pixels beyond an edge repeat those inside.
            while (i < 0 || i >= source) {
                i = i < 0 ? -i - 1 : 2 * source - 1 - i;
            }
            const std::size_t at = static_cast<std::size_t>(t) * taps.count + k;
            taps.index[at] = i;
            taps.weight[at] = w;
            sum += w;
        }
        for (int k = 0; k < taps.count; ++k) {
            taps.weight[static_cast<std::size_t>(t) * taps.count + k] /= sum;
        }
    }
    return taps;
}

std::uint32_t channelByte(double value)
{
    return static_cast<std::uint32_t>(std::clamp(std::lround(value), 0L, 255L));
}

// A picture as three numbers a pixel, red, green and blue, top row first.
struct Plane
{
    int width = 0;
    int height = 0;
    std::vector<double> values;
};

// `source` resampled to `length` pixels along one axis: across its rows
// (`across`), or down its columns.
Plane resampleAxis(const Plane& source, int length, bool across)
{
    const Taps taps = tapsFor(across ? source.width : source.height, length);
    Plane target{across ? length : source.width, across ? source.height : length, {}};
    target.values.reserve(static_cast<std::size_t>(target.width) * target.height * 3);
    for (int y = 0; y < target.height; ++y) {
        for (int x = 0; x < target.width; ++x) {
            double sum[3] = {0.0, 0.0, 0.0};
            const std::size_t first = static_cast<std::size_t>(across ? x : y) * taps.count;
            for (std::size_t k = first; k < first + static_cast<std::size_t>(taps.count); ++k) {
                const int from = taps.index[k];
                const double* in =
                    &source.values[(static_cast<std::size_t>(across ? y : from) * source.width +
                                    static_cast<std::size_t>(across ? from : x)) *
                                   3];
                for (int channel = 0; channel < 3; ++channel) {
                    sum[channel] += taps.weight[k] * in[channel];
                }
            }
            target.values.insert(target.values.end(), sum, sum + 3);
        }
    }
    return target;
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
    DWORD colours = 0;
    const RGBQUAD* table = colourTable(bitmap, colours);
    return table + colours;
}

std::vector<std::uint32_t> resampleBitmap(const BITMAPINFO& bitmap, const void* bits, int width,
                                          int height)
{
    Plane source{bitmap.bmiHeader.biWidth, std::abs(bitmap.bmiHeader.biHeight), {}};
    if (width <= 0 || height <= 0 || source.width <= 0 || source.height <= 0) {
        return {};
    }
    source.values.reserve(static_cast<std::size_t>(source.width) * source.height * 3);
    std::vector<std::uint32_t> row(static_cast<std::size_t>(source.width));
    for (int y = 0; y < source.height; ++y) {
        readRow(bitmap, bits, y, row.data());
        for (const std::uint32_t pixel : row) {
            source.values.push_back((pixel >> 16) & 0xFF);
            source.values.push_back((pixel >> 8) & 0xFF);
            source.values.push_back(pixel & 0xFF);
        }
    }
    const Plane scaled = resampleAxis(resampleAxis(source, width, true), height, false);
    std::vector<std::uint32_t> pixels;
    pixels.reserve(static_cast<std::size_t>(width) * height);
    for (std::size_t at = 0; at < scaled.values.size(); at += 3) {
        pixels.push_back((channelByte(scaled.values[at]) << 16) |
                         (channelByte(scaled.values[at + 1]) << 8) |
                         channelByte(scaled.values[at + 2]));
    }
    return pixels;
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
    if (m_bitmap != nullptr) {
        const RECT target = drawnRect();
        const SIZE size = pictureSize();
        const int width = target.right - target.left;
        const int height = target.bottom - target.top;
        if (width == size.cx && height == size.cy) {
            // Pixel for pixel, straight from the resource.
            StretchDIBits(dc, target.left, target.top, width, height, 0, 0, width, height, m_bits,
                          m_bitmap, DIB_RGB_COLORS, SRCCOPY);
        } else if (width > 0 && height > 0) {
            if (m_scaledSize.cx != width || m_scaledSize.cy != height) {
                m_scaled = resampleBitmap(*m_bitmap, m_bits, width, height);
                m_scaledSize = SIZE{width, height};
                DERIZE_STARTUP_MARK("picture scaled");
            }
            BITMAPINFO scaled{};
            scaled.bmiHeader.biSize = sizeof scaled.bmiHeader;
            scaled.bmiHeader.biWidth = width;
            scaled.bmiHeader.biHeight = -height; // top row first
            scaled.bmiHeader.biPlanes = 1;
            scaled.bmiHeader.biBitCount = 32;
            scaled.bmiHeader.biCompression = BI_RGB;
            StretchDIBits(dc, target.left, target.top, width, height, 0, 0, width, height,
                          m_scaled.data(), &scaled, DIB_RGB_COLORS, SRCCOPY);
        }
    }
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
