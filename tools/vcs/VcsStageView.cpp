#include "tools/vcs/VcsStageView.h"

#include <cstdio>

#include "engine/pixies/VDirector.h"
#include "engine/pixies/VFrameRef.h"
#include "engine/pixies/VPicture.h"
#include "engine/pixies/VSprite.h"
#include "engine/pixies/VTextBlock.h"
#include "engine/stream/VException.h"
#include "engine/stream/VTimer.h"
#include "tools/vcs/VcsErrors.h"
#include "tools/vcs/VcsFiles.h"

namespace {

constexpr std::uintmax_t kMaxStreamBytes = INT32_MAX;

// Component names and texts from a stream may hold any bytes; JSON strings must be UTF-8.
std::string Printable(const std::string& text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        }
    }
    return out;
}

VcsJson PrintableLines(const VTagList& lines)
{
    VcsJson list = VcsJson::array();
    for (const std::string& line : lines)
        list.push_back(Printable(line));
    return list;
}

VcsJson SizeJson(float width, float height)
{
    return {{"width", width}, {"height", height}};
}

void AddPixieFields(VcsJson& out, const VPixie& pixie)
{
    out["x"] = pixie.GetXPos();
    out["y"] = pixie.GetYPos();
    out["z"] = pixie.GetZPos();
    out["visible"] = pixie.IsVisible();
}

VcsJson PictureJson(const VPicture& picture)
{
    VcsJson out = SizeJson(picture.GetWidth(), picture.GetHeight());
    out["transparent"] = picture.IsTransparent();
    out["transColor"] = ColourJson(picture.GetTransColor());
    return out;
}

VcsJson StepJson(const VPixieModifier& step)
{
    VcsJson out;
    if (const auto* frameRef = dynamic_cast<const VFrameRef*>(&step))
        out["frame"] = Printable(frameRef->GetFrameName());
    out["ms"] = step.GetTime();
    if (const auto* place = dynamic_cast<const VPlaceModifier*>(&step)) {
        out["deltaX"] = place->GetDeltaX();
        out["deltaY"] = place->GetDeltaY();
        out["deltaZ"] = place->GetDeltaZ();
    }
    return out;
}

VcsJson SpriteJson(const VSprite& sprite)
{
    VcsJson out;
    out["curFrameName"] = Printable(sprite.GetCurFrameName());
    out["mirrorX"] = sprite.GetMirrorX();
    out["mirrorY"] = sprite.GetMirrorY();
    VcsJson frames = VcsJson::array();
    for (const auto& frame : sprite.GetFrames()) {
        const VSurface* surface = frame->GetSurface();
        VcsJson entry = SizeJson(surface ? surface->GetWidth() : 0, surface ? surface->GetHeight() : 0);
        entry["name"] = Printable(frame->GetName());
        entry["transparent"] = ColourJson(frame->GetTransparentColour());
        entry["hotSpotX"] = frame->GetHotSpotX();
        entry["hotSpotY"] = frame->GetHotSpotY();
        frames.push_back(std::move(entry));
    }
    out["frames"] = std::move(frames);
    VcsJson sequences = VcsJson::array();
    for (const auto& sequence : sprite.GetSequences()) {
        VcsJson steps = VcsJson::array();
        for (const auto& step : sequence->GetSteps())
            steps.push_back(StepJson(*step));
        sequences.push_back({{"name", Printable(sequence->GetName())}, {"steps", std::move(steps)}});
    }
    out["sequences"] = std::move(sequences);
    return out;
}

VcsJson DirectorJson(const VDirector& director)
{
    VcsJson out;
    out["frameLength"] = director.GetFrameLength();
    out["lastFrame"] = director.GetLastFrame();
    out["loop"] = director.GetLoop();
    VcsJson tracks = VcsJson::array();
    for (const VDirectorTrack& track : director.GetTracks()) {
        VcsJson keyFrames = VcsJson::array();
        for (const VKeyFrame& key : track.GetKeyFrames()) {
            VcsJson assignments = VcsJson::array();
            for (const std::string& assignment : key.assignments)
                assignments.push_back(Printable(assignment));
            keyFrames.push_back({{"frame", key.frame}, {"set", std::move(assignments)}});
        }
        tracks.push_back({{"pixie", Printable(track.GetPixieName())}, {"keyFrames", std::move(keyFrames)}});
    }
    out["tracks"] = std::move(tracks);
    return out;
}

}  // namespace

VcsJson ColourJson(int32_t colour)
{
    if (colour == -1)
        return nullptr;
    char text[32];
    std::snprintf(text, sizeof text, "RGB24:%06X", static_cast<unsigned>(colour) & 0xFFFFFFu);
    return text;
}

std::unique_ptr<VHeadlessStage> LoadStreamOnStage(const std::string& file)
{
    std::string bytes = ReadFileBytes(file, kMaxStreamBytes);
    auto stage = std::make_unique<VHeadlessStage>();
    stage->SetMainStream(std::move(bytes));
    stage->Load();
    CheckNoEngineError(*stage);
    return stage;
}

void CheckNoEngineError(const VHeadlessStage& stage)
{
    if (!stage.GetReportedExceptions().empty())
        throw VcsEngineError(stage.GetReportedExceptions().front());
}

VcsJson DescribeComponent(VComponent& component)
{
    VcsJson out;
    // Sprites and directors answer with their base's class name; the stream calls them by theirs.
    std::string className = component.GetClassName();
    if (className == "VPixie" && dynamic_cast<VSprite*>(&component))
        className = "VSprite";
    else if (className == "VPixie" && dynamic_cast<VDirector*>(&component))
        className = "VDirector";
    out["class"] = className;
    out["name"] = Printable(component.GetName());
    if (auto* pixie = dynamic_cast<VPixie*>(&component))
        AddPixieFields(out, *pixie);
    out["tags"] = PrintableLines(component.GetTags());
    // The class's own part; the most derived known class wins, so a show class built on a
    // sprite still shows its frames.
    if (auto* picture = dynamic_cast<VPicture*>(&component))
        out["picture"] = PictureJson(*picture);
    else if (auto* sprite = dynamic_cast<VSprite*>(&component))
        out["sprite"] = SpriteJson(*sprite);
    else if (auto* director = dynamic_cast<VDirector*>(&component))
        out["director"] = DirectorJson(*director);
    else if (auto* text = dynamic_cast<VTextBlock*>(&component))
        out["text"] = PrintableLines(text->GetLines());
    else if (auto* timer = dynamic_cast<VTimer*>(&component))
        out["timer"] = {{"interval", timer->GetInterval()}, {"enabled", timer->IsEnabled()}};
    return out;
}

VcsJson DescribeStage(VHeadlessStage& stage)
{
    VcsJson out;
    out["format"] = "vcs-show-1";
    out["header"] = PrintableLines(stage.GetHeader());
    VcsJson own;
    own["caption"] = Printable(stage.GetCaption());
    if (const VSurface* background = stage.GetBackground())
        own["background"] = SizeJson(background->GetWidth(), background->GetHeight());
    const VStageSetup& setup = stage.GetSetup();
    own["fullScreen"] = setup.fullScreen;
    own["hasFrame"] = setup.hasFrame;
    own["showCursor"] = setup.showCursor;
    own["backColor"] = ColourJson(setup.backColor);
    own["tags"] = PrintableLines(stage.GetTags());
    out["stage"] = std::move(own);
    VcsJson components = VcsJson::array();
    for (VComponent* component : stage.GetChildren()) {
        if (component != &stage)
            components.push_back(DescribeComponent(*component));
    }
    out["components"] = std::move(components);
    return out;
}
