#pragma once
// The keyboard's lock lamps as the X server reports them. Kept apart because the X
// headers define names that clash with Qt's.
#include <optional>

namespace lumi::app {

// Whether indicator `name` ("Caps Lock", "Num Lock", "Scroll Lock") is lit; empty when
// the program is not on an X server or the server does not know the lamp.
std::optional<bool> LockIndicator(const char* name);

}  // namespace lumi::app
