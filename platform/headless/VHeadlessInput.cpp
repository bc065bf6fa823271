#include "platform/headless/VHeadlessInput.h"

#include <cmath>
#include <sstream>

#include "engine/stream/VException.h"
#include "engine/stream/VText.h"

std::vector<VHeadlessInput> ParseInputScript(const std::string& text)
{
    using Kind = VHeadlessInput::Kind;
    std::vector<VHeadlessInput> events;
    std::istringstream lines(text);
    std::string line;
    int number = 0;
    while (std::getline(lines, line)) {
        ++number;
        line = Before(line, "#");
        std::istringstream words(line);
        double time = 0;
        std::string what;
        if (!(words >> time)) {
            std::string rest;
            if (std::istringstream(line) >> rest)
                throw VException("Input script line " + std::to_string(number) + ": no time.");
            continue;
        }
        if (!std::isfinite(time) || !(words >> what))
            throw VException("Input script line " + std::to_string(number) + ": no event.");
        auto bad = [&] {
            return VException("Input script line " + std::to_string(number) + ": \"" + what +
                              "\" needs its values.");
        };
        if (SameText(what, "move") || SameText(what, "down") || SameText(what, "up")) {
            float x = 0, y = 0;
            if (!(words >> x >> y))
                throw bad();
            Kind kind = SameText(what, "move") ? Kind::MouseMove
                        : SameText(what, "down") ? Kind::MouseDown
                                                 : Kind::MouseUp;
            events.push_back(VHeadlessInput::Mouse(time, kind, x, y));
        } else if (SameText(what, "keydown") || SameText(what, "keyup") || SameText(what, "key") ||
                   SameText(what, "activate")) {
            int32_t code = 0;
            if (!(words >> code))
                throw bad();
            if (SameText(what, "activate")) {
                events.push_back(VHeadlessInput::Key(time, Kind::Activate, code));
            } else {
                if (!SameText(what, "keyup"))
                    events.push_back(VHeadlessInput::Key(time, Kind::KeyDown, code));
                if (!SameText(what, "keydown"))
                    events.push_back(VHeadlessInput::Key(time, Kind::KeyUp, code));
            }
        } else {
            throw VException("Input script line " + std::to_string(number) + ": unknown event \"" +
                             what + "\".");
        }
    }
    return events;
}
