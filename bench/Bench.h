#pragma once
#include <chrono>
#include <string>
#include <vector>

namespace Vorlune::Bench {

using Clock = std::chrono::steady_clock;

// One "name: value unit" line, so runs can be compared line by line.
void Report(const std::string& name, double value, const std::string& unit);

double Milliseconds(Clock::duration duration);
// A process's committed private memory; this process's when none is given.
double PrivateMegabytes(void* process = nullptr);
double Median(std::vector<double> values);
double Percentile(std::vector<double> values, double fraction);

struct Registrar {
    Registrar(const char* name, void (*run)());
};

}  // namespace Vorlune::Bench

// Defines a benchmark function that BenchMain runs in name order.
#define GLIMRA_BENCH(name)                                                  \
    static void name();                                                     \
    static const ::Vorlune::Bench::Registrar name##Registrar(#name, &name); \
    static void name()
