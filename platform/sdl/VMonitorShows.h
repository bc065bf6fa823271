#pragma once

#include <string>
#include <sys/types.h>
#include <vector>

#include "engine/graphics/VRect.h"

// The other shows of a full-screen run with one show per monitor: this program again, once
// for every display but the one this process shows on. They end with this process (however
// it ends), and when one of them ends (the user moved the mouse on its monitor) this process
// is told with SIGTERM, so that the whole run ends together.
class VMonitorShows {
public:
    VMonitorShows() = default;
    ~VMonitorShows();
    VMonitorShows(const VMonitorShows&) = delete;
    VMonitorShows& operator=(const VMonitorShows&) = delete;

    // The displays as SDL numbers them (the primary first), in desktop pixels; none when
    // there is no display.
    static std::vector<VIntRect> Displays();

    // Starts `program` with `args` and "--display N" for each of `displays`. False (with a
    // message) when one could not be started; those started keep running.
    bool Start(const std::string& program, const std::vector<std::string>& args,
               const std::vector<int>& displays);
    std::size_t Count() const { return children_.size(); }

private:
    std::vector<pid_t> children_;
};
