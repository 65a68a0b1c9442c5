#include "draw/MouseToolTip.h"

#include "app/AppContext.h"
#include "draw/ToolTipBox.h"
#include "core/ClipBoardMode.h"
#include "settings/SettingsStore.h"
#include "ui/Clipboard.h"
#include "ui/Dpi.h"
#include "ui/VirtualScreen.h"

namespace Vorlune {

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

RECT DrawMouseToolTip(HDC dc, const RECT& screenBounds, POINT point, const std::wstring& text) {
    const POINT screen = {point.x + screenBounds.left, point.y + screenBounds.top};
    RECT work = WorkAreaAt(screen);
    OffsetRect(&work, -screenBounds.left, -screenBounds.top);
    const int dpi = DpiAt(screen);
    const SIZE cursor = {GetSystemMetrics(SM_CXCURSOR), GetSystemMetrics(SM_CYCURSOR)};
    const RECT box = PlaceMouseToolTip(point, MeasureToolTipText(dc, text, dpi), cursor, work);
    PaintToolTipBox(dc, box, text, dpi);
    return {box.left, box.top, box.right + 1, box.bottom + 1};  // the frame takes right and bottom
}

void CopyMouseToolTipText(HWND owner, const std::wstring& text) {
    if (ClipBoardModeOf(Store().GetInt(SectionSettings, KeyClipBoard)) == ClipBoardCopyText)
        PutTextOnClipboard(owner, text);
}

}  // namespace Vorlune
