// The show recorded without a window: zibolt-record --record OUT.gif --seconds N ...

#include <cstdio>
#include <cstring>

#include "platform/headless/VRecordCommand.h"

int main(int argc, char** argv)
{
    if (argc > 1 && std::strcmp(argv[1], "--record") == 0)
        return RunRecordCommand(argc, argv);
    std::fprintf(stderr, "zibolt: this build only records.\n%s", RecordUsage().c_str());
    return 2;
}
