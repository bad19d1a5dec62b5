#include "dialogs/CShapedWnd.h"

#include "framework/CBitmap.h"
#include "framework/CClientDC.h"
#include "framework/CPaintDC.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

// The mask's pixels, top row first, as 0x00RRGGBB.
std::vector<DWORD> MaskPixels(CDC& dc, HBITMAP mask, SIZE size)
{
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = size.cx;
    info.bmiHeader.biHeight = -size.cy;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> pixels(static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy));
    if (::GetDIBits(dc, mask, 0, static_cast<UINT>(size.cy), pixels.data(), &info, DIB_RGB_COLORS) != size.cy)
        pixels.clear();
    return pixels;
}

// The runs of one row that are not black, as [left, right) pairs.
std::vector<LONG> InsideRuns(const DWORD* row, LONG width)
{
    std::vector<LONG> runs;
    for (LONG x = 0; x < width;) {
        while (x < width && (row[x] & 0xFFFFFF) == 0)
            ++x;
        const LONG left = x;
        while (x < width && (row[x] & 0xFFFFFF) != 0)
            ++x;
        if (x > left) {
            runs.push_back(left);
            runs.push_back(x);
        }
    }
    return runs;
}

UniqueGdiObject<HRGN> RegionOfRectangles(const std::vector<RECT>& rects, const RECT& bounds)
{
    std::vector<BYTE> data(sizeof(RGNDATAHEADER) + rects.size() * sizeof(RECT));
    auto* header = reinterpret_cast<RGNDATAHEADER*>(data.data());
    header->dwSize = sizeof(RGNDATAHEADER);
    header->iType = RDH_RECTANGLES;
    header->nCount = static_cast<DWORD>(rects.size());
    header->nRgnSize = static_cast<DWORD>(rects.size() * sizeof(RECT));
    header->rcBound = bounds;
    if (!rects.empty())
        std::memcpy(data.data() + sizeof(RGNDATAHEADER), rects.data(), rects.size() * sizeof(RECT));
    return UniqueGdiObject<HRGN>(
        ::ExtCreateRegion(nullptr, static_cast<DWORD>(data.size()), reinterpret_cast<const RGNDATA*>(data.data())));
}

}  // namespace

BEGIN_MESSAGE_MAP(CShapedWnd, CWnd)
    ON_WM_PAINT()
    ON_WM_ERASEBKGND()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

BOOL CShapedWnd::Create(const char* title, const RECT& rect, UINT maskId, UINT pictureId)
{
    m_pictureId = static_cast<WORD>(pictureId);
    if (!CreateEx(0, AfxRegisterWndClass(0), title, WS_POPUP | WS_SYSMENU, rect, nullptr, 0))
        return FALSE;
    CClientDC dc(this);
    BuildRegion(&dc, maskId);
    return TRUE;
}

// What lies outside the mask, the strips of a window larger than its mask included, is left
// out too: nothing there would ever be painted.
BOOL CShapedWnd::BuildRegion(CDC* dc, UINT maskId)
{
    RECT outer;
    GetWindowRect(&outer);
    CBitmap mask;
    if (!mask.LoadBitmap(maskId))
        return FALSE;
    UniqueGdiObject<HRGN> region = RegionFromMask(*dc, mask, SIZE{outer.right - outer.left, outer.bottom - outer.top});
    if (!region || !::SetWindowRgn(m_hWnd, region.get(), TRUE))
        return FALSE;
    region.release();   // the window owns it now
    return TRUE;
}

UniqueGdiObject<HRGN> CShapedWnd::RegionFromMask(CDC& dc, HBITMAP mask, SIZE window)
{
    BITMAP info = {};
    if (!mask || !::GetObjectA(mask, sizeof(info), &info))
        return UniqueGdiObject<HRGN>();
    const std::vector<DWORD> pixels = MaskPixels(dc, mask, SIZE{info.bmWidth, info.bmHeight});
    if (pixels.empty())
        return UniqueGdiObject<HRGN>();
    const LONG width = std::min(window.cx, info.bmWidth);
    const LONG height = std::min(window.cy, info.bmHeight);

    // Rows with the same runs as the row above only make that band of rectangles taller.
    std::vector<RECT> rects;
    std::vector<LONG> bandRuns;
    size_t bandStart = 0;
    for (LONG y = 0; y < height; ++y) {
        std::vector<LONG> runs = InsideRuns(&pixels[static_cast<size_t>(y) * static_cast<size_t>(info.bmWidth)], width);
        if (y > 0 && runs == bandRuns) {
            for (size_t i = bandStart; i < rects.size(); ++i)
                rects[i].bottom = y + 1;
            continue;
        }
        bandStart = rects.size();
        for (size_t i = 0; i < runs.size(); i += 2)
            rects.push_back(RECT{runs[i], y, runs[i + 1], y + 1});
        bandRuns = std::move(runs);
    }
    return RegionOfRectangles(rects, RECT{0, 0, std::max(width, 0L), std::max(height, 0L)});
}

void CShapedWnd::OnPaint()
{
    CPaintDC paint(this);
}

BOOL CShapedWnd::OnEraseBkgnd(CDC* dc)
{
    CBitmap picture;
    picture.LoadBitmap(m_pictureId);
    RECT outer;
    GetWindowRect(&outer);
    CDC memory;
    memory.CreateCompatibleDC(dc);
    const ScopedSelect selection(memory, picture);
    dc->BitBlt(0, 0, outer.right - outer.left, outer.bottom - outer.top, &memory, 0, 0, SRCCOPY);
    return TRUE;
}

// A press anywhere on the picture starts a move of the window, as on a caption.
void CShapedWnd::OnLButtonDown(UINT flags, POINT point)
{
    CWnd::OnLButtonDown(flags, point);
    ::ClientToScreen(m_hWnd, &point);
    PostMessage(WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
}
