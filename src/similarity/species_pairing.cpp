#include "similarity/species_pairing.h"

#include "similarity/similarity_report.h"

#include <algorithm>
#include <map>
#include <optional>

namespace zav {
namespace {

constexpr const char* kByLine = "; espécies pareadas pela linha";

std::string quoted(const std::string& name) { return "\"" + name + "\""; }

// Whether every line with individuals has a name; the first name given to
// two lines, as "Aviso: ..." naming the file, when there is one.
struct FileNames {
    bool complete = true;
    std::optional<std::string> repeated;
};

FileNames checkNames(const TreatmentSpecies& file, const std::string& label) {
    FileNames check;
    std::map<std::string, std::size_t> lineOf;
    for (std::size_t k = 0; k < file.counts.size(); ++k) {
        const std::string& name = k < file.names.size() ? file.names[k] : std::string();
        if (name.empty()) {
            if (file.counts[k] != 0) check.complete = false;
            continue;
        }
        const auto [at, added] = lineOf.emplace(name, k + 1);
        if (!added && !check.repeated)
            check.repeated = "Aviso: " + label + " dá o nome " + quoted(name) + " a duas espécies (" +
                             std::to_string(at->second) + " e " + std::to_string(k + 1) + ")" + kByLine;
    }
    return check;
}

bool sameNames(const std::vector<TreatmentSpecies>& files) {
    return std::all_of(files.begin(), files.end(), [&](const TreatmentSpecies& f) {
        return f.counts.size() == files.front().counts.size() && f.names == files.front().names;
    });
}

PairedSpecies byName(const std::vector<TreatmentSpecies>& files) {
    PairedSpecies paired;
    paired.byName = true;
    std::map<std::string, std::size_t> rowOf;
    for (const auto& file : files)
        for (std::size_t k = 0; k < file.counts.size(); ++k)
            if (const auto& name = file.names[k]; !name.empty() && rowOf.emplace(name, paired.names.size()).second)
                paired.names.push_back(name);
    for (const auto& file : files) {
        std::vector<std::int32_t> counts(paired.names.size(), 0);
        for (std::size_t k = 0; k < file.counts.size(); ++k)
            if (const auto& name = file.names[k]; !name.empty()) counts[rowOf.at(name)] = file.counts[k];
        paired.matrix.treatments.push_back(std::move(counts));
    }
    paired.notes.push_back("Espécies pareadas pelo nome, não pela linha: " + std::to_string(paired.names.size()) +
                           " espécies nos " + std::to_string(files.size()) + " tratamentos");
    return paired;
}

// The first species line named differently in two files that both name it.
std::optional<std::string> differentNames(const std::vector<TreatmentSpecies>& files,
                                          const std::vector<std::string>& labels) {
    std::size_t lines = 0;
    for (const auto& file : files)
        lines = std::max(lines, file.names.size());
    for (std::size_t k = 0; k < lines; ++k) {
        std::optional<std::size_t> first;
        for (std::size_t f = 0; f < files.size(); ++f) {
            if (k >= files[f].names.size() || files[f].names[k].empty()) continue;
            if (!first) {
                first = f;
            } else if (files[f].names[k] != files[*first].names[k]) {
                return "Aviso: a espécie " + std::to_string(k + 1) + " tem nomes diferentes em " + labels[*first] +
                       " e " + labels[f] + " (" + quoted(files[*first].names[k]) + ", " + quoted(files[f].names[k]) +
                       ")" + kByLine;
            }
        }
    }
    return std::nullopt;
}

} // namespace

PairedSpecies pairSpecies(const std::vector<TreatmentSpecies>& files, const std::vector<std::string>& labels) {
    // Every file's names as long as its species lines.
    std::vector<TreatmentSpecies> named = files;
    for (auto& file : named)
        file.names.resize(file.counts.size());

    bool allNamed = !named.empty();
    std::vector<std::string> repeated;
    for (std::size_t f = 0; f < named.size(); ++f) {
        const auto check = checkNames(named[f], labels[f]);
        allNamed = allNamed && check.complete;
        if (check.repeated) repeated.push_back(*check.repeated);
    }
    const bool anyName = std::any_of(named.begin(), named.end(), [](const TreatmentSpecies& f) {
        return std::any_of(f.names.begin(), f.names.end(), [](const std::string& n) { return !n.empty(); });
    });
    if (allNamed && anyName && repeated.empty() && !sameNames(named)) return byName(named);

    PairedSpecies paired;
    for (const auto& file : named)
        paired.matrix.treatments.push_back(file.counts);
    if (!named.empty()) paired.names = named.front().names;
    if (const auto warning = speciesLinesWarning(paired.matrix); !warning.empty())
        paired.notes.push_back(warning + kByLine);
    paired.notes.insert(paired.notes.end(), repeated.begin(), repeated.end());
    if (repeated.empty())
        if (const auto warning = differentNames(named, labels)) paired.notes.push_back(*warning);
    return paired;
}

} // namespace zav
