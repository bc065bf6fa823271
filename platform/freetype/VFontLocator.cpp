#include "platform/freetype/VFontLocator.h"

#include <fontconfig/fontconfig.h>
#include <strings.h>

namespace {

VFontFile Match(const std::string& family, bool exact)
{
    VFontFile found;
    if (!FcInit())
        return found;
    FcPattern* pattern = FcPatternCreate();
    if (!pattern)
        return found;
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, FC_WEIGHT_REGULAR);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(nullptr, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(nullptr, pattern, &result);
    FcPatternDestroy(pattern);
    if (!match)
        return found;
    // fontconfig always offers something; a stand-in for another family does not count.
    FcChar8* name = nullptr;
    bool sameFamily = false;
    for (int n = 0; FcPatternGetString(match, FC_FAMILY, n, &name) == FcResultMatch; ++n) {
        if (strcasecmp(reinterpret_cast<const char*>(name), family.c_str()) == 0) {
            sameFamily = true;
            break;
        }
    }
    FcChar8* file = nullptr;
    if ((sameFamily || !exact) && FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch) {
        found.path = reinterpret_cast<const char*>(file);
        int index = 0;
        if (FcPatternGetInteger(match, FC_INDEX, 0, &index) == FcResultMatch)
            found.index = index;
        if (FcPatternGetString(match, FC_FAMILY, 0, &name) == FcResultMatch)
            found.family = reinterpret_cast<const char*>(name);
    }
    FcPatternDestroy(match);
    return found;
}

}  // namespace

VFontFile FindFontFamily(const std::string& family)
{
    return Match(family, true);
}

VFontFile FindAnySansFont()
{
    return Match("sans-serif", false);
}
