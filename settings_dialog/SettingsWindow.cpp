#include "settings_dialog/SettingsWindow.h"

#include <commctrl.h>

#include <memory>
#include <vector>

#include "Capture/Viewer.h"
#include "app/AppContext.h"
#include "core/PageRoom.h"
#include "resources/resource.h"
#include "settings/SettingsStore.h"
#include "settings_dialog/CaptureSettings.h"
#include "settings_dialog/GeneralSettings.h"
#include "settings_dialog/Pickers.h"
#include "settings_dialog/SimplePages.h"
#include "ui/Geometry.h"

namespace Vorlune {

namespace {

constexpr int kMaxFurtherItems = 10;

HWND& DialogSlot() {
    static HWND slot = nullptr;
    return slot;
}

// The dialog with its tree and pages, built once and alive until exit, so the handlers its
// message maps bound at the first opening always reach a live object.
class SettingsDialog {
public:
    static SettingsDialog& Instance() {
        static SettingsDialog dialog;
        return dialog;
    }

    void Run(HWND owner, const DialogServices& services, const std::function<void()>& onClosing) {
        owner_ = owner;
        services_ = services;
        onClosing_ = onClosing;
        failed_ = false;
        DialogBoxParamW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDD_SETTINGS), nullptr, &Procedure, 0);
    }

    void Fail(const std::exception& error) {
        if (failed_) return;  // the first error ends the dialog; what follows is its echo
        failed_ = true;
        MessageBoxA(DialogSlot(), error.what(), App().GetTitleNarrow().c_str(), MB_ICONEXCLAMATION);
        End(2);
    }

private:
    SettingsDialog() {
        MessageMap& map = ClassMessageMap<SettingsDialog>();
        map.AddHandler(WM_INITDIALOG, this, &SettingsDialog::OnInitDialog);
        map.AddHandler(WM_COMMAND, this, &SettingsDialog::OnCommand);
        map.AddHandler(WM_NOTIFY, this, &SettingsDialog::OnNotify);
    }

    static INT_PTR CALLBACK Procedure(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
        return ServeDialogMessage(ClassMessageMap<SettingsDialog>(), DialogSlot(), hwnd, message, wParam, lParam,
                                  ReportSettingsError);
    }

    HWND Dialog() const { return DialogSlot(); }

    // The window that opened the dialog is back, and active, before the dialog hides: else the
    // system hands the activation to the program below, which then raised itself above that
    // window as it came back (seen under Wine with another program's window below the toolbar).
    void End(INT_PTR result) const {
        if (onClosing_) onClosing_();
        if (owner_ != nullptr) {
            ShowWindow(owner_, SW_SHOW);
            SetForegroundWindow(owner_);
        }
        EndDialog(Dialog(), result);
    }

    void Place() {
        RECT work = {}, owner = {}, dialog = {};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
        GetWindowRect(owner_, &owner);
        GetWindowRect(Dialog(), &dialog);
        const int w = dialog.right - dialog.left, h = dialog.bottom - dialog.top;
        int x = owner.left - (owner.right - owner.left) / 2 - w / 4;
        int y = owner.top - (owner.bottom - owner.top) / 2 - h / 4;
        if (x < 0) x = 0;
        if (y < 0) y = 0;
        if (x + w > work.right) x = work.right - w;
        if (y + h > work.bottom) y = work.bottom - h;
        MoveWindow(Dialog(), x, y, w, h, FALSE);
    }

