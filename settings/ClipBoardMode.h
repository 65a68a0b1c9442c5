#pragma once

namespace Vorlune {

// Values of the ClipBoard setting; any other value is taken as ClipBoardCopyAndView.
enum ClipBoardMode {
    ClipBoardCopyAndView = 0,
    ClipBoardViewOnly = 1,
    ClipBoardCopyOnly = 2,  // no viewer
    ClipBoardCopyText = 3,  // the window modes then put their description text there
};

}  // namespace Vorlune
