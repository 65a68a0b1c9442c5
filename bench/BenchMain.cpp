#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "Bench.h"

namespace Vorlune::Bench {

namespace {
std::map<std::string, void (*)()>& Benchmarks() {
    static std::map<std::string, void (*)()> benchmarks;
    return benchmarks;
}
}  // namespace

Registrar::Registrar(const char* name, void (*run)()) { Benchmarks()[name] = run; }

void Report(const std::string& name, double value, const std::string& unit) {
    std::printf("%s: %.3f %s\n", name.c_str(), value, unit.c_str());
    std::fflush(stdout);
}

double PrivateMegabytes(void* process) {
    PROCESS_MEMORY_COUNTERS_EX counters = {};
    counters.cb = sizeof counters;
    K32GetProcessMemoryInfo(process != nullptr ? process : GetCurrentProcess(),
                            reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
    // Wine leaves PrivateUsage at 0; the commit charge is the same figure on Windows.
    const SIZE_T bytes = counters.PrivateUsage != 0 ? counters.PrivateUsage : counters.PagefileUsage;
    return static_cast<double>(bytes) / (1024.0 * 1024.0);
}

double Milliseconds(Clock::duration duration) { return std::chrono::duration<double, std::milli>(duration).count(); }

double Percentile(std::vector<double> values, double fraction) {
    if (values.empty()) return 0;
    std::sort(values.begin(), values.end());
    const size_t index = static_cast<size_t>(fraction * static_cast<double>(values.size() - 1) + 0.5);
    return values[std::min(index, values.size() - 1)];
}

double Median(std::vector<double> values) { return Percentile(std::move(values), 0.5); }

}  // namespace Vorlune::Bench

// Runs every benchmark, or those whose name contains one of the arguments.
int main(int argc, char** argv) {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring scratch = std::wstring(temp) + L"glimra-bench\\";
    CreateDirectoryW(scratch.c_str(), nullptr);
    SetEnvironmentVariableW(L"TMP", scratch.c_str());
    SetEnvironmentVariableW(L"TEMP", scratch.c_str());
    const std::vector<std::string> filters(argv + 1, argv + argc);
    for (const auto& [name, run] : Vorlune::Bench::Benchmarks())
        if (filters.empty() || std::any_of(filters.begin(), filters.end(),
                                           [&](const std::string& f) { return name.find(f) != std::string::npos; }))
            run();
    return 0;
}
