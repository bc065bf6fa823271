// Writes a seed corpus of scene files for fuzz_scene into the folder given: every scene source
// of the show (every kind and the float library) built with small images, and a few-hundred-
// byte file of each kind.
#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/pixies/VPixieListWriter.h"
#include "engine/stream/VStreamWriter.h"
#include "fuzz/SeedFiles.h"
#include "fuzz/SmallImageStream.h"

namespace {

using seed::Bmp;

VPropertyWriter Picture(int width, int height, bool visible, const std::vector<std::string>& tags = {})
{
    VPropertyWriter props;
    props.Tags("Tag", tags).Coo("XPos", 0).Coo("YPos", 0).Coo("ZPos", 5).Bool("Visible", visible)
        .Raw("Surface", Bmp(width, height, width));
    return props;
}

// Frames 1 to `frames`, each pixie at its assignments in every frame.
VPropertyWriter Director(const std::vector<std::pair<std::string, std::string>>& tracks, int frames)
{
    std::vector<VTupleEntry> tuples;
    for (int f = 1; f <= frames; ++f)
        for (const auto& [pixie, assignments] : tracks)
            tuples.push_back({std::to_string(f), pixie, assignments});
    VPropertyWriter props;
    props.Coo("XPos", 0).Coo("YPos", 0).Text("FrameLength", "100").Raw("Tupels", TupelsPayload(tuples));
    return props;
}

VPropertyWriter Text(const std::vector<std::string>& lines)
{
    VPropertyWriter props;
    props.Tags("Contents", lines);
    return props;
}

std::vector<std::string> SmallScenes()
{
    VPropertyWriter mail;
    mail.Bool("Visible", false)
        .Raw("FrameList", FrameListPayload({FrameEntries("letter", Bmp(3, 2, 1), "RGB24:00FF00", 0, 0)}))
        .Raw("SequenceList", SequenceListPayload({{"DEFAULT", {{"letter"}, {"letter", 0, -2, 0, "MS:50"}}}}));
    return {
        VStreamWriter()
            .Header({"Type=VPlanetScene", "Intro=Hi", "Exit=Bye", "Frequency=30"})
            .Record("VPicture", "Sky", Picture(8, 4, true))
            .Record("VPicture", "Planet", Picture(6, 3, true))
            .Record("VPicture", "Flag", Picture(2, 2, false))
            .Record("VDirector", "Before", Director({{"Flag", "XPos=0;YPos=0;Visible=True;"}}, 2))
            .Record("VDirector", "Playing", Director({{"Flag", "XPos=3;YPos=-2;"}}, 3))
            .Record("VText", "Hi", Text({"What a planet!"}))
            .Record("VText", "Bye", Text({"Bye, planet."}))
            .Bytes(),
        VStreamWriter()
            .Header({"Type=VMeetingScene", "Speed=40", "Intro=Hi", "Exit=Bye", "XPos=-20"})
            .Record("VPicture", "Visitor", Picture(3, 3, false))
            .Record("VDirector", "MoveIn", Director({{"Visitor", "XPos=0;YPos=0;Visible=True;"}}, 2))
            .Record("VDirector", "Playing", Director({{"Visitor", "XPos=0;YPos=-2;"}}, 2))
            .Record("VDirector", "Talking", Director({{"Visitor", "XPos=1;"}}, 2))
            .Record("VDirector", "NotTalking", Director({{"Visitor", "XPos=0;"}}, 2))
            .Record("VText", "Hi", Text({"(5,-10)Hello!", "***", "Hi there."}))
            .Record("VText", "Bye", Text({"(5,-10)Bye!"}))
            .Record("VSprite", "VMAIL", mail)
            .Bytes(),
        VStreamWriter()
            .Header({"Type=VMovingScene", "Path=0,0,100|0,0,300|-100,20,80", "Speed=50"})
            .Record("VPicture", "Moon", Picture(2, 2, false, {"SkyItem=True"}))
            .Bytes(),
        VStreamWriter()
            .Header({"Type=VInShipScene"})
            .Record("VPicture", "Inside", Picture(6, 4, false))
            .Record("VDirector", "Scene", Director({{"Inside", "XPos=0;YPos=0;Visible=True;"}}, 3))
            .Bytes(),
        VStreamWriter()
            .Header({"Type=VFloatLib"})
            .Record("VSprite", "Comet",
                    VPropertyWriter()
                        .Tags("Tag", {"Frequency=3", "Speed=40"})
                        .Raw("FrameList", FrameListPayload({FrameEntries("c", Bmp(2, 2, 3), "", 0, 0)})))
            .Bytes(),
    };
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: seed_scene DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    std::vector<std::filesystem::path> sources;
    for (const auto& entry : std::filesystem::directory_iterator(SceneSourceDir()))
        if (entry.path().extension() == ".json")
            sources.push_back(entry.path());
    std::sort(sources.begin(), sources.end());
    std::vector<std::string> seeds = SmallScenes();
    try {
        for (const auto& source : sources)
            seeds.push_back(SmallImageStream(source, dir));
    } catch (const std::exception& e) {
        std::fprintf(stderr, "seed_scene: %s\n", e.what());
        return 1;
    }
    std::filesystem::remove(std::filesystem::path(dir) / "small.bmp");
    return seed::WriteSeeds("seed_scene", dir, seeds, ".vcs") ? 0 : 1;
}
