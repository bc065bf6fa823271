// Writes a seed corpus of component streams for fuzz_stream into the folder given: the stage's
// own record and one stream of each class the engine reads, then all of them together.
#include <cstdio>
#include <string>
#include <vector>

#include "engine/pixies/VPixieListWriter.h"
#include "engine/stream/VStreamWriter.h"
#include "fuzz/SeedFiles.h"

namespace {

using seed::Bmp;

VPropertyWriter Stage()
{
    return VPropertyWriter()
        .Text("Caption", "Zibolt")
        .Bool("ShowCursor", true)
        .Color("BackColor", 0xFFFFFF)
        .Nested("WindowRect", VPropertyWriter().Text("X", "0").Text("Y", "0").Text("Width", "0").Text("Height", "0"))
        .Raw("Background", Bmp(16, 12, 0, kPaletteSize));
}

VPropertyWriter Picture()
{
    return VPropertyWriter().Coo("XPos", 4).Coo("YPos", 3).Coo("ZPos", 5)
        .Color("TransColor", 0x00FF00).Raw("Surface", Bmp(9, 7, 1)).Bool("Transparent", true);
}

VPropertyWriter Sprite()
{
    return VPropertyWriter().Coo("XPos", 10).Coo("YPos", 12).Coo("ZPos", 1).Text("CurFrameName", "b")
        .Tags("Tag", {"Sterretje=True", "Speed=20-50"})
        .Raw("FrameList", FrameListPayload({FrameEntries("a", Bmp(5, 4, 2), "RGB24:000001", 1, 2),
                                            FrameEntries("b", Bmp(6, 3, 3), "", 0, 0)}))
        .Raw("SequenceList", SequenceListPayload({{"walk", {{"a", -2, 0, 0, "MS:30"}, {"b", 1, 1, 0, "MS:50"}}},
                                                  {"stand", {{"b", 0, 0, 0, "MS:200"}}}}));
}

VPropertyWriter Director()
{
    return VPropertyWriter().Coo("XPos", 5).Text("FrameLength", "40")
        .Raw("Tupels", TupelsPayload({{"1", "Zibolt", "Visible=True;CurFrameName=a;XPos=0;YPos=0;ZPos=-4;"},
                                      {"6", "Zibolt", "CurFrameName=b;XPos=20;YPos=8;"},
                                      {"3", "door", "Visible=False;"},
                                      {"9", "door", "Visible=True;XPos=12;"}}));
}

VPropertyWriter Text()
{
    return VPropertyWriter().Tags("Contents", {"(10,-20)Hello there!", "***", "Where to today?", "***", "Home."});
}

VPropertyWriter Timer()
{
    return VPropertyWriter().Text("Interval", "250.5").Bool("Enabled", true).Tags("Tag", {"Kind=Tick"});
}

}  // namespace

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
    seeds.push_back(VStreamWriter().Header({"Version=0.1b"}).Record("VStage", "Stage", Stage()).Bytes());
    seeds.push_back(VStreamWriter().Record("VPicture", "door", Picture()).Bytes());
    seeds.push_back(VStreamWriter().Record("VSprite", "Zibolt", Sprite()).Bytes());
    seeds.push_back(VStreamWriter().Record("VDirector", "getin", Director()).Record("VSprite", "Zibolt", Sprite()).Bytes());
    seeds.push_back(VStreamWriter().Record("VText", "talk", Text()).Bytes());
    seeds.push_back(VStreamWriter().Record("VTimer", "Tick", Timer())
                        .Record("VWidget", "w", VPropertyWriter().Raw("Blob", std::string("a#\0\r\n", 5)))
                        .Bytes());
    seeds.push_back(VStreamWriter()
                        .Header({"Type=VMeetingScene"})
                        .Record("VStage", "Stage", Stage())
                        .Record("VPicture", "door", Picture())
                        .Record("VSprite", "Zibolt", Sprite())
                        .Record("VDirector", "getin", Director())
                        .Record("VDirector", "other", Director())
                        .Record("VText", "talk", Text())
                        .Record("VTimer", "Tick", Timer())
                        .Bytes());
    return seed::WriteSeeds("seed_stream", dir, seeds, ".vcs") ? 0 : 1;
}
