#include "cli/options.h"

#include "comparison/comparison.h"
#include "data/fields.h"
#include "similarity/similarity.h"

namespace zav::cli {

std::variant<Options, UsageError> parseOptions(const std::vector<std::string>& args) {
    Options options;
    if (args.size() == 1 && (args[0] == "-h" || args[0] == "--help")) {
        options.command = Command::Help;
        return options;
    }
    bool json = false, csv = false, collectionsGiven = false, indexGiven = false;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        const bool hasValue = i + 1 < args.size();
        if (arg == "--") {
            options.files.insert(options.files.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            break;
        } else if (arg == "--similaridade" && options.command == Command::Report) {
            options.command = Command::Similarity;
        } else if (arg == "--diversidade" && options.command == Command::Report) {
            options.command = Command::Diversity;
        } else if (arg == "--comparacao" && options.command == Command::Report) {
            options.command = Command::Comparison;
        } else if (arg == "--indice" && hasValue) {
            const std::string& index = args[++i];
            if (index != "sorensen" && index != "bray-curtis")
                return UsageError{"Erro: --indice espera sorensen ou bray-curtis"};
            options.brayCurtisDendrogram = index == "bray-curtis";
            indexGiven = true;
        } else if (arg == "--json") {
            json = true;
        } else if (arg == "--csv") {
            csv = true;
        } else if ((arg == "--saida" || arg == "-o") && hasValue) {
            options.output = args[++i];
            if (options.output.empty()) return UsageError{};
        } else if (arg == "--importar" && hasValue && options.command == Command::Report) {
            options.command = Command::Import;
            options.spreadsheet = args[++i];
        } else if (arg == "--coletas" && hasValue) {
            const auto total = parseInteger(args[++i]);
            if (!total || *total < 1)
                return UsageError{"Erro: --coletas espera o total de coletas, um número inteiro maior que 0"};
            options.totalCollections = *total;
            collectionsGiven = true;
        } else if (arg.size() > 1 && arg[0] == '-') {
            return UsageError{};
        } else {
            options.files.push_back(arg);
        }
    }
    if (json && csv) return UsageError{};
    options.format = json ? Format::Json : csv ? Format::Csv : Format::Text;
    const bool batch = !options.output.empty(); // a folder, except for the import

    if (indexGiven && options.command != Command::Comparison) return UsageError{};
    switch (options.command) {
    case Command::Import:
        if (!collectionsGiven || !options.files.empty() || json || csv) return UsageError{};
        break;
    case Command::Comparison:
        if (collectionsGiven || csv || batch) return UsageError{};
        if (auto problem = comparisonCountProblem(static_cast<std::int64_t>(options.files.size())); !problem.empty())
            return UsageError{std::move(problem)};
        break;
    case Command::Similarity:
        if (collectionsGiven || csv || batch) return UsageError{};
        // The same limits, and the same words, as the window's panel.
        if (auto problem = treatmentCountProblem(static_cast<std::int64_t>(options.files.size())); !problem.empty())
            return UsageError{std::move(problem)};
        break;
    default:
        if (collectionsGiven || options.files.empty() || (!batch && options.files.size() != 1)) return UsageError{};
    }
    return options;
}

} // namespace zav::cli
