// A control.ini as a user may leave it (edited by hand, from another system, written over),
// read and written through the settings store the program uses off Windows: one key is
// written, as the show does with its "shown" flags and the settings program with every change.
// What a write may never do: lose or change another setting, store a value that does not read
// back, or touch a file it refused to write.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdint>
#include <cstdlib>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "engine/stream/VText.h"
#include "fuzz/FuzzScratch.h"
#include "show/VIniControlStore.h"

namespace {

std::string FileBytes(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// What a stored value reads back as: control bytes but tabs (line breaks among them) are
// blanks, outer blanks and one pair of outer quotes are not kept.
std::string ReadBack(std::string value)
{
    for (char& c : value)
        if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
            c = ' ';
    std::size_t begin = value.find_first_not_of(" \t");
    std::size_t end = value.find_last_not_of(" \t");
    value = begin == std::string::npos ? "" : value.substr(begin, end - begin + 1);
    if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
        value = value.substr(1, value.size() - 2);
    return value;
}

void Fail(const char* what, const std::string& key, const std::string& detail)
{
    std::fprintf(stderr, "control.ini: %s (key \"%s\"): %s\n", what, key.c_str(), detail.c_str());
    std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static const FuzzScratch folder("fuzz-control");
    // A value not in any file: tells "not found" from any stored text.
    static const std::string kAbsent("\x01 absent \x01", 10);
    FuzzedDataProvider input(data, size);
    const std::string key = input.ConsumeRandomLengthString(40);
    const std::string value = input.ConsumeRandomLengthString(200);
    const std::string text = input.ConsumeRemainingBytesAsString();
    const std::filesystem::path file = folder.Put("control.ini", text.data(), text.size());

    VIniControlStore store(file, "Zibolt");
    if (!store.TryWrite(key, value)) {
        if (store.GetProblem().empty())
            Fail("a refused write gave no reason", key, "");
        if (FileBytes(file) != text)
            Fail("a refused write changed the file", key, store.GetProblem());
        return 0;
    }
    const std::string stored = store.Read(key, kAbsent);
    if (!store.GetProblem().empty())
        Fail("the file written cannot be read back", key, store.GetProblem());
    if (stored != ReadBack(value))
        Fail("the value written does not read back", key, "\"" + stored + "\"");
    // The settings the program keeps, before and after, as the store finds them in the text.
    const std::string written = FileBytes(file);
    for (const char* other : {"Dir", "Engine", "Skin", "Sound", "Fuzz.vcs"}) {
        if (SameText(other, key))
            continue;
        std::string before = kAbsent, after = kAbsent;
        VIniControlStore::FindValue(text, "Zibolt", other, before);
        VIniControlStore::FindValue(written, "Zibolt", other, after);
        if (after != before)
            Fail("writing changed another setting", other, "\"" + before + "\" became \"" + after + "\"");
    }
    return 0;
}
