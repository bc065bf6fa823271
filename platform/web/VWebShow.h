#pragma once

#include <string>
#include <string_view>

class VStage;

// What the page's overlay asks of the running show. Failures are reported through the stage,
// as the show reports its own.
namespace VWebShow {

// One line per scene, in the show's order: its name, a tab, then "playing", "next" or nothing.
std::string ListScenes(VStage& stage);
// The named scene plays as soon as the one playing has ended; false when there is none such.
bool PlayNext(VStage& stage, const std::string& name);
// A scene file the viewer brought: written into the data folder and read from there as the
// folder's own files are, so a bad file gets the same report and the show goes on. A scene
// joins the choice and plays next. False when it was refused.
bool AddSceneFile(VStage& stage, const std::string& name, std::string_view bytes);

}  // namespace VWebShow
