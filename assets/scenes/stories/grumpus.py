"""Grumpus: the grumpiest, fastest comet zooms up, grumbles at the slowpoke, shows off a
loop-the-loop with a tail of fireworks and hands over a complaint form."""
import math

from scenekit import (Timeline, catch_up, conversation, cycle, meeting_header, scene_file, speaker, visitor_talks,
                      visits)

NAME = "Grumpus"
SPOT = (-330, -200)
FLY = ["fly1", "fly2"]


def directors():
    move_in = Timeline("MoveIn", 100, 100)
    cycle(move_in, "Grumpus", 1, 100, SPOT, FLY, every=1)
    talking, not_talking = visitor_talks("Grumpus", SPOT, "talk", "fly1", ["fly1", "fly2", "fly1", "blink"])
    playing = Timeline("Playing", 100, 40)
    # One loop-the-loop, up and over backwards, with fireworks in the tail.
    x, y = SPOT
    for f in range(1, 31):
        a = (f - 1) / 29 * 2 * math.pi
        playing.pose(f, "Grumpus", "show1" if f % 2 else "show2", round(x + 80 * math.sin(a)),
                     round(y - 80 + 80 * math.cos(a)))
    cycle(playing, "Grumpus", 31, 40, SPOT, ["smirk", "smirk", "show2"], every=3)
    move_out = catch_up("MoveOut", "Grumpus", SPOT, FLY, frames=16, every=1)
    return [move_in, talking, not_talking, playing, move_out]


def texts():
    comet = speaker(f"({SPOT[0] + 155},{SPOT[1] + 16})")
    return visits(
        (conversation(comet("Move it, slowpoke!"), "Hi! Who are you?", comet(["Grumpus. Fastest", "comet in space."]),
                      "Nice tail!", comet(["...Thanks.", "Watch this!"])),
         conversation(comet("Here. A complaint form."), "What's the complaint?", comet("You're too nice!"))),
        (conversation(comet("You again? Hmph."), "Hi, Grumpus! Race me?", comet("Ha! Watch and weep!")),
         conversation(comet("Not bad for a slowpoke."), "Was that a smile?", comet("NO. Bye."))))


def make(art):
    header = meeting_header(25, 2, 16, extra=["PlayingSound=whoosh"])
    records = [art.sprite("Grumpus"), art.sprite("Grumpus-Mail", "VMAIL")]
    records += [t.record() for t in directors()]
    return scene_file(header, records + texts())
