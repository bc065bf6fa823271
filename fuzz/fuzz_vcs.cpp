// Any bytes through `vcs tokens`: either a clean refusal, or a listing that builds back the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "tools/vcs/VcsErrors.h"
#include "tools/vcs/VcsJsonReader.h"
#include "tools/vcs/VcsJsonWriter.h"
#include "tools/vcs/VcsParser.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string bytes(reinterpret_cast<const char*>(data), size);
    VcsStream stream;
    try {
        stream = ParseStream(bytes);
    } catch (const VcsStreamError& e) {
        if (e.Offset() > size)
            std::abort();
        return 0;
    }
    VcsBuildContext context;
    std::string again = StreamBytes(StreamFromJson(VcsJson::parse(StreamToJson(stream)), context));
    if (again != bytes)
        std::abort();
    return 0;
}
