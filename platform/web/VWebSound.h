#pragma once

#include <set>
#include <string>

// The show's wave sounds through the page's Web Audio. Names come as the show gives them,
// often without their ".wav" (FindSoundFile finds the file); a file's bytes go to the page
// once and are reused from there.
class VWebSound {
public:
    // False when the file is not there or the page has no running audio.
    bool Play(const std::string& fileName);

private:
    std::set<std::string> handedOver_;
};
