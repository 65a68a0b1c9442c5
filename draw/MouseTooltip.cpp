#include "draw/MouseTooltip.h"

#include "app/AppContext.h"
#include "draw/GdiObjectCache.h"
#include "draw/Primitives.h"
#include "settings/ClipBoardMode.h"
#include "settings/SettingsStore.h"
#include "ui/Clipboard.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

namespace {
constexpr COLORREF kText = 0x000000;
constexpr COLORREF kBackground = 0xE1FFFF;
constexpr COLORREF kFrame = 0x646464;

RECT Offset(RECT rect, LONG dx, LONG dy) {
    OffsetRect(&rect, dx, dy);
    return rect;
}
}  // namespace

std::wstring BuildMouseToolTipText(HWND window, const RECT& rect) {
    wchar_t handle[16] = {};
    const auto low = static_cast<unsigned>(reinterpret_cast<UINT_PTR>(window) & 0xFFFFFFFFu);
    wsprintfW(handle, L"0x%08X", low);
    const AppContext& app = App();
    return L" " + app.GetText(TextHandleLabel) + L"=" + handle + L", " + app.GetText(TextWidthLabel) + L"=" +
           std::to_wstring(rect.right - rect.left) + L", " + app.GetText(TextHeightLabel) + L"=" +
           std::to_wstring(rect.bottom - rect.top) + L" ";
}

RECT PlaceMouseToolTip(POINT point, SIZE textSize, SIZE cursorSize, const RECT& workArea) {
    RECT box = {point.x + cursorSize.cx / 2, point.y + cursorSize.cy / 2, 0, 0};
    box.right = box.left + textSize.cx;
    box.bottom = box.top + textSize.cy;
    if (box.bottom >= workArea.bottom) {
        box.top = point.y - cursorSize.cy;
        box.bottom = box.top + textSize.cy;
    }
    if (box.right >= workArea.right) {
        box.left = point.x - textSize.cx - cursorSize.cx;
        box.right = box.left + textSize.cx;
    }
    return box;
}

RECT MouseToolTipWorkArea(const RECT& snapshotBounds, POINT point) {
    const POINT screen = {point.x + snapshotBounds.left, point.y + snapshotBounds.top};
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof monitor;
    RECT work = {};
    if (GetMonitorInfoW(MonitorFromPoint(screen, MONITOR_DEFAULTTONEAREST), &monitor))
        work = monitor.rcWork;
    else
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return Offset(work, -snapshotBounds.left, -snapshotBounds.top);
}

RECT DrawMouseToolTip(HDC dc, const RECT& screenBounds, POINT point, const std::wstring& text) {
    const SelectGuard font(dc, GdiCache().GetFont(0).get());
    SIZE extent = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    const SIZE cursor = {GetSystemMetrics(SM_CXCURSOR), GetSystemMetrics(SM_CYCURSOR)};
    RECT box = PlaceMouseToolTip(point, extent, cursor, MouseToolTipWorkArea(screenBounds, point));
    const COLORREF textColour = SetTextColor(dc, kText);
    const COLORREF background = SetBkColor(dc, kBackground);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &box, DT_VCENTER);
    DrawFrame(dc, box, kFrame);
    SetBkColor(dc, background);
    SetTextColor(dc, textColour);
    return {box.left, box.top, box.right + 1, box.bottom + 1};  // the frame takes right and bottom
}

void CopyMouseToolTipText(HWND owner, const std::wstring& text) {
    if (Settings().GetInt(SectionSettings, KeyClipBoard) == ClipBoardCopyText) PutTextOnClipboard(owner, text);
}

}  // namespace Vorlune
