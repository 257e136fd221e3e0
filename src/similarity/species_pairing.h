#pragma once
// How the species lines of several treatment files are put side by side.
//
// When every file names its species (every line with individuals has a
// name, and no name is given twice in a file), a species is known by its
// name: the names are compared as they are kept (spaces trimmed, case and
// accents as written), and the species of all files, in the order they
// first appear (the first file's, then the names only later files have),
// form the rows. Otherwise, and also when every file lists the same names
// in the same order, a species is known by its line, as the data file
// always said. Files listed line by line give the same rows either way.

#include "similarity/similarity.h"
#include "similarity/treatment_file.h"

#include <string>
#include <vector>

namespace zav {

struct PairedSpecies {
    PresenceMatrix matrix;
    // Row k's name (UTF-8, empty for none): the union of the names when
    // paired by name, the first file's names otherwise.
    std::vector<std::string> names;
    bool byName = false;
    // What a reader of the results must know, one sentence each (UTF-8):
    // that the species were paired by name, or why pairing by line may be
    // wrong ("Aviso: ..."). Empty for files of the same species lines.
    std::vector<std::string> notes;
};

// `labels` names the files in the notes ("T2 (pasto.txt)"), one per file.
PairedSpecies pairSpecies(const std::vector<TreatmentSpecies>& files, const std::vector<std::string>& labels);

} // namespace zav
