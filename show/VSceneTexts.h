#pragma once

class VComponentManager;
class VTextBlock;

// The introduction and closing texts of one run of a talking scene. The header's "Intro" and
// "Exit" (defaults "Intro" and "Exit") list text block names separated by ","; successive runs
// take the pairs in turn and start again after the last "Intro" entry. `textIndex` is the
// scene's counter of runs, advanced here.
struct VSceneTexts {
    VTextBlock* intro = nullptr;
    VTextBlock* exit = nullptr;
};

VSceneTexts ChooseSceneTexts(const VComponentManager& components, int& textIndex);
