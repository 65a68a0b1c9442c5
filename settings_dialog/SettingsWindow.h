#pragma once
#include <windows.h>

#include <functional>

#include "Capture/ButtonActor.h"
#include "settings_dialog/DialogServices.h"

namespace Vorlune {

// The settings command: runs the modal settings dialog next to owner (the toolbar).
class SettingsWindow : public ButtonActor {
public:
    // onClosing runs as the dialog ends, before owner comes back on the screen.
    explicit SettingsWindow(HWND owner, DialogServices services = ShellDialogServices(),
                            std::function<void()> onClosing = {});

    // Returns when the dialog has ended; onFinished runs once then, also when the dialog
    // could not be created or ended on an error.
    void Act(std::function<void()> onFinished) override;

private:
    HWND owner_;
    DialogServices services_;
    std::function<void()> onClosing_;
};

}  // namespace Vorlune
