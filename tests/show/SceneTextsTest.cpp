#include <gtest/gtest.h>

#include <sstream>

#include "engine/pixies/RegisterPixieClasses.h"
#include "engine/pixies/VTextBlock.h"
#include "engine/stream/VComponentManager.h"
#include "engine/stream/VStreamWriter.h"
#include "show/VSceneTexts.h"

namespace {

struct SceneFile {
    explicit SceneFile(const std::vector<std::string>& header)
    {
        RegisterPixieClasses();
        VStreamWriter writer;
        writer.Header(header);
        for (const char* name : {"A", "B", "C", "Intro", "Exit"})
            writer.Record("VText", name, VPropertyWriter().Tags("Contents", {name}));
        std::istringstream in(writer.Bytes());
        components.AddComponentStream(&in);
    }
    std::string Pair(int& index)
    {
        VSceneTexts texts = ChooseSceneTexts(components, index);
        return (texts.intro ? texts.intro->GetName() : "-") + "/" +
               (texts.exit ? texts.exit->GetName() : "-");
    }
    VComponentManager components{"Scene.VCS", nullptr};
};

TEST(SceneTexts, RunsTakeThePairsInTurn)
{
    SceneFile file({"Intro=A,B", "Exit=C"});
    int index = 0;
    EXPECT_EQ(file.Pair(index), "A/C");
    EXPECT_EQ(file.Pair(index), "B/-") << "a shorter exit list gives no closing text";
    EXPECT_EQ(file.Pair(index), "A/C") << "after the last intro it starts again";
    EXPECT_EQ(index, 1);
}

TEST(SceneTexts, DefaultsAndUnknownNames)
{
    SceneFile plain({});
    int index = 0;
    EXPECT_EQ(plain.Pair(index), "Intro/Exit");
    EXPECT_EQ(plain.Pair(index), "Intro/Exit");

    SceneFile odd({"Intro=a,Missing,", "Exit=,b,c"});
    index = 0;
    EXPECT_EQ(odd.Pair(index), "A/-") << "names ignore letter case; an empty entry is none";
    EXPECT_EQ(odd.Pair(index), "-/B");
    EXPECT_EQ(odd.Pair(index), "-/C") << "a trailing comma is one more (empty) entry";
    EXPECT_EQ(odd.Pair(index), "A/-");
}

}  // namespace
