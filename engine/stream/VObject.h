#pragma once

// Common root of the engine's objects; carries nothing.
class VObject {};
