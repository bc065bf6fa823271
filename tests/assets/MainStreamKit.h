#pragma once

// The embedded main stream loaded into a headless stage, with typed look-ups of its records
// and the ship's placement rules as the show applies them.

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "engine/pixies/VDirector.h"
#include "engine/pixies/VPicture.h"
#include "engine/pixies/VSprite.h"
#include "platform/headless/VHeadlessStage.h"

namespace mainstream {

// The ship's anchor (centre of the body's bottom edge) where the planet scene lands it on an
// 800 x 600 stage, and its depth between scenes.
struct Anchor {
    float x = 800 * 0.5f - 200;
    float y = 600 - 100;
    float z = 1;
};

// Where the ship draws its cabin relative to the anchor, and how far a hatch director's items
// lie behind the ship.
constexpr float kInsideLeft = -110;
constexpr float kInsideTop = -159;
constexpr float kShipInsideDepth = 40;
// The ship's hero seat: the seated frame's top edge above the anchor.
constexpr float kSeatTop = -190;
// The lowered landing gear's top edge above the anchor.
constexpr float kGearTuck = 18;

class MainStreamTest : public ::testing::Test {
protected:
    void SetUp() override;

    VPicture& Picture(const std::string& name);
    VSprite& Sprite(const std::string& name);
    VDirector& Director(const std::string& name);

    // Moves a hatch director as the planet scene does before playing it: its "Ship-Inside"
    // item onto the ship's inside, its items `kShipInsideDepth` behind the ship.
    void PlaceOverShip(VDirector& director, const Anchor& ship);

    std::unique_ptr<VHeadlessStage> stage_;
};

}  // namespace mainstream
