#pragma once
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "Wait.h"
#include "settings_dialog/Pickers.h"  // GetWindowTextString

namespace Vorlune::Test {

struct SeenBox {
    std::wstring caption, text;
    HWND owner;
};

// Records and dismisses the message boxes (#32770 with a message text) of one process, so no
// test hangs on a box. pid 0 is this process; onSeen runs while the box is still up. A watcher
// that does not expect boxes leaves those of a process another watcher expects, and reports
// the others to the waits (UnexpectedBox).
class MessageBoxWatcher {
public:
    explicit MessageBoxWatcher(DWORD pid = 0, int reply = IDOK, std::function<void(const SeenBox&)> onSeen = {},
                               bool expected = true)
        : pid_(pid ? pid : GetCurrentProcessId()), expected_(expected) {
        if (expected_) Expecting(pid_, +1);
        thread_ = std::thread([this, reply, onSeen = std::move(onSeen)] {
            for (std::vector<HWND> handled; !stop_; Sleep(10))
                for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr;) {
                    DWORD owner = 0;
                    GetWindowThreadProcessId(box, &owner);
                    if (owner != pid_ || !IsWindowVisible(box) || GetDlgItem(box, kMessageText) == nullptr ||
                        std::find(handled.begin(), handled.end(), box) != handled.end() ||
                        (!expected_ && Expecting(pid_, 0)))
                        continue;
                    handled.push_back(box);
                    const SeenBox seen = {GetWindowTextString(box), GetWindowTextString(GetDlgItem(box, kMessageText)),
                                          GetWindow(box, GW_OWNER)};
                    if (onSeen) onSeen(seen);
                    if (!expected_) UnexpectedBox::Seen(seen.caption + L": " + seen.text);
                    std::lock_guard<std::mutex> lock(mutex_);  // held a moment longer, no harm
                    seen_.push_back(seen);
                    const int answer = GetDlgItem(box, reply) != nullptr ? reply : IDOK;  // every box has OK
                    PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED),
                                 reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
                }
        });
    }
    ~MessageBoxWatcher() {
        stop_ = true;
        thread_.join();
        if (expected_) Expecting(pid_, -1);
    }
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;
    std::vector<SeenBox> Seen() const {
        std::lock_guard<std::mutex> lock(mutex_);
        return seen_;
    }
    // Every box seen, as "caption|text|" each.
    std::wstring Texts() const {
        std::wstring texts;
        for (const SeenBox& box : Seen()) texts += box.caption + L"|" + box.text + L"|";
        return texts;
    }
    bool WaitForCount(size_t count) const {
        return WaitUntil([&] { return Seen().size() >= count; });
    }

private:
    static constexpr int kMessageText = 0xFFFF;  // the box's text control
    // Changes by change the number of watchers that expect the boxes of pid; answers whether one does.
    static bool Expecting(DWORD pid, int change) {
        static std::mutex mutex;
        static std::map<DWORD, int> counts;
        std::lock_guard<std::mutex> lock(mutex);
        return (counts[pid] += change) > 0;
    }
    const DWORD pid_;
    const bool expected_;
    std::atomic<bool> stop_{false};
    mutable std::mutex mutex_;
    std::vector<SeenBox> seen_;
    std::thread thread_;
};

}  // namespace Vorlune::Test
