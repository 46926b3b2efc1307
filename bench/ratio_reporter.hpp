// Prints Google Benchmark's usual table, keeps each benchmark's CPU time per
// iteration (the fastest repetition when repeated), and then prints every case as a
// ratio of plugin time to baseline time measured in the same run. Times swing
// with the machine's load, so they support the instruction counts and decide
// nothing.
#pragma once

#include "bench/bench_cases.hpp"

#include <benchmark/benchmark.h>
#include <map>
#include <string>

class RatioReporter : public benchmark::ConsoleReporter {
  public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {} // plain text, for logs and the docs
    void ReportRuns(const std::vector<Run>& Runs) override;
    void PrintRatios(const std::vector<BenchCase>& Cases) const;

  private:
    std::map<std::string, double> NanosecondsPerIteration;
};
