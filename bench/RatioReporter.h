#pragma once
// Keeps each benchmark's time per iteration, so a program can print ratios of pairs at the end.
#include <benchmark/benchmark.h>
#include <map>
#include <string>

class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;
    void ReportRuns(const std::vector<Run> &runs) override {
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
};
