#pragma once
#include <initializer_list>
#include <vector>

#include "resources/resource.h"
#include "settings/SettingsStore.h"
#include "settings_dialog/HotKeyFields.h"
#include "settings_dialog/SettingsPage.h"

namespace Vorlune {

// What a page without its own logic shows: labels, check boxes and fixed lists of values.
struct PageLabel {
    int control;
    TextId text;
};
struct PageCheckBox {
    int control;
    SettingKey key;
};
struct PageChoice {
    int control;
    SettingKey key;
    std::vector<const wchar_t*> entries;  // a stored value not among them shows the first
};
struct PageList {
    int control;
    SettingKey key;
    std::vector<TextId> entries;  // entry i stands for the stored value i
};
struct PageLayout {
    std::vector<PageLabel> labels;
    std::vector<PageCheckBox> checkBoxes;
    std::vector<PageChoice> choices;
    std::vector<PageList> lists = {};
};

// Loads and saves its layout, check boxes before lists.
template <class Page, int Resource>
class SimplePage : public PageOf<Page, Resource> {
public:
    void Save() override;

protected:
    SimplePage(TextId treeTextId, const RECT& pageRect, const DialogServices& services, PageLayout layout)
        : PageOf<Page, Resource>(treeTextId, pageRect, services), layout_(std::move(layout)) {}
    void Load() override;

private:
    PageLayout layout_;
};

// Lists that show a stand-in for their stored value go to standIns, and keep that value.
void LoadLayout(HWND dialog, const PageLayout& layout, StandIns& standIns);
void SaveLayout(HWND dialog, const PageLayout& layout, const StandIns& standIns);

template <class Page, int Resource>
void SimplePage<Page, Resource>::Load() {
    LoadLayout(this->dialog_, layout_, this->standIns_);
}

template <class Page, int Resource>
void SimplePage<Page, Resource>::Save() {
    SaveLayout(this->dialog_, layout_, this->standIns_);
}

class AppSettings : public SimplePage<AppSettings, IDD_PAGE_APP> {
public:
    AppSettings(const RECT& pageRect, const DialogServices& services);
    void Save() override;

protected:
    void Load() override;
    void OnCommand(WPARAM command, LPARAM) override { hotKeys_.OnCommand(command); }

private:
    HotKeyFields hotKeys_;
};

class RectangleCaptureSettings : public SimplePage<RectangleCaptureSettings, IDD_PAGE_RECTANGLE> {
public:
    RectangleCaptureSettings(const RECT& pageRect, const DialogServices& services);
};

class WindowCaptureSettings : public SimplePage<WindowCaptureSettings, IDD_PAGE_WINDOW> {
public:
    WindowCaptureSettings(const RECT& pageRect, const DialogServices& services);
};

class HiddenWindowCaptureSettings : public SimplePage<HiddenWindowCaptureSettings, IDD_PAGE_HIDDEN_WINDOW> {
public:
    HiddenWindowCaptureSettings(const RECT& pageRect, const DialogServices& services);
};

class DesktopCaptureSettings : public SimplePage<DesktopCaptureSettings, IDD_PAGE_DESKTOP> {
public:
    DesktopCaptureSettings(const RECT& pageRect, const DialogServices& services);
};

}  // namespace Vorlune
