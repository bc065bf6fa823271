#include "saver/VSaverSetup.h"

#include <algorithm>

#include "engine/pixies/VPicture.h"
#include "engine/pixies/VSprite.h"
#include "engine/stage/VStage.h"
#include "engine/stream/VComponentRef.h"
#include "engine/stream/VException.h"
#include "engine/stream/VText.h"
#include "saver/VAboutLauncher.h"
#include "saver/VScreensaver.h"
#include "show/RegisterShowClasses.h"
#include "show/VControlSettings.h"
#include "show/VDataPaths.h"
#include "show/VRandom.h"
#include "show/VSceneManager.h"
#include "show/VSpaceShip.h"

namespace {

void AppendChild(VStage& stage, VComponent* component)
{
    auto& children = stage.GetChildren();
    if (std::find(children.begin(), children.end(), component) == children.end())
        children.push_back(component);
}

// A skin that cannot be read is reported, and the ship keeps the skin it has: the file is
// tried on a spare surface first, so a half-read file never replaces the built-in image.
void LoadSkin(VStage& stage, VPicture& skinPicture, const std::string& path)
{
    try {
        stage.CreateSurface(1, 1)->LoadFromFile(path);
        skinPicture.GetSurface().LoadFromFile(path);
    } catch (const VException& failure) {
        stage.HandleException(failure.GetMessage());
    }
}

}  // namespace

void SetUpSaver(VStage& stage)
{
    auto* saver = new VScreensaver(stage);  // owned by the stage
    stage.SetCaption("Zibolt");
    if (saver->GetEngine().IsConfigure()) {
        StartAboutProgram(stage);
        stage.Stop();
    }
}

void StartAboutProgram(VStage& stage)
{
    LaunchProgram(AboutProgramPath(stage.GetProgramDirectory()));
}

void SetUpShow(VStage& stage)
{
    const std::string dir = ReadDataDir(stage.GetProgramDirectory());
    const std::string engineType = ReadControlValue("Engine", "1");
    const std::string skin = ReadControlValue("Skin", "");
    const std::string sound = ReadControlValue("Sound", "1");
    stage.SetSoundEnabled(AsInt(sound) == 1);

    ComponentRef<VScreensaver>("Screensaver")->SetKeysEnd(false);

    ComponentRef<VPicture> outline("Ship-Outline");
    ComponentRef<VPicture> skinPicture("Ship-Skin");
    ComponentRef<VPicture> inside("Ship-Inside");
    ComponentRef<VSprite> engine("Ship-Engine");
    ComponentRef<VPicture> gear("Ship-Land");
    ComponentRef<VSprite> hero("Zibolt");

    hero->SetVisible(false);
    hero->SetXY(100, 100);

    if (!skin.empty())
        LoadSkin(stage, *skinPicture, DataPath(dir, {"Skins", skin + ".bmp"}));

    auto* ship = new VSpaceShip(outline->GetSurface(), skinPicture->GetSurface(),
                                inside->GetSurface(), gear->GetSurface(), engine.Get(),
                                hero.Get(), stage);
    AppendChild(stage, ship);
    ship->SetEngine(engineType, true);

    auto* manager = new VSceneManager(ship, hero.Get(), &stage);
    AppendChild(stage, manager);

    std::vector<VSprite*> stars;
    for (VComponent* child : stage.GetChildren())
        if (auto* sprite = dynamic_cast<VSprite*>(child))
            if (IsTrue(GetTagValue(sprite->GetTags(), "Sterretje", "")))
                stars.push_back(sprite);
    for (VSprite* star : stars)
        manager->AddFloater(star, 4.0f);

    SeedRandom();
    RegisterShowClasses();
    manager->LoadSceneFiles(dir);
    manager->StartShow();
}
