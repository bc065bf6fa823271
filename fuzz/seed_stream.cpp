// Writes a seed corpus of component streams for fuzz_stream into the folder given.
#include <cstdio>
#include <string>
#include <vector>

#include "engine/stream/VStreamWriter.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: seed_stream DIR\n");
        return 2;
    }
    std::string dir = argv[1];
    std::vector<std::string> seeds;
    seeds.push_back(VStreamWriter().Bytes());
    seeds.push_back(VStreamWriter().Header({"Type=VPlanetScene", "Frequency=5"}).Bytes());
    seeds.push_back(VStreamWriter()
                        .Header({"Version=0.1b"})
                        .Record("VStage", "Stage", VPropertyWriter().Text("Caption", "Zibolt").Bool("ShowCursor", true))
                        .Record("VTimer", "Tick", VPropertyWriter().Text("Interval", "250.5").Bool("Enabled", true))
                        .Record("VWidget", "w", VPropertyWriter().Raw("Blob", std::string("a#\0\r\n", 5)))
                        .Bytes());
    VPropertyWriter frame;
    frame.Text("Name", "staand1").Coo("HotSpotX", 54).Coo("HotSpotY", -1.5f);
    seeds.push_back(VStreamWriter()
                        .Record("VTimer", "t", VPropertyWriter()
                                                   .Tags("Tag", {"Sterretje=True", "Speed=20-50"})
                                                   .Nested("WindowRect", VPropertyWriter().Text("X", "0").Text("Y", "0"))
                                                   .RecordList("FrameList", {frame, frame})
                                                   .Color("BackColor", 0xFFFFFF))
                        .Record("vtimer", "T", VPropertyWriter().Bool("Enabled", false))
                        .Bytes());
    for (std::size_t i = 0; i < seeds.size(); ++i) {
        std::string path = dir + "/seed" + std::to_string(i) + ".vcs";
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(seeds[i].data(), 1, seeds[i].size(), f) != seeds[i].size()) {
            std::fprintf(stderr, "seed_stream: cannot write %s\n", path.c_str());
            return 1;
        }
        std::fclose(f);
    }
    return 0;
}
