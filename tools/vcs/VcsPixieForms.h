#pragma once

// The value forms for sprite and director lists, so authors write them as JSON lists:
//   {"frames": [{"name": ..., "image": "a.bmp", "transparent": ..., "hotSpotX": ..., ...}]}
//   {"sequences": [{"name": ..., "steps": [{"frame": ..., "time": 100, "deltaX": ...}]}]}
//   {"tupels": [{"frame": 1, "pixie": ..., "set": {"XPos": 284, "Visible": true}}]}
// They write the bytes that VSprite and VDirector read (engine/pixies/VPixieListWriter.h).
// `vcs` registers them at start; calling this again is harmless.
void RegisterPixieValueForms();
