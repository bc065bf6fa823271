"""Rolo: a travelling salesman robot rolls up on his ball with today's bargains (mittens for a
space pilot, an umbrella for space rain), leaves his catalogue and rolls on. His mittens come
in handy on Frost, which usually comes next."""
from scenekit import (Timeline, catch_up, conversation, cycle, meeting_header, scene_file, speaker, visitor_talks,
                      visits)

NAME = "Rolo"
SPOT = (-240, -150)             # his top-left from the ship's anchor: he stops just left of the hull
ROLL = ["roll1", "roll2", "roll3"]


def directors():
    move_in = Timeline("MoveIn", 100, 100)
    cycle(move_in, "Rolo", 1, 100, SPOT, ROLL, every=1)
    talking, not_talking = visitor_talks("Rolo", SPOT, "talk", "roll1", ["roll1", "roll1", "roll1", "blink"])
    playing = Timeline("Playing", 150, 40)
    cycle(playing, "Rolo", 1, 14, SPOT, ["show1", "talk"], every=2, bob=4, close=False)
    cycle(playing, "Rolo", 14, 30, SPOT, ["show2", "show2", "talk"], every=2, bob=6, close=False)
    cycle(playing, "Rolo", 30, 40, SPOT, ROLL, every=1)
    move_out = catch_up("MoveOut", "Rolo", SPOT, ROLL, frames=24, every=1)
    return [move_in, talking, not_talking, playing, move_out]


def texts():
    rolo = speaker(f"({SPOT[0] + 58},{SPOT[1] + 8})")
    return visits(
        (conversation(rolo("Hello, valued customer!"), "Um... hello?", rolo(["Today's deal:", "space mittens!"]),
                      "Why would I need those?", rolo("You'll see! Watch!")),
         conversation(rolo(["A free catalogue!", "No refunds!"]), "Thanks... I think.", rolo("Roll on, friend!"))),
        (conversation(rolo("Rolo's Rolling Shop!"), "What do you sell?", rolo("Spare spare parts!"),
                      "Spare spare parts?"),
         conversation(rolo(["In case your", "spares break!"]), ["Smart. Weird,", "but smart."])))


def make(art):
    header = meeting_header(30, 2, 6, extra=["PreferredNextScene=Frost.vcs", "PlayingSound=ding"])
    records = [art.sprite("Rolo"), art.sprite("Rolo-Mail", "VMAIL")]
    records += [t.record() for t in directors()]
    return scene_file(header, records + texts())
