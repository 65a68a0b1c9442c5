#pragma once
#include <windows.h>
#include <commctrl.h>

#include "resources/resource.h"
#include "settings_dialog/SettingsPage.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

// Viewer, image folder, clean-up, clipboard mode, auxiliary line colour and the height limit
// of a scrolling capture.
class CaptureSettings : public PageOf<CaptureSettings, IDD_PAGE_CAPTURE> {
public:
    CaptureSettings(const RECT& pageRect, const DialogServices& services);

    bool Validate() override;
    void Save() override;

protected:
    void Load() override;
    void OnCommand(WPARAM command, LPARAM) override;

private:
    void Browse(HWND field, UINT flags, TextId caption, TextId instruction);
    void BuildColorList();

    HWND viewer_ = nullptr;
    HWND folder_ = nullptr;
    HWND deleteImages_ = nullptr;
    HWND clipboard_ = nullptr;
    HWND colours_ = nullptr;
    HWND maxHeight_ = nullptr;
    OwnedImageList swatches_;  // loaded at the first opening, kept for the later ones
};

}  // namespace Vorlune
