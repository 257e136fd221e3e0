#pragma once
// The similarity results as JSON for other programs (R, Python).

#include "similarity/similarity.h"

#include <string>
#include <vector>

namespace zav {

// The similarity results as JSON (UTF-8, LF): {"tratamentos": [paths],
// "avisos": [notes] (only when there are notes on the species' pairing),
// "pares": [{"par": "T1 x T2", "comuns", "a", "b", "quociente",
// "intervalo": [lo, hi]}]}, the numbers at full precision, null wherever the
// report prints "-". Throws ComputationError when a result is not a finite
// number.
std::string similarityJson(const SimilarityResult& result, const std::vector<std::string>& pathsUtf8,
                           const std::vector<std::string>& notesUtf8 = {});

} // namespace zav
