#include "app/PinProcess.h"

#include <string>

#include "Capture/CaptureErrors.h"
#include "Capture/CaptureOutput.h"
#include "app/MessageLoop.h"
#include "core/ArgumentQuoting.h"
#include "core/CommandLine.h"
#include "pin/Pins.h"
#include "settings/ModulePath.h"
#include "settings/TempFolder.h"
#include "ui/GdiOwners.h"

namespace Vorlune {

namespace {

// Not a command a person types: the file, then the left and the top edge.
constexpr const wchar_t* kPinArgument = L"--pinned-file";

CapturedImage ReadPinFile(const std::wstring& path) {
    const MemorySurface file(static_cast<HBITMAP>(
        LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION)));
    const DWORD error = GetLastError();
    DeleteFileW(path.c_str());
    BITMAP info = {};
    if (!file || GetObjectW(file.bitmap(), sizeof info, &info) != sizeof info)
        throw AnExceptionImpl(TextBitmapCreationFailed, __FILE__, __LINE__, error);
    return CaptureArea(file.dc(), {0, 0}, {info.bmWidth, info.bmHeight});
}

}  // namespace

void ShowPinInOwnProcess(const CapturedImage& image, POINT topLeft) {
    const std::wstring path = GetTempFolderPath() + L"pin-" + std::to_wstring(GetCurrentProcessId()) + L".bmp";
    WriteImageFile(EncodeImageFile(image, ImageFormatBmp), path, nullptr);
    const std::wstring program = RunningModulePath();
    std::wstring line =
        JoinArguments({program, kPinArgument, path, std::to_wstring(topLeft.x), std::to_wstring(topLeft.y)});
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;  // and none of them
    PROCESS_INFORMATION started = {};
    if (!CreateProcessW(program.c_str(), line.data(), nullptr, nullptr, FALSE, DETACHED_PROCESS, nullptr, nullptr,
                        &startup, &started)) {
        const DWORD error = GetLastError();
        DeleteFileW(path.c_str());
        throw CaptureException(__FILE__, __LINE__, error);
    }
    const KernelHandle process(started.hProcess);
    const KernelHandle thread(started.hThread);
}

bool IsPinProcess(const std::vector<std::wstring>& args) { return args.size() == 4 && args[0] == kPinArgument; }

int RunPinProcess(const std::vector<std::wstring>& args) {
    return RunCommandLoop([&] {
        const POINT topLeft = {std::stoi(args[2]), std::stoi(args[3])};
        ShowPin(ReadPinFile(args[1]), topLeft);
        AfterLastPin([] { PostQuitMessage(kExitWritten); });
    });
}

}  // namespace Vorlune
