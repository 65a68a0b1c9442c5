#pragma once
#include <windows.h>

#include <span>
#include <vector>

#include "core/TextId.h"
#include "settings_dialog/DialogServices.h"
#include "ui/MessageMap.h"

namespace Vorlune {

// A page of the settings dialog: a modeless child dialog right of the tree.
class Settings {
public:
    virtual void Show() = 0;
    virtual void Hide() = 0;
    virtual bool Validate() = 0;
    virtual void Save() = 0;
    virtual HWND Create(HWND parent) = 0;
    virtual TextId GetTreeTextId() const = 0;
    virtual ~Settings() = default;
};

// The lists of a page that show a stand-in entry because the stored value is none of theirs.
// OK keeps the stored value of such a list unless the user picked an entry since the page
// was loaded: a value the page cannot show is not the user's choice of the first entry.
class StandIns {
public:
    void Clear() { lists_.clear(); }
    void Add(HWND list) { lists_.push_back(list); }
    // A WM_COMMAND of the page: a pick in a list ends its stand-in.
    void OnCommand(WPARAM command, LPARAM control);
    bool Holds(HWND list) const;

private:
    std::vector<HWND> lists_;
};

class SettingsBase : public Settings {
public:
    void Show() override;
    void Hide() override;
    bool Validate() override { return true; }
    void Save() override {}
    TextId GetTreeTextId() const override { return treeTextId_; }

    // From the page's corner to the far edges of its shown controls, in its own font and scale.
    SIZE NeededSize() const;
    // Puts the page's dialog on area, in the settings dialog's client coordinates.
    void Fit(const RECT& area) const;

protected:
    SettingsBase(TextId treeTextId, const RECT& pageRect, const DialogServices& services)
        : services_(services), treeTextId_(treeTextId), pageRect_(pageRect) {}

    // Takes the page's dialog and puts it in its place; the start of every page's WM_INITDIALOG.
    void Place(HWND dialog);
    HWND Item(int id) const { return GetDlgItem(dialog_, id); }
    void SetItemText(int id, TextId text) const;

    const DialogServices& services_;  // of the current opening
    HWND dialog_ = nullptr;
    StandIns standIns_;  // of the current opening

private:
    TextId treeTextId_;
    RECT pageRect_;
};

void ReportSettingsError(const std::exception& error);

// The page class Page with its own message map and dialog slot, created from resource.
template <class Page, int Resource>
class PageOf : public SettingsBase {
public:
    HWND Create(HWND parent) override {
        return CreateDialogParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(Resource), parent, &Procedure, 0);
    }

protected:
    PageOf(TextId treeTextId, const RECT& pageRect, const DialogServices& services)
        : SettingsBase(treeTextId, pageRect, services) {
        Map().AddHandler(WM_INITDIALOG, [this](WPARAM, LPARAM) {
            standIns_.Clear();
            Place(Slot());
            Load();
        });
        Map().AddHandler(WM_COMMAND, [this](WPARAM command, LPARAM control) {
            standIns_.OnCommand(command, control);
            OnCommand(command, control);
        });
    }
    virtual void Load() = 0;
    virtual void OnCommand(WPARAM, LPARAM) {}
    static MessageMap& Map() { return ClassMessageMap<Page>(); }

private:
    static HWND& Slot() {
        static HWND slot = nullptr;
        return slot;
    }
    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        return ServeDialogMessage(Map(), Slot(), hwnd, message, wParam, lParam, ReportSettingsError);
    }
};

// Check boxes are ticked exactly for a stored 1, and store 1 for anything not clear.
void LoadCheckBox(HWND box, int stored);
int CheckBoxValue(HWND box);

// A drop-down list of texts whose entry i stands for the stored value i: a stored value
// without an entry shows the first, and false is returned.
bool LoadTextList(HWND list, std::span<const TextId> entries, int stored);

}  // namespace Vorlune
