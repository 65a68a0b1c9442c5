#include "GlimraApp.h"

#include <sstream>

namespace Vorlune::Test {

void GlimraApp::WriteIni(const std::wstring& text) const {
    CreateDirectoryW(AppFolder().c_str(), nullptr);
    WriteUtf16File(IniPath(), text);
}

bool GlimraApp::Start(BoxesAre boxes, std::function<void(const SeenBox&)> onBox) {
    process_ = std::make_unique<Process>(GlimraExePath(), temp_.Path());
    watcher_ = std::make_unique<MessageBoxWatcher>(process_->Id(), IDOK, std::move(onBox), boxes == BoxesAre::Expected);
    window_ = process_->WaitWindow(L"Glimra", L"Glimra");
    // Start-up ends by showing the window and making its folder; then its message loop runs.
    return window_ != nullptr && WaitUntil([&] { return IsWindowVisible(window_) && FolderExists(AppFolder()); }) &&
           SendMessageTimeoutW(window_, WM_NULL, 0, 0, SMTO_NORMAL, 10000, nullptr) != 0;
}

std::optional<DWORD> GlimraApp::Close() {
    PostMessageW(window_, WM_CLOSE, 0, 0);
    return process_->WaitExit();
}

void Input(DWORD flags, POINT at) {
    const int w = GetSystemMetrics(SM_CXSCREEN), h = GetSystemMetrics(SM_CYSCREEN);
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags | MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
    input.mi.dx = (at.x * 65536 + w - 1) / w;
    input.mi.dy = (at.y * 65536 + h - 1) / h;
    SendInput(1, &input, sizeof input);
}

void RealClick(POINT screen) {
    Input(0, screen);
    Input(MOUSEEVENTF_LEFTDOWN, screen);
    Input(MOUSEEVENTF_LEFTUP, screen);
}

std::optional<std::wstring> IniValue(const std::wstring& text, const std::wstring& section, const std::wstring& key) {
    std::wistringstream lines(text);
    std::wstring line, current;
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == L'\r') line.pop_back();
        if (line.rfind(L"[", 0) == 0)
            current = line.substr(1, line.find(L']') - 1);
        else if (current == section && line.rfind(key + L"=", 0) == 0)
            return line.substr(key.size() + 1);
    }
    return std::nullopt;
}

}  // namespace Vorlune::Test
