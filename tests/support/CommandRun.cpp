#include "CommandRun.h"

#include "Scratch.h"

namespace Vorlune::Test {

namespace {
void ReadToEnd(HANDLE pipe, std::vector<unsigned char>& into) {
    unsigned char buffer[65536];
    DWORD got = 0;
    while (ReadFile(pipe, buffer, sizeof buffer, &got, nullptr) && got > 0)
        into.insert(into.end(), buffer, buffer + got);
}
}  // namespace

CommandRun::Pipe CommandRun::MakePipe() {
    SECURITY_ATTRIBUTES inherited = {sizeof inherited, nullptr, TRUE};
    Pipe pipe;
    CreatePipe(&pipe.read, &pipe.write, &inherited, 0);
    SetHandleInformation(pipe.read, HANDLE_FLAG_INHERIT, 0);  // the child gets the writing end only
    return pipe;
}

CommandRun::CommandRun(const std::wstring& tempFolder, const std::wstring& arguments)
    : outputPipe_(MakePipe()),
      errorPipe_(MakePipe()),
      ends_(Ends(outputPipe_, errorPipe_)),
      process_(GlimraExePath(), tempFolder, arguments, &ends_) {
    // Only the child's copies are left, so a read ends when the child has gone.
    CloseHandle(outputPipe_.write);
    CloseHandle(errorPipe_.write);
    outputReader_ = std::thread(ReadToEnd, outputPipe_.read, std::ref(output_));
    errorReader_ = std::thread(ReadToEnd, errorPipe_.read, std::ref(error_));
}

CommandRun::~CommandRun() {
    TerminateProcess(process_.Handle(), 99);
    if (outputReader_.joinable()) outputReader_.join();
    if (errorReader_.joinable()) errorReader_.join();
    CloseHandle(outputPipe_.read);
    CloseHandle(errorPipe_.read);
}

std::optional<DWORD> CommandRun::Wait(std::chrono::milliseconds timeout) {
    const std::optional<DWORD> code = process_.WaitExit(timeout);
    if (!code) return code;
    outputReader_.join();
    errorReader_.join();
    return code;
}

}  // namespace Vorlune::Test
