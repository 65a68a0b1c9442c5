#include "settings_dialog/CaptureSettings.h"

#include <shlobj.h>

#include <string>

#include "app/AppContext.h"
#include "resources/resource.h"
#include "core/ClipBoardMode.h"
#include "core/ScrollMaxHeight.h"
#include "settings/ImageFolder.h"
#include "settings/SettingsStore.h"
#include "settings_dialog/Pickers.h"

namespace Vorlune {

namespace {

// As many characters as the settings store reads back.
constexpr WPARAM kPathLimit = 998;
constexpr int kColourCount = 16;
constexpr int kDefaultColour = 9;

// Entry i stands for ClipBoard value i.
constexpr TextId kClipboardEntries[] = {TextClipboardCopy, TextClipboardNone, TextClipboardOnly};
static_assert(ClipBoardCopyAndView == 0 && ClipBoardViewOnly == 1 && ClipBoardCopyOnly == 2);

}  // namespace

CaptureSettings::CaptureSettings(const RECT& pageRect, const DialogServices& services)
    : PageOf(TextCapturePage, pageRect, services) {}

void CaptureSettings::Load() {
    SetItemText(IDC_VIEWER_GROUP, TextViewerLabel);
    SetItemText(IDC_SAVE_FOLDER_GROUP, TextSaveFolderLabel);
    SetItemText(IDC_DELETE_IMAGES, TextDeleteImages);
    SetItemText(IDC_CLIPBOARD_GROUP, TextClipboardLabel);
    SetItemText(IDC_LINE_COLOUR_GROUP, TextAuxiliaryLineColour);
    SetItemText(IDC_SCROLL_MAX_HEIGHT_GROUP, TextScrollMaxHeightLabel);
    clipboard_ = Item(IDC_CLIPBOARD);
    if (!LoadTextList(clipboard_, kClipboardEntries, Store().GetInt(SectionSettings, KeyClipBoard)))
        standIns_.Add(clipboard_);
    viewer_ = Item(IDC_VIEWER);
    folder_ = Item(IDC_SAVE_FOLDER);
    deleteImages_ = Item(IDC_DELETE_IMAGES);
    for (HWND field : {viewer_, folder_}) SendMessageW(field, EM_SETLIMITTEXT, kPathLimit, 0);
    SetWindowTextW(viewer_, Store().GetString(KeyViewer).c_str());
    SetWindowTextW(folder_, GetSaveFolder().c_str());
    LoadCheckBox(deleteImages_, Store().GetInt(SectionSettings, KeyDeleteImage));
    maxHeight_ = Item(IDC_SCROLL_MAX_HEIGHT);
    SetWindowTextW(maxHeight_, std::to_wstring(ParseScrollMaxHeight(Store().GetString(KeyScrollMaxHeight))).c_str());
    BuildColorList();
}

void CaptureSettings::BuildColorList() {
    HWND placeholder = Item(IDC_LINE_COLOUR);
    RECT place = {};
    GetWindowRect(placeholder, &place);
    POINT corner = {place.left, place.top};
    ScreenToClient(dialog_, &corner);
    ShowWindow(placeholder, SW_HIDE);
    colours_ =
        CreateWindowExW(0, L"ComboBoxEx32", L"", WS_CHILD | WS_VISIBLE | WS_TABSTOP | CBS_DROPDOWNLIST, corner.x,
                        corner.y, place.right - place.left, 600, dialog_, nullptr, GetModuleHandleW(nullptr), nullptr);
    if (colours_ == nullptr) return;
    if (!swatches_)
        swatches_.reset(ImageList_LoadImageW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDB_SWATCHES), 16, 15,
                                             0xFFFFFF, IMAGE_BITMAP, 0));
    SendMessageW(colours_, CBEM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(swatches_.get()));
    for (int i = 0; i < kColourCount; ++i) {
        std::wstring name = App().GetText(ColourNameText(i));
        COMBOBOXEXITEMW item = {};
        item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_INDENT;
        item.iItem = i;
        item.pszText = name.data();
        item.iImage = item.iSelectedImage = i;
        SendMessageW(colours_, CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
    }
    if (SendMessageW(colours_, CB_SETCURSEL, Store().GetInt(SectionSettings, KeyAuxiliaryLineColor), 0) == CB_ERR) {
        SendMessageW(colours_, CB_SETCURSEL, kDefaultColour, 0);
        standIns_.Add(colours_);
    }
}

void CaptureSettings::OnCommand(WPARAM command, LPARAM) {
    switch (LOWORD(command)) {
        case IDC_VIEWER_BROWSE:
            Browse(viewer_, BIF_RETURNONLYFSDIRS | BIF_BROWSEINCLUDEFILES, TextBrowseFile, TextBrowseFilePrompt);
            break;
        case IDC_SAVE_FOLDER_BROWSE:
            Browse(folder_, BIF_RETURNONLYFSDIRS, TextBrowseFolder, TextBrowseFolderPrompt);
            break;
        default: break;
    }
}

void CaptureSettings::Browse(HWND field, UINT flags, TextId caption, TextId instruction) {
    const std::wstring chosen = services_.browse(flags, dialog_, GetWindowTextString(field), App().GetText(caption),
                                                 App().GetText(instruction));
    if (!chosen.empty()) SetWindowTextW(field, chosen.c_str());
}

bool CaptureSettings::Validate() {
    if (GetWindowTextLengthW(viewer_) == 0) {
        ShowSettingsMessage(dialog_, App().GetText(TextViewerMissing));
        SetFocus(viewer_);
        return false;
    }
    if (GetWindowTextLengthW(folder_) == 0) {
        ShowSettingsMessage(dialog_, App().GetText(TextSaveFolderMissing));
        return false;
    }
    if (!TypedScrollMaxHeight(GetWindowTextString(maxHeight_))) {
        ShowSettingsMessage(dialog_, App().GetText(TextScrollMaxHeightRange));
        SetFocus(maxHeight_);
        return false;
    }
    return true;
}

void CaptureSettings::Save() {
    Store().SetString(KeyViewer, GetWindowTextString(viewer_));
    Store().SetString(KeySaveFolder, GetWindowTextString(folder_));
    Store().SetInt(SectionSettings, KeyDeleteImage, CheckBoxValue(deleteImages_));
    Store().SetString(KeyScrollMaxHeight, GetWindowTextString(maxHeight_));
    if (!standIns_.Holds(clipboard_))
        Store().SetInt(SectionSettings, KeyClipBoard, static_cast<int>(SendMessageW(clipboard_, CB_GETCURSEL, 0, 0)));
    // Without a colour list there is no choice to store: the stored colour stays.
    const LRESULT colour =
        colours_ != nullptr && !standIns_.Holds(colours_) ? SendMessageW(colours_, CB_GETCURSEL, 0, 0) : CB_ERR;
    if (colour != CB_ERR) Store().SetInt(SectionSettings, KeyAuxiliaryLineColor, static_cast<int>(colour));
}

}  // namespace Vorlune
