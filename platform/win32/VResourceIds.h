#pragma once

// Resource numbers shared by the resource scripts and the code (plain defines: the resource
// compiler reads this file too).

// The hero icon: the number the stage window's class asks its module for, and the first
// icon group, which Explorer and the display settings show for the files.
#define ZIBOLT_ICON 32512

// The about program's dialog and its controls.
#define ZIBOLT_ABOUT_DIALOG 100
#define ZIBOLT_ABOUT_DESCRIPTION 101
#define ZIBOLT_ABOUT_SOUND 102
#define ZIBOLT_ABOUT_ENGINE 103
#define ZIBOLT_ABOUT_SKIN 104
#define ZIBOLT_ABOUT_DIR 105
#define ZIBOLT_ABOUT_BROWSE 106
#define ZIBOLT_ABOUT_PROBLEMS 107
#define ZIBOLT_ABOUT_PICTURE 108
