#pragma once

namespace Vorlune {

// Values of the ClipBoard setting.
enum ClipBoardMode {
    ClipBoardCopyAndView = 0,
    ClipBoardViewOnly = 1,
    ClipBoardCopyOnly = 2,  // no viewer
    ClipBoardCopyText = 3,  // the window modes then put their description text there
};

// Any other stored value is taken as ClipBoardCopyAndView, as the settings page shows it.
constexpr ClipBoardMode ClipBoardModeOf(int stored) {
    return stored >= ClipBoardCopyAndView && stored <= ClipBoardCopyText ? static_cast<ClipBoardMode>(stored)
                                                                         : ClipBoardCopyAndView;
}

}  // namespace Vorlune
