#include "MessageBoxWatcher.h"

namespace Vorlune::Test {

namespace {
constexpr int kMessageTextId = 0xFFFF;

struct Candidates {
    DWORD pid;
    std::vector<HWND> boxes;
};

BOOL CALLBACK CollectBox(HWND hwnd, LPARAM param) {
    auto* candidates = reinterpret_cast<Candidates*>(param);
    DWORD pid = 0;
    GetWindowThreadProcessId(hwnd, &pid);
    wchar_t className[16] = {};
    GetClassNameW(hwnd, className, 16);
    if (pid == candidates->pid && std::wstring(className) == L"#32770" && IsWindowVisible(hwnd) &&
        GetDlgItem(hwnd, kMessageTextId) != nullptr)
        candidates->boxes.push_back(hwnd);
    return TRUE;
}
}  // namespace

MessageBoxWatcher::MessageBoxWatcher(DWORD pid, int reply, std::function<void(const SeenBox&)> onSeen)
    : pid_(pid == 0 ? GetCurrentProcessId() : pid), reply_(reply), onSeen_(std::move(onSeen)), thread_([this] { Run(); }) {}

MessageBoxWatcher::~MessageBoxWatcher() {
    stop_ = true;
    thread_.join();
}

void MessageBoxWatcher::Run() {
    while (!stop_) {
        Scan();
        Sleep(10);
    }
}

void MessageBoxWatcher::Scan() {
    Candidates candidates{pid_, {}};
    EnumWindows(CollectBox, reinterpret_cast<LPARAM>(&candidates));
    for (HWND box : candidates.boxes) {
        SeenBox seen = {WindowText(box), WindowText(GetDlgItem(box, kMessageTextId))};
        {
            std::lock_guard<std::mutex> lock(mutex_);
            if (!handled_.insert(box).second) continue;
        }
        if (onSeen_) onSeen_(seen);
        {
            std::lock_guard<std::mutex> lock(mutex_);
            seen_.push_back(std::move(seen));
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
