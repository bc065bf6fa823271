#pragma once

#include <cstdint>
#include <string>

class VComponentManager;
class VDirector;
class VPixieSequencer;
class VSprite;
class VSpaceShip;
class VStage;
class VScene;

// Small pieces the scene kinds share: lookups in a scene file, director starts and stops
// that tolerate a missing director, and the hero's talk and listen sequences.

VDirector* FindDirector(const VComponentManager& components, const std::string& name);

// Scenes start a director once from its first frame; null is left alone.
void StartDirectorOnce(VDirector* director);
// From `frame` (-1: where it stands); null is left alone.
void StartDirector(VDirector* director, int32_t frame);
void StopDirector(VDirector* director, int32_t frame = -1);
// A missing director, or one that cannot advance, counts as finished, so no wait on it can
// last for ever.
bool IsDirectorRunning(const VDirector* director);

// Runs the hero's sequence `name` endlessly and stops it again at once, which leaves the
// sequence object for a balloon to switch. Null when there is no hero or no such sequence:
// the balloon then simply leaves that side still.
VPixieSequencer* PrepareHeroSequence(VSprite* hero, const std::string& name);
// Plays the hero's sequence once where it stands; false (and nothing runs) when it is missing.
bool RunHeroOnce(VSprite* hero, const std::string& name);
// Only while its sequence can still finish.
bool IsHeroBusy(const VSprite* hero);

// The manager's ship and hero of a started scene; the ship must be there.
VSpaceShip& SceneShip(const VScene& scene);
VSprite* SceneHero(const VScene& scene);

// The stage's width and height.
float StageWidth(VStage& stage);
float StageHeight(VStage& stage);

class VBalloon;
class VComponent;

// A talking scene's balloon "Balloon": owned by `owner`, listed on the stage so it is painted.
VBalloon* MakeSceneBalloon(VComponent* owner, VStage& stage);
// Takes the balloon off the stage's list again while that stage is still the current one
// (a stage being destroyed has already let go of its list).
void UnlistSceneBalloon(VBalloon* balloon, VStage* stage);
