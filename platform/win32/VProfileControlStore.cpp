#include "platform/win32/VProfileControlStore.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

std::string VProfileControlStore::Read(const std::string& key, const std::string& defaultValue)
{
    // The profile call cuts a value to the buffer without saying so: grow until it fits.
    for (DWORD size = 512; size <= (1u << 20); size *= 4) {
        std::vector<char> buffer(size);
        DWORD n = GetPrivateProfileStringA(kSection, key.c_str(), defaultValue.c_str(),
                                           buffer.data(), size, kFile);
        if (n < size - 1)
            return std::string(buffer.data(), n);
    }
    return defaultValue;
}

void VProfileControlStore::Write(const std::string& key, const std::string& value)
{
    problem_.clear();
    if (!WritePrivateProfileStringA(kSection, key.c_str(), value.c_str(), kFile))
        problem_ = std::string("cannot write ") + kFile + " (Windows error " +
                   std::to_string(GetLastError()) + ")";
}

void InstallProfileControlStore()
{
    SetControlStore(std::make_unique<VProfileControlStore>());
}
