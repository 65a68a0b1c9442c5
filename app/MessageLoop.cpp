#include "app/MessageLoop.h"

#include <exception>

#include "app/ConsoleOutput.h"
#include "core/CommandLine.h"
#include "ui/PendingException.h"
#include "ui/TextConversion.h"

namespace Vorlune {

int PumpMessages(HACCEL accelerators, int failed) {
    MSG msg = {};
    BOOL got = 0;
    while ((got = GetMessageW(&msg, nullptr, 0, 0)) > 0) {
        if (accelerators == nullptr || TranslateAcceleratorW(msg.hwnd, accelerators, &msg) == 0) {
            TranslateMessage(&msg);
            DispatchMessageW(&msg);
        }
        RethrowPendingException();
    }
    return got < 0 ? failed : static_cast<int>(msg.wParam);
}

int RunCommandLoop(const std::function<void()>& start) {
    try {
        start();
        return PumpMessages(nullptr, kExitError);
    } catch (const std::exception& error) {
        WriteToStream(StandardStream::Error, FromThreadAnsi(error.what()) + L"\r\n");
        return kExitError;
    }
}

}  // namespace Vorlune
