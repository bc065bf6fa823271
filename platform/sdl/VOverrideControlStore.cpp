#include "platform/sdl/VOverrideControlStore.h"

#include <cctype>

VOverrideControlStore::VOverrideControlStore(std::unique_ptr<VControlStore> below)
    : below_(std::move(below))
{
}

std::string VOverrideControlStore::Fold(const std::string& key)
{
    std::string folded = key;
    for (char& c : folded)
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return folded;
}

void VOverrideControlStore::Override(const std::string& key, const std::string& value)
{
    overrides_[Fold(key)] = value;
}

std::string VOverrideControlStore::Read(const std::string& key, const std::string& defaultValue)
{
    if (auto found = overrides_.find(Fold(key)); found != overrides_.end())
        return found->second;
    return below_ ? below_->Read(key, defaultValue) : defaultValue;
}

void VOverrideControlStore::Write(const std::string& key, const std::string& value)
{
    if (below_)
        below_->Write(key, value);
}

std::string VOverrideControlStore::GetProblem() const
{
    return below_ ? below_->GetProblem() : std::string();
}
