#include "MessageBoxWatcher.h"

#include <algorithm>

namespace Vorlune::Test {

constexpr int kMessageTextId = 0xFFFF;

MessageBoxWatcher::MessageBoxWatcher(DWORD pid, int reply, std::function<void(const SeenBox&)> onSeen)
    : thread_([this, pid = pid ? pid : GetCurrentProcessId(), reply, onSeen = std::move(onSeen)] {
          for (std::vector<HWND> handled; !stop_; Sleep(10))
              for (HWND box = nullptr; (box = FindWindowExW(nullptr, box, L"#32770", nullptr)) != nullptr;) {
                  DWORD owner = 0;
                  GetWindowThreadProcessId(box, &owner);
                  if (owner != pid || !IsWindowVisible(box) || GetDlgItem(box, kMessageTextId) == nullptr ||
                      std::find(handled.begin(), handled.end(), box) != handled.end())
                      continue;
                  handled.push_back(box);
                  const SeenBox seen = {WindowText(box), WindowText(GetDlgItem(box, kMessageTextId))};
                  if (onSeen) onSeen(seen);
                  std::lock_guard<std::mutex> lock(mutex_);  // held a moment longer, no harm
                  seen_.push_back(seen);
                  int answer = reply;
                  if (GetDlgItem(box, answer) == nullptr) answer = GetDlgItem(box, IDOK) ? IDOK : GetDlgItem(box, IDYES) ? IDYES : IDCANCEL;
                  PostMessageW(box, WM_COMMAND, MAKEWPARAM(answer, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(box, answer)));
              }
      }) {}

std::wstring WindowText(HWND hwnd) {
    wchar_t buffer[4096] = {};
    GetWindowTextW(hwnd, buffer, 4096);
    return buffer;
}

}  // namespace Vorlune::Test
