#pragma once
// Where the main window's panels sit in its client area: all on one layout,
// each over the area (the report, the help, the grid) or at a place of it
// (the entry panels), so that they follow the window's size, the fonts and
// the screen's scale. The panels lie over one another; the one opened last
// is raised.

#include <QSize>

class QLabel;
class QWidget;

namespace zav {

struct ClientPanels {
    QWidget* report = nullptr;  // Memo1, under the menus' band
    QLabel* warnings = nullptr; // LblAvisos, under the report
    QWidget* help = nullptr;    // Grupo1
    QWidget* entry = nullptr;   // EntraNo, at the top left
    QWidget* grid = nullptr;    // GrpPlan
    QWidget* prompts[3] = {};   // EntraCol, EntraComp and EntraComun, centred
};

// Lays the panels out in `client`; the warnings never take more than a
// third of its height.
void layOutClientArea(QWidget* client, const ClientPanels& panels);

// The least the client area needs for every panel, open or not.
QSize clientAreaMinimum(const ClientPanels& panels);

} // namespace zav
