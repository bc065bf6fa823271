// Writes a seed corpus of component streams for fuzz_vcs into the folder given.
#include <cstdio>
#include <string>
#include <vector>

#include "engine/stream/VStreamWriter.h"
#include "fuzz/SeedFiles.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: seed_vcs DIR\n");
        return 2;
    }
    std::string dir = argv[1];
    VPropertyWriter frame;
    frame.Text("Name", "staand1").Coo("HotSpotX", 54);
    VPropertyWriter props;
    props.Text("Caption", "Hello Zibolt")
        .Raw("Bits", std::string("#\0\r\n\x80\xff", 6))
        .Tags("Tag", {"Greeting=Hello"})
        .Nested("WindowRect", VPropertyWriter().Coo("X", 0).Coo("Y", 5))
        .RecordList("FrameList", {frame, frame});
    std::string entries = "007#Caption05#Hello##";
    std::vector<std::string> seeds = {
        VStreamWriter().Bytes(),
        VStreamWriter().HeaderRaw("Version=0.1b").Bytes(),
        VStreamWriter().Header({"Type=Moving"}).Record("VStage", "Stage", props).Record("VTimer", "Tick", frame).Bytes(),
        "VCS00#6#VStage05#Stage0" + std::to_string(entries.size()) + "#" + entries,
    };
    return seed::WriteSeeds("seed_vcs", dir, seeds, ".vcs") ? 0 : 1;
}
