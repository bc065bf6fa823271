// Writes a seed corpus for fuzz_control into the folder given: a key and a value to write,
// each ended by a backslash and one more byte, then the settings file's text.
#include <cstdio>
#include <string>
#include <vector>

#include "fuzz/SeedFiles.h"

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: seed_control DIR\n");
        return 2;
    }
    auto seed = [](const std::string& key, const std::string& value, const std::string& text) {
        return key + "\\;" + value + "\\;" + text;
    };
    const std::string usual =
        "[Zibolt]\nDir=/home/someone/Zibolt scenes\nEngine=2\nSkin=Red\nSound=0\nBloop.vcs=1\n";
    const std::vector<std::string> seeds = {
        seed("Dir", "/tmp/scenes", ""),
        seed("Sound", "1", usual),
        seed("Skin", "Blue", "[Zibolt]\r\nDir=C:\\\\Zibolt\r\nSkin=Red\r\n"),
        seed("Fuzz.vcs", "1", "; written by hand\n[Other]\nDir=/elsewhere\n\n[zibolt]\n  engine = 3 \n"),
        seed("Engine", "\"4\"", "[Zibolt]\nEngine=\"1\"\n[Zibolt]\nEngine=2\nSound=1\n"),
        seed("Dir", "a\nb", "Dir=outside any section\n[ Zibolt ] trailing\n# Dir=comment\nDir\n=novalue\n"),
        seed("Skin", "", "[Zibolt\nSkin=unclosed\n[]\nSkin=empty section\n"),
        seed("Sound", "1", std::string("[Zibolt]\nSound=0\n\x1a", 18)),
    };
    return seed::WriteSeeds("seed_control", argv[1], seeds, ".ini") ? 0 : 1;
}