    HTREEITEM Insert(HTREEITEM parent, TextId text) {
        std::wstring name = App().GetText(text);
        TVINSERTSTRUCTW insert = {};
        insert.hParent = parent;
        insert.hInsertAfter = TVI_LAST;
        insert.item.mask = TVIF_TEXT;
        insert.item.pszText = name.data();
        return reinterpret_cast<HTREEITEM>(SendMessageW(tree_, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
    }

    HTREEITEM Next(HTREEITEM item, UINT relation) const {
        return reinterpret_cast<HTREEITEM>(
            SendMessageW(tree_, TVM_GETNEXTITEM, relation, reinterpret_cast<LPARAM>(item)));
    }

    void BuildPages() {
        RECT client = {}, tree = {};
        GetClientRect(Dialog(), &client);
        GetClientRect(tree_, &tree);
        pageArea_ = {tree.right + 4, tree.top + 12, client.right - 2, tree.bottom + 40};
        pages_.push_back(std::make_unique<GeneralSettings>(pageArea_, services_));
        pages_.push_back(std::make_unique<AppSettings>(pageArea_, services_));
        pages_.push_back(std::make_unique<CaptureSettings>(pageArea_, services_));
        pages_.push_back(std::make_unique<RectangleCaptureSettings>(pageArea_, services_));
        pages_.push_back(std::make_unique<WindowCaptureSettings>(pageArea_, services_));
        pages_.push_back(std::make_unique<HiddenWindowCaptureSettings>(pageArea_, services_));
        pages_.push_back(std::make_unique<DesktopCaptureSettings>(pageArea_, services_));
    }

    void Shift(int id, int dx, int dy) const {
        HWND item = GetDlgItem(Dialog(), id);
        RECT at = {};
        GetWindowRect(item, &at);
        MapWindowPoints(nullptr, Dialog(), reinterpret_cast<POINT*>(&at), 2);
        SetWindowPos(item, nullptr, at.left + dx, at.top + dy, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }

    // The pages' face and scale need not be the tree's: where the largest page needs more than
    // the page area, the dialog grows by the difference and its edge buttons move with the edges.
    void MakeRoomForPages() {
        std::vector<Size> needed;
        for (const auto& page : pages_) needed.push_back(ToCore(page->NeededSize()));
        const Size grow = RoomToGrow(ToCore(pageArea_), needed);
        if (grow.cx == 0 && grow.cy == 0) return;
        RECT frame = {};
        GetWindowRect(Dialog(), &frame);
        SetWindowPos(Dialog(), nullptr, 0, 0, frame.right - frame.left + grow.cx, frame.bottom - frame.top + grow.cy,
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        Shift(IDC_SETTINGS_OK, grow.cx, grow.cy);
        Shift(IDC_SETTINGS_CANCEL, grow.cx, grow.cy);
        Shift(IDC_SETTINGS_DEFAULTS, 0, grow.cy);
        const RECT area = {pageArea_.left, pageArea_.top, pageArea_.right + grow.cx, pageArea_.bottom + grow.cy};
        for (const auto& page : pages_) page->Fit(area);
    }

    void OnInitDialog() {
        INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_TREEVIEW_CLASSES | ICC_USEREX_CLASSES | ICC_HOTKEY_CLASS};
        InitCommonControlsEx(&controls);
        tree_ = GetDlgItem(Dialog(), IDC_SETTINGS_TREE);
        const HTREEITEM general = Insert(TVI_ROOT, TextGeneralPage);
        Insert(general, TextAppPage);
        const HTREEITEM capture = Insert(TVI_ROOT, TextCapturePage);
        for (TextId child : {TextRectanglePage, TextWindowPage, TextHiddenWindowPage, TextDesktopPage})
            Insert(capture, child);
        const HTREEITEM root = Next(nullptr, TVGN_ROOT);
        SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(root));
        SendMessageW(tree_, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(Next(root, TVGN_NEXT)));
        SetWindowTextW(Dialog(), (App().title + L" - " + App().GetText(TextSettingsCaption)).c_str());
        if (pages_.empty()) BuildPages();
        for (const auto& page : pages_) page->Create(Dialog());
        MakeRoomForPages();
        Place();  // with the size the pages made
        SetDlgItemTextW(Dialog(), IDC_SETTINGS_LIST_LABEL, App().GetText(TextSettingsList).c_str());
        SetDlgItemTextW(Dialog(), IDC_SETTINGS_DEFAULTS, App().GetText(TextInitialization).c_str());
        SetDlgItemTextW(Dialog(), IDC_SETTINGS_CANCEL, App().GetText(TextCancel).c_str());
        const std::wstring remembered = Store().GetString(KeyTreeViewSelectedItemString);
        HTREEITEM item = root;
        bool found = SelectTreeItemIfText(tree_, item, remembered);
        // The walk ends with the last item: past it there is no item to compare.
        for (int more = 0; !found && more < kMaxFurtherItems; ++more) {
            item = Next(item, TVGN_NEXTVISIBLE);
            if (item == nullptr) break;
            found = SelectTreeItemIfText(tree_, item, remembered);
        }
        if (!found) SendMessageW(tree_, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(root));
        SelectPageByText(remembered);
    }

    void SelectPageByText(const std::wstring& text) {
        for (int id = TextGeneralPage; id <= TextDesktopPage; ++id) {
            if (wcsncmp(App().GetText(static_cast<TextId>(id)).c_str(), text.c_str(), 3) != 0) continue;
            for (const auto& page : pages_) {
                if (page->GetTreeTextId() == id)
                    page->Show();
                else
                    page->Hide();
            }
            return;
        }
        pages_.front()->Show();
    }

    std::wstring SelectedText() const { return GetTreeItemText(tree_, Next(nullptr, TVGN_CARET)); }

    void OnNotify(WPARAM, LPARAM header) {
        const auto* notice = reinterpret_cast<const NMHDR*>(header);
        if (notice->idFrom == IDC_SETTINGS_TREE && notice->code == TVN_SELCHANGEDW) SelectPageByText(SelectedText());
    }

    void OnCommand(WPARAM command, LPARAM) {
        switch (LOWORD(command)) {
            case IDC_SETTINGS_OK:
            case IDOK:
                for (const auto& page : pages_)
                    if (!page->Validate()) return;
                try {
                    for (const auto& page : pages_) page->Save();
                } catch (const std::exception& error) {
                    MessageBoxA(Dialog(), error.what(), App().GetTitleNarrow().c_str(), MB_ICONEXCLAMATION);
                }
                End(1);
                ApplyTopMost();
                break;
            case IDC_SETTINGS_CANCEL:
            case IDCANCEL: End(2); break;
            case IDC_SETTINGS_DEFAULTS:
                if (ResetSettings(Dialog())) {
                    End(2);
                    ApplyTopMost();  // the stored choice is gone with the file
                }
                break;
            default: break;
        }
        Store().SetString(KeyTreeViewSelectedItemString, SelectedText());
    }

    void ApplyTopMost() const {
        SetWindowPos(owner_, Store().GetInt(SectionSettings, KeyAppTopMost) == 1 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0,
                     0, 0, SWP_NOSIZE | SWP_NOMOVE);
    }

    HWND owner_ = nullptr;
    HWND tree_ = nullptr;
    RECT pageArea_ = {};  // as the dialog's template makes it
    bool failed_ = false;
    DialogServices services_;
    std::function<void()> onClosing_;
    std::vector<std::unique_ptr<SettingsBase>> pages_;  // in tree order
};

}  // namespace

void ReportSettingsError(const std::exception& error) { SettingsDialog::Instance().Fail(error); }

DialogServices ShellDialogServices() {
    return {BrowseForPath, [](HWND owner, const std::wstring& target) { return LaunchViewer(owner, target, L""); }};
}

SettingsWindow::SettingsWindow(HWND owner, DialogServices services, std::function<void()> onClosing)
    : owner_(owner), services_(std::move(services)), onClosing_(std::move(onClosing)) {
    SettingsDialog::Instance();
}

void SettingsWindow::Act(std::function<void()> onFinished) {
    SettingsDialog::Instance().Run(owner_, services_, onClosing_);
    if (onFinished) onFinished();
}

}  // namespace Vorlune
