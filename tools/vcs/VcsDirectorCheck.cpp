#include "tools/vcs/VcsDirectorCheck.h"

#include <map>
#include <memory>

#include "engine/pixies/VDirector.h"
#include "engine/stream/VException.h"
#include "engine/stream/VMemoryStream.h"
#include "engine/stream/VText.h"
#include "platform/headless/VHeadlessStage.h"
#include "tools/vcs/VcsBytes.h"

namespace {

bool IsPosition(const std::string& key)
{
    return SameText(key, "XPos") || SameText(key, "YPos") || SameText(key, "ZPos");
}

// The key frames that interpolation pairs, in frame order: of several with one frame number
// the first in the list, as the director takes it.
std::vector<const VKeyFrame*> PairedKeyFrames(const VDirectorTrack& track)
{
    std::map<int32_t, const VKeyFrame*> byFrame;
    for (const VKeyFrame& key : track.GetKeyFrames())
        byFrame.emplace(key.frame, &key);
    std::vector<const VKeyFrame*> keys;
    for (const auto& entry : byFrame)
        keys.push_back(entry.second);
    return keys;
}

std::string KeyMismatch(const VDirector& director, const VDirectorTrack& track)
{
    std::vector<const VKeyFrame*> keys = PairedKeyFrames(track);
    for (std::size_t k = 1; k < keys.size(); ++k) {
        const VKeyFrame& prev = *keys[k - 1];
        const VKeyFrame& next = *keys[k];
        for (std::size_t i = 0; i < prev.assignments.size() && i < next.assignments.size(); ++i) {
            std::string key = Before(prev.assignments[i], "=");
            std::string other = Before(next.assignments[i], "=");
            if (!IsPosition(key) || SameText(key, other))
                continue;
            return "director " + Quoted(director.GetName()) + ", pixie " + Quoted(track.GetPixieName()) +
                   ": key frames " + std::to_string(prev.frame) + " and " + std::to_string(next.frame) +
                   " set different keys, so " + key + " of frame " + std::to_string(prev.frame) +
                   " would move towards " + other + " of frame " + std::to_string(next.frame) +
                   "; give every key frame of a track the same keys.";
        }
    }
    return {};
}

// A director reached again while following the directors it directs.
class CycleSearch {
public:
    explicit CycleSearch(const std::vector<VDirector*>& directors) : directors_(directors) {}

    std::string Find()
    {
        for (const VDirector* director : directors_) {
            path_.clear();
            if (Leads(director, director))
                return Describe();
        }
        return {};
    }

private:
    const VDirector* Named(const std::string& name) const
    {
        for (const VDirector* director : directors_)
            if (SameText(director->GetName(), name))
                return director;
        return nullptr;
    }

    // True when `from` leads to `target` through the directors it directs.
    bool Leads(const VDirector* from, const VDirector* target)
    {
        if (path_.size() > directors_.size())
            return false;
        for (const VDirectorTrack& track : from->GetTracks()) {
            const VDirector* next = Named(track.GetPixieName());
            if (!next)
                continue;
            path_.push_back(next);
            if (next == target)
                return true;
            bool seen = false;
            for (std::size_t i = 0; i + 1 < path_.size(); ++i)
                seen = seen || path_[i] == next;
            if (!seen && Leads(next, target))
                return true;
            path_.pop_back();
        }
        return false;
    }

    std::string Describe() const
    {
        const VDirector* start = path_.back();
        std::string message = "director " + Quoted(start->GetName()) + " directs itself";
        if (path_.size() > 1) {
            message += " through";
            for (std::size_t i = 0; i + 1 < path_.size(); ++i)
                message += (i ? ", " : " ") + Quoted(path_[i]->GetName());
        }
        return message + "; a director must not direct itself, directly or through others.";
    }

    const std::vector<VDirector*>& directors_;
    std::vector<const VDirector*> path_;
};

}  // namespace

std::string DirectorFault(const std::vector<VDirector*>& directors)
{
    for (const VDirector* director : directors) {
        for (const VDirectorTrack& track : director->GetTracks()) {
            std::string fault = KeyMismatch(*director, track);
            if (!fault.empty())
                return fault;
        }
    }
    return CycleSearch(directors).Find();
}

namespace {

std::string FaultOfRecords(const VcsStream& stream)
{
    // Directors need a stage for their timers; a private one leaves nothing behind.
    VHeadlessStage stage;
    std::vector<std::unique_ptr<VDirector>> owned;
    std::vector<VDirector*> directors;
    for (const VcsRecord& record : stream.records) {
        if (!SameText(record.className.bytes, "VDirector") || record.rawBlock)
            continue;
        VDirector* director = nullptr;
        for (VDirector* known : directors)
            if (SameText(known->GetName(), record.name.bytes))
                director = known;
        if (!director) {
            owned.push_back(std::make_unique<VDirector>(record.name.bytes, nullptr));
            director = owned.back().get();
            directors.push_back(director);
        }
        for (const VcsProperty& property : record.properties) {
            VMemoryStream value(TokenBytes(property.value));
            int consumed = 0;
            try {
                director->LoadPropFromStream(property.name.bytes, value, consumed);
            } catch (const VException&) {
                // A value the engine refuses is reported when the stream is loaded.
            }
        }
    }
    return DirectorFault(directors);
}

}  // namespace

std::string StreamDirectorFault(const VcsStream& stream)
{
    VStageCore* previous = CurrentStage();
    std::string fault = FaultOfRecords(stream);
    SetCurrentStage(previous);
    return fault;
}
