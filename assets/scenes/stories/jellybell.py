"""Jellybell: a space jellyfish swims up by pulsing her bell, glows in every colour for the hero
and brings a party card from planet Crumb, which usually comes next."""
from scenekit import Timeline, catch_up, conversation, cycle, meeting_header, scene_file, speaker, visits

NAME = "Jellybell"
SPOT = (-252, -250)
SWIM = ["swim1", "swim2"]


def directors():
    move_in = Timeline("MoveIn", 120, 100)
    cycle(move_in, "Jellybell", 1, 100, SPOT, SWIM, every=3, bob=8)
    talking = Timeline("Talking", 150, 16)
    cycle(talking, "Jellybell", 1, 16, SPOT, ["talk", "swim1"], every=1)
    not_talking = Timeline("NotTalking", 250, 20)
    cycle(not_talking, "Jellybell", 1, 20, SPOT, ["swim1", "swim2", "swim1", "blink"], every=2, bob=4)
    playing = Timeline("Playing", 150, 36)
    cycle(playing, "Jellybell", 1, 36, SPOT, ["glow1", "glow2", "swim2"], every=2, bob=12)
    move_out = catch_up("MoveOut", "Jellybell", SPOT, SWIM, frames=30, length=120, every=3)
    return [move_in, talking, not_talking, playing, move_out]


def texts():
    jelly = speaker(f"({SPOT[0] + 58},{SPOT[1] + 10})")
    return visits(
        (conversation(jelly("Ding! Special delivery!"), "Hi! Are you a jellyfish?", jelly("A jelly-bell. Ding!"),
                      "Ooh, do you glow?", jelly("Watch this!")),
         conversation(jelly(["A party card", "from planet Crumb!"]), "Cake party? I'm going!")),
        (conversation(jelly("Ding-a-ling! Mail!"), "Hi, Jellybell!", jelly("Lights, please!")),
         conversation(jelly(["Cake awaits", "on Crumb!"]), "Set course for dessert!")))


def make(art):
    header = meeting_header(30, 2, 4, extra=["PreferredNextScene=Crumb.vcs", "PlayingSound=twinkle"])
    records = [art.sprite("Jellybell"), art.sprite("Jellybell-Mail", "VMAIL")]
    records += [t.record() for t in directors()]
    return scene_file(header, records + texts())
