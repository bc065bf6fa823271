#include "engine/pixies/VDirector.h"

#include <algorithm>
#include <climits>

#include "engine/pixies/VStreamBounds.h"
#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VStreamReaders.h"

namespace {

// A tuple is at least its length and three empty tokens: "0#0#0#0#".
constexpr int kMinTupleBytes = 8;

void AdvanceOnTimer(VComponent* sender, VEvent* event, void* userData)
{
    if (auto* director = dynamic_cast<VDirector*>(VComponent::FromUserData(userData)))
        director->Advance();
}

// Names compare as SameText does: ASCII folded, ended by the first NUL.
std::string FoldedName(const std::string& name)
{
    std::string folded;
    for (char c : name) {
        if (c == '\0')
            break;
        folded.push_back(c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c);
    }
    return folded;
}

int& NestingCount()
{
    static int depth = 0;
    return depth;
}

// Marks a director as applying its tracks for as long as it lives.
class Applying {
public:
    explicit Applying(bool& flag) : flag_(flag)
    {
        flag_ = true;
        ++NestingCount();
    }
    ~Applying()
    {
        flag_ = false;
        --NestingCount();
    }
    Applying(const Applying&) = delete;
    Applying& operator=(const Applying&) = delete;

private:
    bool& flag_;
};

}  // namespace

int VDirector::Nesting()
{
    return NestingCount();
}

VDirector::VDirector(std::string name, VComponent* owner)
    : VPixie(std::move(name), owner), timer_("timer_" + GetName(), nullptr, 100.0, false)
{
    timer_.AddHandler("OnTimer", AdvanceOnTimer, static_cast<VComponent*>(this));
}

bool VDirector::LoadPropFromStream(const std::string& name, std::istream& stream, int& consumed)
{
    if (VPixie::LoadPropFromStream(name, stream, consumed))
        return true;
    if (SameText(name, "FrameLength")) {
        double ms = AsReal(LoadStringFromStream(stream, consumed));
        if (!(ms >= kMinFrameLength))
            ms = kMinFrameLength;
        frameLength_ = ms;
        SetFrameInterval(ms);
        return true;
    }
    if (SameText(name, "Tupels")) {
        // Parsed inside its own value: whatever follows is the next property, not ours.
        VMemoryStream in(LoadValueFromStream(stream, consumed, "Director " + GetName() + " Tupels"));
        if (!AtEnd(in))
            LoadTupels(in);
        return true;
    }
    return false;
}

void VDirector::LoadTupels(std::istream& in)
{
    const std::string what = "Director " + GetName() + " Tupels";
    int n = 0;
    LoadStringFromStream(in, n);  // the directed pixies' names; the tuples name them again
    if (AtEnd(in))
        return;
    int32_t length = LoadLongIntFromStream(in, n);
    CheckDeclaredBytes(in, length, what);
    long long left = length;
    while (left > 0) {
        int used = 0;
        LoadLongIntFromStream(in, used);  // the tuple's own length; its tokens say where it ends
        std::string items[3];
        for (std::string& item : items) {
            int itemBytes = 0;
            item = LoadStringFromStream(in, itemBytes);
            if (itemBytes == 0)
                throw VStreamException(what + ": a tuple is cut short by the end of the value.");
            used += itemBytes;
        }
        left -= used;
        int32_t frame = AsInt(items[0]);
        lastFrame_ = std::max(lastFrame_, frame);
        TrackFor(items[1]).AddKeyFrame(VKeyFrame(frame, items[2]));
    }
}

VDirectorTrack& VDirector::TrackFor(const std::string& pixieName)
{
    auto [it, added] = trackIndex_.try_emplace(FoldedName(pixieName), tracks_.size());
    if (added)
        tracks_.emplace_back(pixieName, this);
    return tracks_[it->second];
}

void VDirector::SetXPos(float x)
{
    if (x != x_) {
        x_ = x;
        ShowFrame(-1);
    }
}

void VDirector::SetYPos(float y)
{
    if (y != y_) {
        y_ = y;
        ShowFrame(-1);
    }
}

void VDirector::SetZPos(float z)
{
    if (z != z_) {
        z_ = z;
        ShowFrame(-1);
    }
}

void VDirector::SetFrameInterval(double ms)
{
    timer_.SetInterval(ms);
}

void VDirector::SetPlaying(bool on, int32_t startFrame)
{
    if (IsPlaying() == on)
        return;
    timer_.SetEnabled(on);
    if (startFrame != -1)
        currentFrame_ = startFrame;
    if (IsPlaying())
        ShowFrame(currentFrame_);
}

void VDirector::Advance()
{
    if (tracks_.empty())
        return;
    bool passed = currentFrame_ >= lastFrame_;
    if (currentFrame_ < INT32_MAX)
        ++currentFrame_;
    if (passed) {
        FireEvent("OnReachEnd", 0);
        if (IsPlaying()) {
            SetPlaying(loop_, -1);
            SetFrameInterval(frameLength_);
            currentFrame_ = 1;
        }
    }
    if (IsPlaying())
        ShowFrame(currentFrame_);
}

void VDirector::ShowFrame(int32_t frame)
{
    if (frame != -1 && frame != currentFrame_) {
        currentFrame_ = frame;
        FireEvent("OnEnterCol", 0);
    }
    // A track that leads back here is skipped while this guard stands (VDirectorTrack).
    Applying applying(applying_);
    for (std::size_t i = 0; i < tracks_.size(); ++i)
        tracks_[i].ApplyFrame(currentFrame_);
}

bool VDirector::GetStartPosition(const std::string& name, float& x, float& y, float& z)
{
    for (const VDirectorTrack& track : tracks_) {
        if (!SameText(track.GetPixieName(), name) || track.GetKeyFrames().empty())
            continue;
        for (const std::string& assignment : track.GetKeyFrames().front().assignments) {
            std::string key = Before(assignment, "=");
            std::size_t at = assignment.find('=');
            float value = static_cast<float>(AsReal(at == std::string::npos ? "" : assignment.substr(at + 1)));
            if (SameText(key, "XPos"))
                x = value;
            else if (SameText(key, "YPos"))
                y = value;
            else if (SameText(key, "ZPos"))
                z = value;
        }
        return true;
    }
    return false;
}
