#pragma once
// What the benchmarks share: a fresh shared database in a temporary folder, and the console report
// that keeps each run's time per iteration to print the ratios to the plain statement at the end.
#include <QSqlDatabase>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <map>
#include <string>

#include "shell/SharedDatabase.h"

class BenchDatabase {
public:
    BenchDatabase() {
        SharedDatabase::CreateFile(m_dir.filePath(QStringLiteral("tellumo.dll")), QStringLiteral("1234"));
        db = SharedDatabase::OpenFile(m_dir.filePath(QStringLiteral("tellumo.dll")), Name);
    }
    ~BenchDatabase() {
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(Name);
    }
    QSqlDatabase db;

private:
    static inline const QString Name = QStringLiteral("bench");
    QTemporaryDir m_dir;
};

class RatioReporter : public benchmark::ConsoleReporter {
public:
    std::map<std::string, double> times;
    void ReportRuns(const std::vector<Run> &runs) override {
        for (const Run &run : runs)
            if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                times[run.benchmark_name()] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    // Prints "label  ours  plain  ratio" when both runs were measured.
    void PrintRatio(const char *label, const std::string &ours, const std::string &plain) const {
        const auto a = times.find(ours);
        const auto b = times.find(plain);
        if (a != times.end() && b != times.end())
            std::printf("%-14s %12.3f %12.3f %8.2f\n", label, a->second, b->second, a->second / b->second);
    }
};
