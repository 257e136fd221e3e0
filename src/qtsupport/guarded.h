#pragma once
// The default handler of every window: runs a menu or button handler and
// shows any error it raises in an error box, then returns to the event loop.

#include "qtsupport/interaction.h"

#include <QAbstractButton>

#include <functional>

namespace zav {

void runGuarded(Interaction& interaction, const std::function<void()>& handler);

// Connects a panel's button to a handler of the panel, run inside runGuarded.
template <typename Owner>
void connectGuardedClick(QAbstractButton* button, Owner* owner, Interaction& interaction, void (Owner::*handler)()) {
    QObject::connect(button, &QAbstractButton::clicked, owner, [owner, &interaction, handler] {
        runGuarded(interaction, [owner, handler] { (owner->*handler)(); });
    });
}

} // namespace zav
