#pragma once
// The main window's top-level menus, in their order on the menu bar, as the
// window and its panels name them.

namespace zav {

enum TopMenu { Arquivo, Calcular, Diversidade, Flutuacao, Similaridade, Grafico, Ajuda };
inline constexpr int kTopMenuCount = 7;

// The menus that the panels switch on and off; "Gráfico" follows from
// what is shown instead.
inline constexpr TopMenu kSwitchedMenus[] = {Arquivo, Calcular, Diversidade, Flutuacao, Similaridade, Ajuda};

} // namespace zav
