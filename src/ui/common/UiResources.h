#pragma once

namespace telmora {

// Registers the artwork compiled into the window library (icons, tool-bar
// glyphs, display art, the user manual). The registration lives in a static library, so it has
// to be referenced from linked code; calling this more than once is harmless.
void InitUiResources();

} // namespace telmora
