#pragma once

#include <optional>
#include <string>
#include <vector>

// zibolt --record OUT.gif --seconds N [--size WxH] [--seed S] [--fps F] [--data DIR]
//        [--stream FILE]
// Plays the whole show on the headless stage and writes it as an animated GIF: the main
// stream built into the program (or FILE), the scene files, skins and sounds of the data
// folder (DIR, else the usual data folder), the user's settings left untouched. The same
// arguments give the same file.
struct VRecordRequest {
    std::string output;
    double seconds = 0;
    int width = 640;
    int height = 480;
    unsigned seed = 1;
    double fps = 10;
    std::string dataDir;
    std::string streamFile;
};

// The request, or nothing with `error` saying what is wrong. `args` excludes the program name.
std::optional<VRecordRequest> ParseRecordRequest(const std::vector<std::string>& args,
                                                 std::string& error);
std::string RecordUsage();

// Records as asked; the exit code: 0 done, 1 the show failed, 2 bad arguments. It uses the
// program's start-up bindings, so it runs once per process.
int RunRecordCommand(int argc, char** argv);
int RunRecord(const VRecordRequest& request, const std::string& programDirectory);
