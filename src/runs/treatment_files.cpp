#include "runs/treatment_files.h"

#include "data/errors.h"
#include "data/file_io.h"
#include "similarity/species_pairing.h"

namespace zav {

std::vector<std::string> TreatmentFiles::pathsUtf8() const {
    std::vector<std::string> out;
    for (const auto& path : paths)
        out.push_back(path.string());
    return out;
}

std::vector<std::string> TreatmentFiles::namesUtf8() const { return names_; }

void TreatmentFiles::rename(std::vector<std::string> names) {
    if (names.size() == names_.size()) names_ = std::move(names);
}

void TreatmentFiles::add(const std::filesystem::path& file) {
    files_.push_back(loadTreatmentSpecies(file));
    paths.push_back(absolutePath(file));
    names_.push_back(paths.back().filename().string());
}

void TreatmentFiles::add(std::string_view bytes, const std::string& shownName) {
    try {
        files_.push_back(parseTreatmentSpecies(bytes));
    } catch (const DataFileError& e) {
        // As for a file: the message says which treatment it is.
        throw DataFileError(printable(shownName) + ": " + e.detail());
    }
    paths.emplace_back(shownName);
    names_.push_back(shownName);
}

void TreatmentFiles::finish(Clock& clock) { finish(clock.now()); }

void TreatmentFiles::finish(const DateTime& at) {
    when = at;
    std::vector<std::string> labels;
    for (std::size_t t = 0; t < paths.size(); ++t)
        labels.push_back("T" + std::to_string(t + 1) + " (" + names_[t] + ")");
    auto paired = pairSpecies(files_, labels);
    matrix = std::move(paired.matrix);
    pairedByName = paired.byName;
    notes = std::move(paired.notes);
    speciesNames = std::move(paired.names);
}

TreatmentFiles loadTreatments(const std::vector<std::filesystem::path>& files, Clock& clock) {
    TreatmentFiles treatments;
    for (const auto& file : files)
        treatments.add(file);
    treatments.finish(clock);
    return treatments;
}

TreatmentFiles loadTreatments(const std::vector<NamedBytes>& files, const DateTime& when) {
    TreatmentFiles treatments;
    for (const auto& file : files)
        treatments.add(file.bytes, file.name);
    treatments.finish(when);
    return treatments;
}

} // namespace zav
