#include "saver/VSaverBindings.h"

// The program's own set, registered before main runs. It lives in an object library that
// every program links whole, so no linker drops it for being unreferenced.
namespace {
VSaverBindings programBindings;
}
