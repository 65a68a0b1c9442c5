#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Wait.h"

namespace Vorlune::Test {

std::wstring WindowText(HWND hwnd);  // a window's caption, or a control's text

struct SeenBox {
    std::wstring caption, text;
};

// Records and dismisses the message boxes (#32770 with a message text) of one process, so no
// test hangs on a box. pid 0 is this process; onSeen runs while the box is still up.
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(DWORD pid = 0, int reply = IDOK, std::function<void(const SeenBox&)> onSeen = {});
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;
    std::vector<SeenBox> Seen() const;
    bool WaitForCount(size_t count, std::chrono::milliseconds timeout = 10s) const;

private:
    void Scan(std::vector<HWND>& handled);
    DWORD pid_;
    int reply_;
    std::function<void(const SeenBox&)> onSeen_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<SeenBox> seen_;
    std::thread thread_;
};

}  // namespace Vorlune::Test
