#pragma once

// Plugs the stream classes of this library ("VPicture", "VSprite", "VDirector") into the
// component manager's class factory. The stage calls it when it is constructed; an explicit
// call, because registrations run from static initialisers of a static library are dropped
// by the linker when nothing else in their file is used. Calling it again is harmless.
void RegisterPixieClasses();
