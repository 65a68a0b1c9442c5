#pragma once
#include <windows.h>

#include <string>

#include "Capture/CaptureBase.h"
#include "Capture/DirtyRegion.h"
#include "Capture/DwmQueries.h"
#include "Capture/WindowList.h"
#include "settings/SettingsStore.h"

namespace Vorlune {

enum class WindowScope { TopLevel, All };

// What the four window modes share: the window list taken when a capture starts, the
// outline of the picked window with the cursor circle and the description box, redrawn on
// every move where they changed, and the output of the picked area.
class WindowPickCapture : public CaptureBase {
protected:
    // toolTipSetting: the switch of the description box.
    WindowPickCapture(HWND owner, std::wstring className, WindowScope scope, SettingKey toolTipSetting,
                      const DwmQueries& dwm);

    // The snapshot and the list.
    void Prepare() override;
    // Picks at the real cursor, so Enter before any move picks what lies under it.
    void Start() override;
    void OnMouseMove(POINT point) override;
    void OnLButtonUp(POINT point) override;
    bool OnKeyDown(WPARAM key) override;
    // The next capture picks afresh: nothing of this one's pick, list or pictures stays.
    void OnCaptureEnded() override;

    // Sets hitWindow and highlight for a point.
    virtual void Pick(POINT point) = 0;
    // The picture pasted over the frozen screen for the pick; none in the plain window modes.
    virtual const WindowImage* Picture() const { return nullptr; }
    // Escape's first step: the marks go and the capture goes on; false when nothing was held.
    bool DropHold();
    bool CollectsAll() const { return scope_ == WindowScope::All; }
    RECT ClampToSnapshot(const RECT& rect) const;

    WindowList windowList;
    HWND hitWindow = nullptr;
    RECT highlight = {};
    POINT lastPoint = {};

private:
    void Draw();
    void FinishPick();

    // Read once a capture, as the rectangle modes do: a read of the file costs more than a frame.
    struct Marks {
        COLORREF colour = 0;
        bool cursor = false;
        bool toolTip = false;
    };
    WindowScope scope_;
    SettingKey toolTipSetting_;
    Marks marks_;
    DirtyRegion dirty_;
};

}  // namespace Vorlune
