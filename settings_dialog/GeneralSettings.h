#pragma once
#include "resources/resource.h"
#include "settings_dialog/SettingsPage.h"

namespace Vorlune {

// Version, legal notice and the web page link.
class GeneralSettings : public PageOf<GeneralSettings, IDD_PAGE_GENERAL> {
public:
    GeneralSettings(const RECT& pageRect, const DialogServices& services);

protected:
    void Load() override;

private:
    bool OverLink(LPARAM point) const;
    void OnMouseMove(WPARAM, LPARAM point);
    void OnLButtonUp(WPARAM, LPARAM point);
    INT_PTR OnCtlColorStatic(WPARAM dc, LPARAM control);

    HWND link_ = nullptr;
};

}  // namespace Vorlune
