#include "bench/RatioReport.h"

#include <algorithm>
#include <cstdio>
#include <ostream>

void VRatioReport::ReportRuns(const std::vector<Run>& runs)
{
    for (const Run& run : runs) {
        if (run.error_occurred || run.run_type != Run::RT_Iteration || run.iterations == 0)
            continue;
        const double micros = run.real_accumulated_time * 1e6 / double(run.iterations);
        const std::string name = run.run_name.function_name;
        auto it = best_.find(name);
        if (it == best_.end() || micros < it->second)
            best_[name] = micros;
    }
    ConsoleReporter::ReportRuns(runs);
}

bool VRatioReport::PrintSummary(std::ostream& out) const
{
    bool allMet = true;
    char line[256];
    std::snprintf(line, sizeof(line), "\n%-34s %12s %12s %7s %7s  %s\n", "case (ours vs peer)",
                  "ours us", "peer us", "ratio", "target", "");
    out << line;
    for (const VRatioTarget& t : targets_) {
        auto ours = best_.find(t.ours), peer = best_.find(t.peer);
        if (ours == best_.end() || peer == best_.end()) {
            out << t.label << ": not measured\n";
            allMet = false;
            continue;
        }
        const double ratio = ours->second / peer->second;
        const bool met = ratio <= t.limit;
        allMet = allMet && met;
        std::snprintf(line, sizeof(line), "%-34s %12.1f %12.1f %7.3f %7.2f  %s\n", t.label.c_str(),
                      ours->second, peer->second, ratio, t.limit, met ? "ok" : "MISSED");
        out << line;
    }
    for (const VTimeTarget& t : times_) {
        auto ours = best_.find(t.name);
        if (ours == best_.end()) {
            out << t.label << ": not measured\n";
            allMet = false;
            continue;
        }
        const bool met = ours->second <= t.limitMicros;
        allMet = allMet && met;
        std::snprintf(line, sizeof(line), "%-34s %12.1f %12s %7s %7.0f  %s\n", t.label.c_str(),
                      ours->second, "-", "-", t.limitMicros, met ? "ok (us)" : "MISSED (us)");
        out << line;
    }
    return allMet;
}
