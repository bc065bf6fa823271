"""Mitzi: an astronaut cat teleports into the cabin as a streak of sparks, asks after a certain
mouse (she usually comes right after Nib), does her vanishing trick round the cabin and zaps
off again. She brings no mail."""
from scenekit import (Timeline, cabin, cabin_listening, cabin_talking, conversation, meeting_header, pilot_frames,
                      scene_file, seated, speaker, visits)

NAME = "Mitzi"
# From the cabin's top-left (the "Inside" item, laid on the ship's own cabin); depth 10 is in
# front of the seated hero (20) and behind the hull.
RIGHT, LEFT, CONSOLE = (130, -22), (20, -12), (70, 30)


def move_in():
    t = Timeline("MoveIn", 80, 60)
    for f in range(1, 61):
        t.pose(f, "Mitzi", "spark1" if f % 2 else "spark2", RIGHT[0], RIGHT[1] + (2 if f % 4 < 2 else 0), -10)
    return t


def playing():
    t = Timeline("Playing", 150, 40)
    cabin(t, 40)
    seated(t, [(1, "s_l90"), (8, "s_l135"), (12, "sit_listen1"), (20, "s_l135"), (26, "sit_talk1"), (27, "sit_talk2"),
               (28, "sit_talk1"), (29, "s_l135"), (36, "sit_talk1"), (37, "s_l90"), (40, "s_l90")])
    # Poof here, pop up there: right, left, right in front of the hero's nose, and back.
    steps = [(1, "idle", RIGHT, True), (4, "tada", RIGHT, True), (7, "poof1", RIGHT, True), (8, "poof2", RIGHT, True),
             (9, "poof2", RIGHT, False), (10, "poof2", LEFT, True), (11, "poof1", LEFT, True), (12, "tada", LEFT, True),
             (17, "poof1", LEFT, True), (18, "poof2", LEFT, True), (19, "poof2", LEFT, False),
             (20, "poof2", CONSOLE, True), (21, "poof1", CONSOLE, True), (22, "tada", CONSOLE, True),
             (27, "poof1", CONSOLE, True), (28, "poof2", CONSOLE, True), (29, "poof2", CONSOLE, False),
             (30, "poof2", RIGHT, True), (31, "poof1", RIGHT, True), (32, "tada", RIGHT, True), (37, "idle", RIGHT, True),
             (40, "idle", RIGHT, True)]
    for f, cur, (x, y), visible in steps:
        t.pose(f, "Mitzi", cur, x, y, 10 if (x, y) != CONSOLE else 5, visible)
    return t


def texts():
    cat = speaker(f"({RIGHT[0] + 34},{RIGHT[1] + 4})")
    return visits(
        (conversation(cat("Meow! Seen a mouse?"), "A mouse? Who, me?", cat(["I smell", "moon cheese..."]),
                      "That's my lunch!", cat("Hmm. Want a magic trick?")),
         conversation(cat("I'll be back. Purr."), "Knock first next time!")),
        (conversation(cat("Surprise! Teleport kitty!"), "Mitzi! You scared me!", cat("Watch this!")),
         conversation(cat(["Ta-da!", "Where's my fish?"]), "This isn't a fish shop!")))


def make(art):
    header = meeting_header(25, 2, 22, z=100, extra=["PlayingSound=poof"])
    records = [art.picture("Ship-Inside", "Inside"),
               art.sprite("Zibolt", "Zibo", frames=pilot_frames(art), sequences=[]), art.sprite("Mitzi")]
    records += [t.record() for t in (move_in(), cabin_talking("Mitzi", RIGHT, "talk", "idle"),
                                         cabin_listening("Mitzi", RIGHT, "idle", "blink"), playing())]
    return scene_file(header, records + texts())
