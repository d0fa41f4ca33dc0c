#pragma once
// Keeps each benchmark's time per iteration, so a program can print ratios of pairs at the end.
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <string>

// "/n", as a benchmark's name carries its argument (built by appending: GCC 12 warns falsely on
// a literal added to a temporary string).
inline std::string Arg(long long n) {
    std::string arg(1, '/');
    arg.append(std::to_string(n));
    return arg;
}

class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;
    void ReportRuns(const std::vector<Run> &runs) override {
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    // One line: label, both times and their ratio; nothing when either did not run.
    void PrintRatio(const std::string &label, const std::string &measured, const std::string &baseline) const {
        const auto a = times.find(measured);
        const auto b = times.find(baseline);
        if (a != times.end() && b != times.end())
            std::printf("%-28s %12.3f %12.3f %8.2f\n", label.c_str(), a->second, b->second, a->second / b->second);
    }
};
