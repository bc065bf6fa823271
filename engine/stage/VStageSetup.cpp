#include "engine/stage/VStageSetup.h"

#include "engine/stream/VStreamReaders.h"
#include "engine/stream/VText.h"

bool VStageSetup::LoadPropFromStream(const std::string& name, std::istream& stream, int& consumed)
{
    if (SameText(name, "BackColor")) {
        backColor = LoadColorFromStream(stream, consumed);
        return true;
    }
    bool* flag = nullptr;
    if (SameText(name, "Fullscreen"))
        flag = &fullScreen;
    else if (SameText(name, "HasFrame"))
        flag = &hasFrame;
    else if (SameText(name, "ShowCursor"))
        flag = &showCursor;
    else if (SameText(name, "UseColor"))
        flag = &useColor;
    if (flag) {
        *flag = IsTrue(LoadStringFromStream(stream, consumed));
        return true;
    }
    if (SameText(name, "WindowRect")) {
        // The stored block only holds zeros; the window keeps its own size.
        LoadStringFromStream(stream, consumed);
        return true;
    }
    return false;
}
