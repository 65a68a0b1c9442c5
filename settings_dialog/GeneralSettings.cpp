#include "settings_dialog/GeneralSettings.h"

#include <windowsx.h>

#include "app/AppContext.h"
#include "resources/resource.h"
#include "settings_dialog/Pickers.h"

namespace Vorlune {

GeneralSettings::GeneralSettings(const RECT& pageRect, const DialogServices& services)
    : PageOf(TextGeneralPage, pageRect, services) {
    Map().AddHandler(WM_MOUSEMOVE, this, &GeneralSettings::OnMouseMove);
    Map().AddHandler(WM_LBUTTONUP, this, &GeneralSettings::OnLButtonUp);
    Map().AddResultHandler(WM_CTLCOLORSTATIC, this, &GeneralSettings::OnCtlColorStatic);
}

void GeneralSettings::Load() {
    SetWindowTextW(Item(IDC_VERSION), (App().title + App().GetText(TextVersion)).c_str());
    SetItemText(IDC_LEGAL_NOTICE, TextLegalNotice);
    SetItemText(IDC_WEB_PAGE, TextWebPage);
    link_ = Item(IDC_WEB_PAGE);
}

bool GeneralSettings::OverLink(LPARAM point) const {
    POINT screen = {GET_X_LPARAM(point), GET_Y_LPARAM(point)};
    ClientToScreen(dialog_, &screen);
    RECT link = {};
    GetWindowRect(link_, &link);
    return PtInRect(&link, screen) != FALSE;
}

void GeneralSettings::OnMouseMove(WPARAM, LPARAM point) {
    if (OverLink(point)) SetCursor(LoadCursorW(nullptr, IDC_HAND));
}

void GeneralSettings::OnLButtonUp(WPARAM, LPARAM point) {
    if (!OverLink(point)) return;
    if (!services_.launch(dialog_, GetWindowTextString(link_)))
        ShowSettingsMessage(dialog_, App().GetText(TextBrowserFailed));
}

INT_PTR GeneralSettings::OnCtlColorStatic(WPARAM dc, LPARAM control) {
    if (reinterpret_cast<HWND>(control) != link_ || link_ == nullptr) return 0;
    SetBkMode(reinterpret_cast<HDC>(dc), TRANSPARENT);
    SetTextColor(reinterpret_cast<HDC>(dc), 0xFF0000);
    return reinterpret_cast<INT_PTR>(GetStockObject(NULL_BRUSH));
}

}  // namespace Vorlune
