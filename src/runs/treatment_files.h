#pragma once
// Treatment files read for a run of several: their species put side by
// side (similarity/species_pairing.h), their names as the user sees them.

#include "data/clock.h"
#include "runs/run_kind.h"
#include "similarity/similarity.h"
#include "similarity/treatment_file.h"

#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zav {

struct TreatmentFiles {
    std::vector<std::filesystem::path> paths; // absolute (or the names shown), in the order given
    DateTime when;
    // The rows of the species put side by side (similarity/species_pairing.h):
    // by name when every file names its species, by line otherwise.
    PresenceMatrix matrix;
    bool pairedByName = false;
    // What the outputs say about the pairing, one sentence each (UTF-8):
    // "Espécies pareadas pelo nome, ..." or "Aviso: ..."; empty for files
    // of the same species lines.
    std::vector<std::string> notes;
    // The species' names (UTF-8, empty for none), one per row of the
    // matrix: the names of all files when paired by name, otherwise the
    // first file's.
    std::vector<std::string> speciesNames;

    // Reads one more treatment file (its errors name it); the window reads
    // each file as soon as it is chosen.
    void add(const std::filesystem::path& file);
    // A file's bytes, named `shownName` (UTF-8) in the outputs and errors.
    void add(std::string_view bytes, const std::string& shownName);
    // Reads the clock and pairs the species, once every file is in.
    void finish(Clock& clock);
    void finish(const DateTime& when);

    std::vector<std::string> pathsUtf8() const;
    std::vector<std::string> namesUtf8() const; // the file names alone, or as renamed
    // The treatments as the user named them, T1 first, in the outputs and
    // charts; nothing changes unless there is a name for each.
    void rename(std::vector<std::string> names);

  private:
    std::vector<TreatmentSpecies> files_;
    // Each file's name: a path's last part, or the name given with the
    // bytes, whole ("Mata ciliar 2023/24" is a name, not a path).
    std::vector<std::string> names_;
};
TreatmentFiles loadTreatments(const std::vector<std::filesystem::path>& files, Clock& clock);
// The page's files, each named as it names them.
TreatmentFiles loadTreatments(const std::vector<NamedBytes>& files, const DateTime& when);

} // namespace zav
