#pragma once
// Upper 5 % points of the F distribution, read between the table's points
// by linear interpolation in the degrees of freedom.

#include <cstdint>

namespace zav {

inline constexpr int kFRows = 34;    // nu2 = 1..30, 40, 60, 120, infinity
inline constexpr int kFColumns = 23; // nu1 = 1..16, 20, 24, 30, 40, 60, 120, infinity

// The cell at 1-based row and column positions, as the table holds it.
double fTableCell(int row, int column);

// F(nu1, nu2): the column from the numerator nu1, the row from the
// denominator nu2. A degree of freedom on a table point reads that point;
// above 120 it reads the infinity point (nothing is interpolated between
// 120 and infinity); between two points it interpolates linearly, first
// along nu1, then along nu2. Throws ComputationError for a degree of
// freedom below 1, which has no place in the table.
double fLookup(std::int64_t nu1, std::int64_t nu2);

} // namespace zav
