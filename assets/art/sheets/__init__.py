"""The second batch of scene art: one module per scene (or per world), each drawing its own
sheet with sheet_layout.Sheet. scene_sheets.py writes the sheets; scene_art.py lists what they
hold in the manifest."""
import importlib

MODULES = ["bloop", "fizz", "frost", "crumb", "glub", "clank", "petal", "snooze", "rolo", "mitzi", "grumpus", "jellybell", "space", "cabin", "drifters"]

_built = None


def built():
    """Every sheet, drawn once per process (ids inside the drawings are numbered in this order)."""
    global _built
    if _built is None:
        _built = [importlib.import_module(f"sheets.{m}").build() for m in MODULES]
    return _built
