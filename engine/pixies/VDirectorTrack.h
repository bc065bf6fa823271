#pragma once

#include <cstdint>
#include <string>
#include <vector>

class VDirector;
class VPixie;

// One key frame of a director's timeline: what one pixie is at one frame number.
struct VKeyFrame {
    // Cuts the text at every ";", drops empty pieces and sorts the rest bytewise, so the same
    // keys of two key frames with the same key set stand at the same positions.
    VKeyFrame(int32_t frame, const std::string& assignmentsText);

    int32_t frame;
    std::vector<std::string> assignments;  // "key=value", sorted
};

// The key frames of one directed pixie, which is looked up by name when first needed.
class VDirectorTrack {
public:
    VDirectorTrack(std::string pixieName, VDirector* director)
        : pixieName_(std::move(pixieName)), director_(director)
    {
    }

    // Sets the pixie's values for frame n, X, Y and Z moving straight towards the next key
    // frame; does nothing while the pixie is not found or before the first key frame.
    void ApplyFrame(int32_t n);

    void AddKeyFrame(VKeyFrame keyFrame) { keyFrames_.push_back(std::move(keyFrame)); }
    const std::string& GetPixieName() const { return pixieName_; }
    const std::vector<VKeyFrame>& GetKeyFrames() const { return keyFrames_; }
    // The pixie once resolved, else null.
    VPixie* GetPixie() const { return pixie_; }
    // A track that led back to a director applying it is skipped from then on.
    bool IsSkipped() const { return skipped_; }

private:
    VPixie* ResolvePixie();
    // True (and the track skipped, once reported) when applying it would apply a director
    // that is being applied already: its own, directly or through other directors.
    bool LeadsBack(VPixie* pixie);

    std::string pixieName_;
    std::vector<VKeyFrame> keyFrames_;
    VPixie* pixie_ = nullptr;
    VDirector* director_;
    bool skipped_ = false;
};
