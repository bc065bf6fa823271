#pragma once

#include <benchmark/benchmark.h>

#include <map>
#include <string>
#include <vector>

// One comparison of the summary: our case, its peer, and the largest ratio allowed.
struct VRatioTarget {
    std::string label;
    std::string ours;
    std::string peer;
    double limit;
};

// A case measured on its own, against a time in microseconds.
struct VTimeTarget {
    std::string label;
    std::string name;
    double limitMicros;
};

// The usual console output, and afterwards a table of each case's time against its peer's.
// Each case counts with its fastest repetition, which is the least disturbed by whatever
// else the machine runs.
class VRatioReport : public benchmark::ConsoleReporter {
public:
    explicit VRatioReport(std::vector<VRatioTarget> targets, std::vector<VTimeTarget> times = {})
        : targets_(std::move(targets)), times_(std::move(times))
    {
    }

    void ReportRuns(const std::vector<Run>& runs) override;
    // Prints the table; false when a target is missed or a case did not run.
    bool PrintSummary(std::ostream& out) const;

private:
    std::vector<VRatioTarget> targets_;
    std::vector<VTimeTarget> times_;
    std::map<std::string, double> best_;  // microseconds per iteration
};
