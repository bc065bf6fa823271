#include "tests/assets/MainStreamKit.h"

#include "assets/MainStream.h"

namespace mainstream {

void MainStreamTest::SetUp()
{
    stage_ = std::make_unique<VHeadlessStage>();
    // The stream's own window rectangle is ignored; the show's stage is the background's size.
    stage_->GetSetup().windowRect = VRect(0, 0, 800, 600);
    stage_->SetMainStream(std::string(MainStreamData()));
    stage_->Load();
    ASSERT_TRUE(stage_->GetReportedExceptions().empty()) << stage_->GetReportedExceptions().front();
}

namespace {

template <class T>
T& Find(VStage& stage, const std::string& name)
{
    T* found = dynamic_cast<T*>(stage.FindComponent(name));
    if (!found)
        throw std::runtime_error("the main stream has no " + name + " of the expected class");
    return *found;
}

}  // namespace

VPicture& MainStreamTest::Picture(const std::string& name) { return Find<VPicture>(*stage_, name); }
VSprite& MainStreamTest::Sprite(const std::string& name) { return Find<VSprite>(*stage_, name); }
VDirector& MainStreamTest::Director(const std::string& name) { return Find<VDirector>(*stage_, name); }

void MainStreamTest::PlaceOverShip(VDirector& director, const Anchor& ship)
{
    float x = 0, y = 0, z = 0;
    ASSERT_TRUE(director.GetStartPosition("Ship-Inside", x, y, z)) << director.GetName();
    director.SetLoop(false);
    director.SetPos(ship.x + kInsideLeft - x, ship.y + kInsideTop - y, ship.z + kShipInsideDepth - z);
}

}  // namespace mainstream
