#pragma once

class VScene;

// A scene file may name a sound of its own in the header key "PlayingSound": a wave of the
// Sounds folder, named without its extension like the show's other sounds ("chime" plays
// Sounds/chime). The scene plays it through the stage, like the engine and hero sounds, as its
// performance begins: the "Playing" director of a planet or meeting scene, the "Scene" director
// of an in-ship scene, the flight of a moving scene. Nothing plays when the key is missing or
// empty, or while the stage's sound is off.
void PlayPlayingSound(const VScene& scene);
