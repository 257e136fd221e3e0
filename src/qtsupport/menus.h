#pragma once
// The main window's top-level menus, in their order on the menu bar, as the
// window and its panels name them.

namespace zav {

// Calcular stands for every analysis of one file (the table of run kinds
// puts them beside it on the menu bar), all switched together.
enum TopMenu { Arquivo, Calcular, Similaridade, Grafico, Ajuda };
inline constexpr int kTopMenuCount = 5;

// The menus that the panels switch on and off; "Gráfico" follows from
// what is shown instead.
inline constexpr TopMenu kSwitchedMenus[] = {Arquivo, Calcular, Similaridade, Ajuda};

} // namespace zav
