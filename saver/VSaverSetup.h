#pragma once

class VStage;

// The handlers behind the stage's start-up bindings (VSaverBindings).

// At "OnBeforeEverything": makes the "Screensaver" behaviour and its engine; in configure mode
// starts the about program and stops the stage before anything of the stream is read.
void SetUpSaver(VStage& stage);

// Starts the about program beside the program, without waiting for it.
void StartAboutProgram(VStage& stage);

// At "OnRunSaver": builds the show from the settings: the ship (with its skin), the scene
// manager, the star floaters, then the scene files, and starts it.
void SetUpShow(VStage& stage);
