#pragma once
// The command line of zaviro-relatorio, read into what to do.

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

namespace zav::cli {

enum class Command { Help, Report, Diversity, Similarity, Comparison, Import };
enum class Format { Text, Json, Csv };

struct Options {
    Command command = Command::Report;
    Format format = Format::Text;
    std::string output; // -o, --saida: the folder of a batch, the file of an import; empty: standard output
    std::string spreadsheet;           // --importar
    std::int32_t totalCollections = 0; // --coletas
    bool brayCurtisDendrogram = false; // --indice bray-curtis (comparison)
    std::vector<std::string> files;
};

// Wrong usage: the message to print, or empty for the usage text.
struct UsageError {
    std::string message;
};

// Options may come in any order, before or among the files; "--" ends
// them, for a file whose name starts with "-". Each command takes only the
// options that mean something to it.
std::variant<Options, UsageError> parseOptions(const std::vector<std::string>& args);

} // namespace zav::cli
