#pragma once

// The built scene files of the data folder, read as the show reads them, and a whole show
// played on the headless stage over a chosen set of them.

#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "engine/stream/VComponentManager.h"
#include "platform/headless/VHeadlessStage.h"
#include "saver/VSaverBindings.h"
#include "show/VControlSettings.h"

class VDirector;
class VSceneManager;
class VSprite;
class VTextBlock;

namespace scenefiles {

std::filesystem::path DataDir();
// The scene files (*.vcs) of the data folder, sorted.
std::vector<std::string> SceneFileNames();

// The balloons of a conversation: the text between separator lines.
std::vector<std::string> Balloons(const VTextBlock& text);
// How long the balloon takes to say `text`: each balloon 800 ms + 30 ms a byte, then a pause.
double TalkMs(const VTextBlock* text);
// A director's one pass, from its start to its end.
double PassMs(const VDirector* director);
// One pass of a sprite's sequence.
double SequenceMs(const VSprite& sprite, const std::string& name);
// The entries of a ","-separated header list.
std::vector<std::string> ListEntries(const std::string& list);
// The points of a moving scene's "Path": x, y (pixels from the centre) and depth.
struct PathPoint {
    double x, y, z;
};
std::vector<PathPoint> PathPoints(std::string path);

// The main stream on a headless stage, without the show: what scene directors find on the
// stage besides their own file.
class MainStage {
public:
    MainStage();
    VHeadlessStage& Stage() { return *stage_; }

private:
    std::unique_ptr<VHeadlessStage> stage_;
};

// One scene file read by a component manager, as the scene manager reads it.
std::unique_ptr<VComponentManager> ReadSceneFile(const std::string& fileName);

// The show with the saver's set-up, the embedded main stream and a data folder holding only
// the given scene files, at 800 x 600 (or `width` x `height`), with a fixed seed and settings in
// memory.
class ShowRun {
public:
    ShowRun(const std::vector<std::string>& sceneFiles, unsigned seed, int width = 800, int height = 600);
    ~ShowRun();

    VHeadlessStage& Stage() { return *stage_; }
    VSceneManager& Manager();
    // How often the scene file `name` was started: the manager notes every start in the
    // settings, so a scene that ends and starts again between two looks is still counted.
    int Starts(const std::string& name) const
    {
        auto found = writes_.find(name);
        return found == writes_.end() ? 0 : found->second;
    }

private:
    class Store;
    std::filesystem::path dir_;
    std::map<std::string, std::string> settings_;
    std::map<std::string, int> writes_;
    std::unique_ptr<VSaverBindings> bindings_;
    std::unique_ptr<VHeadlessStage> stage_;
};

}  // namespace scenefiles
