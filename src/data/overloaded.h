#pragma once
// The lambdas of a std::visit, one per alternative: a variant that gains
// an alternative none of them takes no longer compiles.

namespace zav {

template <typename... Handlers> struct Overloaded : Handlers... { using Handlers::operator()...; };
// Clang before 17 deduces no aggregate's arguments by itself.
template <typename... Handlers> Overloaded(Handlers...) -> Overloaded<Handlers...>;

} // namespace zav
