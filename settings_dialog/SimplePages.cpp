#include "settings_dialog/SimplePages.h"

#include "app/AppContext.h"
#include "core/ImageFormat.h"
#include "settings_dialog/Pickers.h"

namespace Vorlune {

// The image format list's entry i stands for ImageFormat value i.
static_assert(ImageFormatBmp == 0 && ImageFormatPng == 1);

void LoadLayout(HWND dialog, const PageLayout& layout, StandIns& standIns) {
    for (const PageLabel& label : layout.labels)
        SetWindowTextW(GetDlgItem(dialog, label.control), App().GetText(label.text).c_str());
    for (const PageCheckBox& box : layout.checkBoxes)
        LoadCheckBox(GetDlgItem(dialog, box.control), Store().GetInt(SectionSettings, box.key));
    for (const PageChoice& choice : layout.choices) {
        HWND list = GetDlgItem(dialog, choice.control);
        for (const wchar_t* entry : choice.entries)
            SendMessageW(list, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(entry));
        const std::wstring stored = Store().GetString(choice.key);
        const LRESULT found =
            SendMessageW(list, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(stored.c_str()));
        SendMessageW(list, CB_SETCURSEL, found == CB_ERR ? 0 : found, 0);
        if (found == CB_ERR) standIns.Add(list);
    }
    for (const PageList& list : layout.lists) {
        HWND control = GetDlgItem(dialog, list.control);
        if (!LoadTextList(control, list.entries, Store().GetInt(SectionSettings, list.key))) standIns.Add(control);
    }
}

void SaveLayout(HWND dialog, const PageLayout& layout, const StandIns& standIns) {
    for (const PageCheckBox& box : layout.checkBoxes)
        Store().SetInt(SectionSettings, box.key, CheckBoxValue(GetDlgItem(dialog, box.control)));
    for (const PageChoice& choice : layout.choices) {
        HWND list = GetDlgItem(dialog, choice.control);
        if (!standIns.Holds(list)) Store().SetString(choice.key, GetWindowTextString(list));
    }
    for (const PageList& list : layout.lists) {
        HWND control = GetDlgItem(dialog, list.control);
        if (!standIns.Holds(control))
            Store().SetInt(SectionSettings, list.key, static_cast<int>(SendMessageW(control, CB_GETCURSEL, 0, 0)));
    }
}

AppSettings::AppSettings(const RECT& pageRect, const DialogServices& services)
    : SimplePage(TextAppPage, pageRect, services,
                 {{{IDC_KEEP_IN_FRONT, TextKeepInFront},
                   {IDC_BUTTON_TOOLTIP, TextShowButtonToolTip},
                   {IDC_IMAGE_FORMAT_GROUP, TextImageFormat}},
                  {{IDC_KEEP_IN_FRONT, KeyAppTopMost}, {IDC_BUTTON_TOOLTIP, KeyButtonToolTip}},
                  {},
                  {{IDC_IMAGE_FORMAT, KeyImageFormat, {TextImageFormatBmp, TextImageFormatPng}}}}) {}

void AppSettings::Load() {
    SimplePage::Load();
    hotKeys_.Load(dialog_);
}

void AppSettings::Save() {
    SimplePage::Save();
    hotKeys_.Save();
}

RectangleCaptureSettings::RectangleCaptureSettings(const RECT& pageRect, const DialogServices& services)
    : SimplePage(TextRectanglePage, pageRect, services,
                 {{{IDC_LINE_WHILE_DRAGGING, TextAuxiliaryLineWhileDragging}, {IDC_ZOOM_LABEL, TextZoomMagnification}},
                  {{IDC_LINE_WHILE_DRAGGING, KeyAlwaysAuxiliaryLine}},
                  {{IDC_ZOOM, KeyZoomWindowMagnification, {L"3", L"6", L"10"}}}}) {}

WindowCaptureSettings::WindowCaptureSettings(const RECT& pageRect, const DialogServices& services)
    : SimplePage(
          TextWindowPage, pageRect, services,
          {{{IDC_WINDOW_MOUSE_TOOLTIP, TextShowMouseToolTip}}, {{IDC_WINDOW_MOUSE_TOOLTIP, KeyMouseToolTip}}, {}}) {}

HiddenWindowCaptureSettings::HiddenWindowCaptureSettings(const RECT& pageRect, const DialogServices& services)
    : SimplePage(TextHiddenWindowPage, pageRect, services,
                 {{{IDC_HIDDEN_WINDOW_MOUSE_TOOLTIP, TextShowMouseToolTip}},
                  {{IDC_HIDDEN_WINDOW_MOUSE_TOOLTIP, KeyMouseToolTipHidden}},
                  {}}) {}

DesktopCaptureSettings::DesktopCaptureSettings(const RECT& pageRect, const DialogServices& services)
    : SimplePage(TextDesktopPage, pageRect, services,
                 {{{IDC_DELAY_GROUP, TextDelaySettings}, {IDC_DELAY_LABEL, TextDelaySeconds}},
                  {},
                  {{IDC_DELAY, KeyDelaySeconds, {L"1", L"2", L"3", L"5", L"10", L"15"}}}}) {}

}  // namespace Vorlune
