#pragma once

// A folder of this fuzz process's own for the files a target hands to the code under test,
// in memory where the system offers that (/dev/shm), removed when the process ends.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <system_error>
#include <unistd.h>

class FuzzScratch {
public:
    explicit FuzzScratch(const std::string& name)
    {
        std::error_code error;
        std::filesystem::path base = std::filesystem::is_directory("/dev/shm", error)
                                         ? std::filesystem::path("/dev/shm")
                                         : std::filesystem::temp_directory_path();
        dir_ = base / ("zibolt-" + name + "-" + std::to_string(getpid()));
        std::filesystem::remove_all(dir_, error);
        std::filesystem::create_directories(dir_);
    }
    ~FuzzScratch()
    {
        std::error_code ignored;
        std::filesystem::remove_all(dir_, ignored);
    }
    FuzzScratch(const FuzzScratch&) = delete;
    FuzzScratch& operator=(const FuzzScratch&) = delete;

    const std::filesystem::path& Dir() const { return dir_; }

    // Writes `size` bytes as the file `name` in the folder and gives its path. A failure here
    // is the machine's, not the input's: the run stops.
    std::filesystem::path Put(const std::string& name, const void* data, std::size_t size) const
    {
        std::filesystem::path path = dir_ / name;
        std::FILE* f = std::fopen(path.c_str(), "wb");
        if (!f || std::fwrite(data, 1, size, f) != size || std::fclose(f) != 0) {
            std::perror(path.c_str());
            std::abort();
        }
        return path;
    }

private:
    std::filesystem::path dir_;
};
