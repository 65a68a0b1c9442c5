#include "MessageBoxWatcher.h"

#include <algorithm>

namespace Vorlune::Test {

constexpr int kMessageTextId = 0xFFFF;
using Found = std::pair<DWORD, std::vector<HWND>>;  // a process and its boxes

MessageBoxWatcher::MessageBoxWatcher(DWORD pid, int reply, std::function<void(const SeenBox&)> onSeen)
    : pid_(pid == 0 ? GetCurrentProcessId() : pid), reply_(reply), onSeen_(std::move(onSeen)), thread_([this] {
          std::vector<HWND> handled;
          for (; !stop_; Sleep(10)) Scan(handled);
      }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    stop_ = true;
    thread_.join();
}

void MessageBoxWatcher::Scan(std::vector<HWND>& handled) {
    Found found{pid_, {}};
    EnumWindows([](HWND hwnd, LPARAM param) -> BOOL {
        auto& [pid, boxes] = *reinterpret_cast<Found*>(param);
        DWORD owner = 0;
        wchar_t kind[16] = {};
        GetWindowThreadProcessId(hwnd, &owner);
        GetClassNameW(hwnd, kind, 16);
        if (owner == pid && std::wstring(kind) == L"#32770" && IsWindowVisible(hwnd) && GetDlgItem(hwnd, kMessageTextId))
            boxes.push_back(hwnd);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    for (HWND box : found.second) {
        if (std::find(handled.begin(), handled.end(), box) != handled.end()) continue;
        handled.push_back(box);
        const SeenBox seen = {WindowText(box), WindowText(GetDlgItem(box, kMessageTextId))};
        if (onSeen_) onSeen_(seen);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            seen_.push_back(seen);
        }
        int reply = reply_;
        if (GetDlgItem(box, reply) == nullptr) reply = GetDlgItem(box, IDOK) ? IDOK : GetDlgItem(box, IDYES) ? IDYES : IDCANCEL;
        PostMessageW(box, WM_COMMAND, MAKEWPARAM(reply, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, reply)));
    }
}

std::vector<SeenBox> MessageBoxWatcher::Seen() const {
    std::lock_guard<std::mutex> lock(mutex_);
    return seen_;
}

bool MessageBoxWatcher::WaitForCount(size_t count, std::chrono::milliseconds timeout) const {
    return WaitUntil([&] { return Seen().size() >= count; }, timeout);
}

std::wstring WindowText(HWND hwnd) {
    wchar_t buffer[4096] = {};
    GetWindowTextW(hwnd, buffer, 4096);
    return buffer;
}

}  // namespace Vorlune::Test
