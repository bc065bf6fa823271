#pragma once

// Plugs the pixie classes that streams may name into the component factory. The stage calls
// it on construction; calling it again is harmless.
void RegisterPixieClasses();
