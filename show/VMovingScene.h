#pragma once

#include <string>

#include "show/VScene.h"

// The ship flies a path of points through the scene file's own scenery, in depth as well as
// across the stage, growing and shrinking with perspective, and the scene ends at the last
// point. Header "Path": points "x,y,z" separated by "|"; at depth z the ship stands x right
// of and y below the stage centre, drawn at scale 100 / z. Header "Speed": path-space
// distance per tick.
class VMovingScene : public VScene {
public:
    // Hides every pixie of the file; steps every 1 ms.
    VMovingScene(std::string name, VComponentManager* components, VComponent* parent);

    std::string GetClassName() const override { return "VMovingScene"; }

    // One step along the path.
    void OnTick() override;
    // Reads the path and places the ship at its first point, heading for the second.
    void Begin() override;
    // The file's sky items on a cleared background.
    void ShowSkyItems(VStage& stage) override;
    bool KeepsSky() const override { return false; }
    // Moves the ship `step` along the path, passing points as needed; false once the path is
    // used up (the ship is then not placed again).
    virtual bool Advance(float step);

    // Takes the next usable point of the rest of the path as the target; false when none is
    // left. A point at depth 0 has no perspective and is passed over.
    bool NextPathPoint();
    // Puts the ship where the path-space point (x, y, z) shows.
    void PlaceShip(float x, float y, float z);

    struct Point {
        float x = 0;
        float y = 0;
        float z = 0;
    };
    const Point& GetTarget() const { return target_; }
    const Point& GetCurrent() const { return current_; }
    float GetSpeed() const { return speed_; }
    const std::string& GetRestOfPath() const { return restOfPath_; }

private:
    std::string restOfPath_;
    Point target_;
    Point current_;
    float speed_ = 0;
};
