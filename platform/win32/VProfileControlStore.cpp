#include "platform/win32/VProfileControlStore.h"

#include <windows.h>
#include <shlobj.h>

#include <memory>
#include <string>
#include <vector>

namespace {

bool FileExists(const std::string& path)
{
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FolderOf(const std::string& path)
{
    size_t slash = path.find_last_of("\\/");
    return slash == std::string::npos ? std::string() : path.substr(0, slash);
}

std::string ErrorText(DWORD code)
{
    char* text = nullptr;
    DWORD n = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                 FORMAT_MESSAGE_IGNORE_INSERTS,
                             nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message = n && text ? std::string(text, n) : "error " + std::to_string(code);
    if (text)
        LocalFree(text);
    while (!message.empty() && (message.back() == '\n' || message.back() == '\r' ||
                                message.back() == ' ' || message.back() == '.'))
        message.pop_back();
    return message;
}

}  // namespace

VProfileControlStore::VProfileControlStore(std::string file, std::string olderFile)
    : file_(std::move(file)), olderFile_(std::move(olderFile))
{
}

std::string VProfileControlStore::UserFile()
{
    char folder[MAX_PATH] = {};
    if (SUCCEEDED(SHGetFolderPathA(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder)) &&
        folder[0])
        return std::string(folder) + "\\Zibolt\\control.ini";
    return "";
}

std::string VProfileControlStore::Read(const std::string& key, const std::string& defaultValue)
{
    const std::string& file = FileExists(file_) ? file_ : olderFile_;
    // The profile call cuts a value to the buffer without saying so: grow until it fits.
    for (DWORD size = 512; size <= (1u << 20); size *= 4) {
        std::vector<char> buffer(size);
        DWORD n = GetPrivateProfileStringA(kSection, key.c_str(), defaultValue.c_str(),
                                           buffer.data(), size, file.c_str());
        if (n < size - 1)
            return std::string(buffer.data(), n);
    }
    return defaultValue;
}

bool VProfileControlStore::StartFile()
{
    if (file_ == olderFile_ || FileExists(file_))
        return true;
    // The folder first (the profile functions make the file, not its folders); then the
    // older file's section as the starting values.
    SHCreateDirectoryExA(nullptr, FolderOf(file_).c_str(), nullptr);
    for (DWORD size = 4096; size <= (1u << 20); size *= 4) {
        std::vector<char> buffer(size);
        DWORD n = GetPrivateProfileSectionA(kSection, buffer.data(), size, olderFile_.c_str());
        if (n == 0)
            return true;
        if (n < size - 2)
            return WritePrivateProfileSectionA(kSection, buffer.data(), file_.c_str()) != FALSE;
    }
    return true;
}

bool VProfileControlStore::TryWrite(const std::string& key, const std::string& value)
{
    bool ok = StartFile() &&
              WritePrivateProfileStringA(kSection, key.c_str(), value.c_str(), file_.c_str()) != FALSE;
    problem_.clear();
    if (!ok)
        problem_ = "cannot write \"" + key + "\" to " + file_ + ": " + ErrorText(GetLastError());
    lastWriteOk_ = ok;
    return ok;
}

void VProfileControlStore::Write(const std::string& key, const std::string& value)
{
    TryWrite(key, value);
}

VProfileControlStore& InstallProfileControlStore()
{
    std::string file = VProfileControlStore::UserFile();
    // Without an application data folder the settings stay where they always were.
    auto store = std::make_unique<VProfileControlStore>(
        file.empty() ? VProfileControlStore::kOlderFile : file, VProfileControlStore::kOlderFile);
    VProfileControlStore& installed = *store;
    SetControlStore(std::move(store));
    return installed;
}
