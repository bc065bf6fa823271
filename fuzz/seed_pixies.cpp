// Writes a seed corpus of picture, sprite and director streams for fuzz_pixies into a folder.
#include <cstdio>
#include <string>
#include <vector>

#include "engine/pixies/VPixieListWriter.h"
#include "engine/stream/VStreamWriter.h"
#include "fuzz/SeedFiles.h"

namespace {

using seed::Bmp;

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: seed_pixies DIR\n");
        return 2;
    }
    std::string dir = argv[1];
    std::vector<std::string> seeds;
    VPropertyWriter picture;
    picture.Tags("Tag", {}).Coo("XPos", 3).Coo("YPos", 4).Coo("ZPos", 400).Bool("Visible", true)
        .Color("TransColor", 0x00FF00).Raw("Surface", Bmp(6, 5, 0)).Bool("Transparent", true);
    VPropertyWriter sprite;
    sprite.Coo("XPos", 10).Text("CurFrameName", "b")
        .Raw("FrameList", FrameListPayload({FrameEntries("a", Bmp(3, 2, 0), "RGB24:000001", 1, 2),
                                            FrameEntries("b", Bmp(2, 3, 0), "", 0, 0)}))
        .Raw("SequenceList", SequenceListPayload({{"walk", {{"a", -2, 0, 0, "MS:30"}, {"b", 1, 1, 0, "MS:50"}}}}));
    VPropertyWriter director;
    director.Coo("XPos", 5).Text("FrameLength", "40")
        .Raw("Tupels", TupelsPayload({{"1", "Zibolt", "Visible=True;CurFrameName=a;XPos=0;YPos=0;ZPos=-4;"},
                                      {"4", "Zibolt", "Visible=True;CurFrameName=b;XPos=20;YPos=2.5;ZPos=0;"},
                                      {"2", "door", "XPos=1;"}}))
        .Text("txtWidth", "10");
    seeds.push_back(VStreamWriter().Header({"Version=0.1b"}).Record("VPicture", "door", picture).Bytes());
    seeds.push_back(VStreamWriter().Record("VSprite", "Zibolt", sprite).Bytes());
    seeds.push_back(VStreamWriter()
                        .Record("VDirector", "getin", director)
                        .Record("VSprite", "Zibolt", sprite)
                        .Record("VPicture", "door", picture)
                        .Bytes());
    return seed::WriteSeeds("seed_pixies", dir, seeds, ".vcs") ? 0 : 1;
}
