"""The second batch of scenes, one module per scene file: NAME (the file's name without its
extension) and make(art), which returns the scene's JSON source."""

MODULES = ["frost", "crumb", "glub", "clank", "petal", "snooze", "rolo", "mitzi", "grumpus", "jellybell", "slalom", "dive", "loop", "hiccup", "nap", "photo", "drifters"]
