#pragma once
// The console report of a benchmark run that also keeps each benchmark's time per iteration, so the
// program can print the ratio of a routine to its plain SQLite counterpart at the end.
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
