#pragma once
// ZAVIRO's icon, from the program's own resources: the same pictures the
// desktop's icon theme gets, so no image plugin is needed to show it.

#include <QIcon>

namespace zav {

QIcon applicationIcon();

} // namespace zav
