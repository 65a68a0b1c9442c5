#include "Capture/CaptureErrors.h"

#include <cwchar>
#include <iterator>
#include <sstream>
#include <string>

#include "app/AppContext.h"
#include "ui/TextConversion.h"

namespace Vorlune {

namespace {

// "【" and "】" in the thread's code page (0x81 0x79 and 0x81 0x7A under 932). A code page
// without them would turn them into question marks or stray bytes; plain brackets then.
std::string Bracket(const wchar_t* wide, const char* fallback) {
    const std::string narrow = ToThreadAnsi(wide);
    const int size = static_cast<int>(narrow.size());
    wchar_t back[4] = {};
    if (size > 0 && MultiByteToWideChar(CP_THREAD_ACP, MB_ERR_INVALID_CHARS, narrow.data(), size, back, 4) == 1 &&
        back[0] == wide[0])
        return narrow;
    return fallback;
}

std::string CaptureReport(const char* file, int line, DWORD lastError) {
    std::ostringstream report;
    report << Bracket(L"\u3010", "[") << App().GetTextNarrow(TextError) << Bracket(L"\u3011", "]") << "\r\n"
           << App().GetTextNarrow(TextWindowCreationFailed) << "\r\n"
           << "\r\n"
           << file << "\r\n"
           << line << "\r\n"
           << lastError << "\r\n";
    return report.str();
}

std::string OutputReport(TextId textId, const char* file, int line, DWORD lastError) {
    std::ostringstream report;
    report << App().GetTextNarrow(TextError) << "\r\n"
           << App().GetTextNarrow(textId) << "\r\n"
           << "\r\n"
           << "File=" << file << "\r\n"
           << "Line=" << line << "\r\n"
           << "GetLastError()=" << lastError << "\r\n";
    return report.str();
}

}  // namespace

std::wstring SystemReason(DWORD error) {
    wchar_t text[512] = {};
    DWORD length = FormatMessageW(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                  static_cast<DWORD>(std::size(text)), nullptr);
    while (length > 0 && (text[length - 1] == L'\r' || text[length - 1] == L'\n' || text[length - 1] == L' ')) --length;
    wchar_t code[16] = {};
    swprintf(code, std::size(code), (error & 0x80000000) != 0 ? L"(0x%08lX)" : L"(%lu)", error);
    return length == 0 ? code : std::wstring(text, length) + L" " + code;
}

std::wstring ImageNotWrittenText(const ImageWriteError& error, std::optional<bool> onClipboard) {
    const std::wstring text =
        App().GetText(TextImageNotWritten) + L"\r\n" + error.Path() + L"\r\n\r\n" + SystemReason(error.LastError());
    if (!onClipboard) return text;
    return text + L"\r\n\r\n" + App().GetText(*onClipboard ? TextImageOnClipboard : TextImageNotOnClipboard);
}

CaptureException::CaptureException(const char* file, int line, DWORD lastError)
    : std::runtime_error(CaptureReport(file, line, lastError)) {}

AnExceptionImpl::AnExceptionImpl(TextId textId, const char* file, int line, DWORD lastError)
    : std::runtime_error(OutputReport(textId, file, line, lastError)) {}

}  // namespace Vorlune
