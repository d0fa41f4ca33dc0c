#pragma once
// Keeps each benchmark's time per iteration (and, with repetitions, its aggregates under names such
// as "Name/repeats:5_median"), so a program can print ratios of pairs at the end.
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
            if ((run.run_type == Run::RT_Iteration && run.iterations > 0) || run.run_type == Run::RT_Aggregate)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    // One line: label, both times and their ratio; nothing when either did not run.
    void PrintRatio(const std::string &label, const std::string &measured, const std::string &baseline) const {
        const auto a = times.find(measured);
        const auto b = times.find(baseline);
        if (a != times.end() && b != times.end())
            std::printf("%-34s %12.3f %12.3f %8.2f\n", label.c_str(), a->second, b->second, a->second / b->second);
    }
    // The same with the medians of repeated runs (the time of a single run when not repeated).
    void PrintMedianRatio(const std::string &label, const std::string &measured, const std::string &baseline) const {
        const double a = median(measured), b = median(baseline);
        if (a > 0 && b > 0)
            std::printf("%-34s %12.3f %12.3f %8.2f\n", label.c_str(), a, b, a / b);
    }

private:
    double median(const std::string &name) const {
        for (const auto &[key, time] : times)
            if (key.rfind(name + "/", 0) == 0 && key.size() > 7 && key.compare(key.size() - 7, 7, "_median") == 0)
                return time;
        const auto single = times.find(name);
        return single == times.end() ? 0 : single->second;
    }
};
