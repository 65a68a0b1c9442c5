#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "Wait.h"

namespace Vorlune::Test {

// A window's caption, or a control's text.
std::wstring WindowText(HWND hwnd);

struct SeenBox {
    std::wstring caption;
    std::wstring text;
};

// Finds message boxes (class "#32770" with a message text) of one process, records their
// caption and text, and dismisses them, so no test hangs on a box.
class MessageBoxWatcher {
public:
    // pid 0 watches this process. onSeen runs on the watching thread while the box is
    // still up, before it is dismissed.
    explicit MessageBoxWatcher(DWORD pid = 0, int reply = IDOK, std::function<void(const SeenBox&)> onSeen = {});
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    std::vector<SeenBox> Seen() const;
    bool WaitForCount(size_t count, std::chrono::milliseconds timeout = 10s) const;

private:
    void Run();
    void Scan();

    DWORD pid_;
    int reply_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<SeenBox> seen_;
    std::set<HWND> handled_;
    std::function<void(const SeenBox&)> onSeen_;
    std::thread thread_;
};

}  // namespace Vorlune::Test
