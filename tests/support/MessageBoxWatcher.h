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
    ~MessageBoxWatcher() { stop_ = true, thread_.join(); }
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;
    std::vector<SeenBox> Seen() const { std::lock_guard<std::mutex> lock(mutex_); return seen_; }
    bool WaitForCount(size_t count, std::chrono::milliseconds timeout = 10s) const {
        return WaitUntil([&] { return Seen().size() >= count; }, timeout);
    }

private:
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<SeenBox> seen_;
    std::thread thread_;
};

}  // namespace Vorlune::Test
