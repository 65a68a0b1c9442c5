#include "pin/Pins.h"

#include <memory>
#include <utility>
#include <vector>

#include "pin/PinWindow.h"
#include "ui/Clipboard.h"

namespace Vorlune {

namespace {
struct OpenPins {
    std::vector<std::unique_ptr<PinWindow>> windows;
    std::function<void()> afterLast;
};

OpenPins& Pins() {
    static OpenPins pins;
    return pins;
}

void Forget(PinWindow& closed) {
    OpenPins& pins = Pins();
    std::erase_if(pins.windows, [&](const std::unique_ptr<PinWindow>& pin) { return pin.get() == &closed; });
    if (!pins.windows.empty()) return;
    if (auto then = std::exchange(pins.afterLast, nullptr)) AfterClipboardPuts(std::move(then));
}
}  // namespace

void ShowPin(CapturedImage image, POINT topLeft) {
    Pins().windows.push_back(std::make_unique<PinWindow>(std::move(image), topLeft, Forget));
}

void AfterLastPin(std::function<void()> then) {
    if (!Pins().windows.empty())
        Pins().afterLast = std::move(then);
    else
        AfterClipboardPuts(std::move(then));
}

}  // namespace Vorlune
