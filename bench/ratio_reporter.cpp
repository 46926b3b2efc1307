#include "bench/ratio_reporter.hpp"

#include <stdio.h>

void RatioReporter::ReportRuns(const std::vector<Run>& Runs) {
    for (const Run& Result : Runs) {
        bool Single = Result.run_type == Run::RT_Iteration && Result.repetitions <= 1;
        bool Fastest = Result.run_type == Run::RT_Aggregate && Result.aggregate_name == "min";
        if (!Result.error_occurred && (Single || Fastest))
            NanosecondsPerIteration[Result.run_name.function_name] =
                Result.GetAdjustedCPUTime() *
                benchmark::GetTimeUnitMultiplier(benchmark::kNanosecond) /
                benchmark::GetTimeUnitMultiplier(Result.time_unit);
    }
    ConsoleReporter::ReportRuns(Runs);
}

void RatioReporter::PrintRatios(const std::vector<BenchCase>& Cases) const {
    printf("\ntimes, fastest repetition (they swing with the machine's load; the verdict "
           "comes from the instruction counts below)\n");
    printf("%-18s %10s %12s %7s %7s  %s\n", "case", "plugin ns", "baseline ns", "ratio", "target",
           "baseline");
    for (const BenchCase& Case : Cases) {
        auto Plugin = NanosecondsPerIteration.find(std::string(Case.Name) + "/plugin");
        auto Baseline = NanosecondsPerIteration.find(std::string(Case.Name) + "/baseline");
        if (Plugin == NanosecondsPerIteration.end() || Baseline == NanosecondsPerIteration.end())
            continue; // filtered out
        double Ratio = Plugin->second / Baseline->second;
        char Target[16] = "-";
        if (Case.TargetRatio != 0)
            snprintf(Target, sizeof Target, "%.1fx", Case.TargetRatio);
        printf("%-18s %10.1f %12.1f %6.2fx %7s  %s\n", Case.Name, Plugin->second, Baseline->second,
               Ratio, Target, Case.BaselineDescription);
    }
}
