#pragma once
// The default handler of every window: runs a menu or button handler and
// shows any error it raises in an error box, then returns to the event loop.

#include "qtsupport/interaction.h"

#include <functional>

namespace zav {

void runGuarded(Interaction& interaction, const std::function<void()>& handler);

} // namespace zav
