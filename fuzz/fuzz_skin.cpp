// A ship skin as a user drops it into Skins/: read as the show's set-up reads it (tried on a
// spare surface first; a file that cannot be read leaves the built-in skin), then the ship is
// built over the main stream's outline, cabin and gear, and drawn at natural size and scaled,
// with the flame and gear part-way. The main stream, read once, has images of 12 x 12 pixels:
// with the full art, copying and caching the layers' pixels took nearly all of each run.
#include <cstdint>
#include <memory>
#include <string>

#include "engine/pixies/VPicture.h"
#include "engine/pixies/VSprite.h"
#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "fuzz/FuzzScratch.h"
#include "fuzz/FuzzStage.h"
#include "fuzz/SmallImageStream.h"
#include "show/VSpaceShip.h"

namespace {

class MainStage : public FuzzStage {
public:
    explicit MainStage(const std::string& mainStream) : FuzzStage(64, 48, 1), main_(mainStream) { Load(); }
    std::unique_ptr<std::istream> LoadResourceStream() override
    {
        return std::make_unique<VMemoryStream>(main_.data(), main_.size());
    }
    template <class T>
    T& Find(const char* name)
    {
        auto* found = dynamic_cast<T*>(FindComponent(name));
        if (!found)
            throw VException(std::string("the main stream has no ") + name);
        return *found;
    }

private:
    std::string main_;
};

std::unique_ptr<VSurface> ReadSkin(MainStage& stage, const std::string& path)
{
    try {
        stage.CreateSurface(1, 1)->LoadFromFile(path);
        std::unique_ptr<VSurface> skin = stage.CreateSurface(1, 1);
        skin->LoadFromFile(path);
        return skin;
    } catch (const VException&) {
        return stage.MakeSurfaceCopy(stage.Find<VPicture>("Ship-Skin").GetSurface());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratch folder("fuzz-skin");
    static MainStage stage(SmallImageStream(MainStreamSource(), folder.Dir().string(), 12));
    static VSurface& outline = stage.Find<VPicture>("Ship-Outline").GetSurface();
    static VSurface& inside = stage.Find<VPicture>("Ship-Inside").GetSurface();
    static VSurface& gear = stage.Find<VPicture>("Ship-Land").GetSurface();
    static VSprite& engine = stage.Find<VSprite>("Ship-Engine");
    static VSprite& hero = stage.Find<VSprite>("Zibolt");
    static std::unique_ptr<VSurface> target = stage.CreateSurface(64, 48);

    std::unique_ptr<VSurface> skin = ReadSkin(stage, folder.Put("Skin.bmp", data, size).string());
    auto ship = std::make_unique<VSpaceShip>(outline, *skin, inside, gear, &engine, &hero, stage);
    ship->SetXPos(32);
    ship->SetYPos(44);
    ship->UpdateRect();
    ship->Draw(*target, ship->GetXPos(), ship->GetYPos(), nullptr);
    ship->SetFlameAmount(0.5f);
    ship->SetGearExtension(0.3f);
    ship->SetScale(0.37f);
    ship->UpdateRect();
    ship->Draw(*target, ship->GetXPos(), ship->GetYPos(), nullptr);
    return 0;
}
