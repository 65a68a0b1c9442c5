#pragma once
#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Capture/CapturedImage.h"
#include "core/DoubleClick.h"

namespace Vorlune {

// What one capture is asked for beyond the settings, as a command line gives it. The default
// is a capture as the toolbar runs it: everything by the settings, failures told in a box.
struct CaptureRequest {
    std::wstring file;  // a full path to write, never replaced; empty: the next name of today's folder
    bool raw = false;  // the PNG's bytes in the result, no file and no viewer
    bool noClipboard = false;
    bool noViewer = false;
    std::optional<bool> cursor;  // nothing: the cursor toggle decides
    std::optional<int> delaySeconds;  // the delayed desktop's countdown; nothing: the setting's
    bool keepImage = false;  // the image written in the result, to be pinned
    bool reportInResult = false;  // failures in the result's text, never in a box
    // The click that started it: a press that would make a double click with it is no pick.
    std::optional<ClickStamp> startingClick;
};

enum class CaptureOutcome { Cancelled, Written, Failed };

struct CaptureResult {
    CaptureOutcome outcome = CaptureOutcome::Cancelled;
    std::wstring report;  // what went wrong, in the current language; may come with Written too
    // What the output step adds to the report: whole only once every clipboard put has its outcome
    // (AfterClipboardPuts), as one that waits for the clipboard ends after the capture.
    std::shared_ptr<const std::wstring> outputReport;
    std::vector<std::uint8_t> png;  // the raw output
    std::unique_ptr<CapturedImage> image;  // when asked to keep it and it was written
    POINT screenPlace = {};  // where the image's top-left pixel was on the screen
};

}  // namespace Vorlune
