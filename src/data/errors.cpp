#include "data/errors.h"

namespace zav {

FileOpenError::FileOpenError(const std::string& pathUtf8)
    : Error("Erro: não foi possível abrir o arquivo: " + pathUtf8) {}

FileWriteError::FileWriteError(const std::string& pathUtf8)
    : Error("Erro: não foi possível gravar o arquivo: " + pathUtf8) {}

DataFileError::DataFileError() : Error("Error: Verifique o arquivo de dados!") {}

DataFileError::DataFileError(const std::string& detail)
    : Error("Error: Verifique o arquivo de dados!\n" + detail), detail_(detail) {}

std::string atLine(std::int64_t line, const std::string& reason) {
    return "Linha " + std::to_string(line) + ": " + reason;
}

TooFewSpeciesError::TooFewSpeciesError() : Error("Erro: são necessárias pelo menos 2 espécies com indivíduos") {}

ZeroCollectionsError::ZeroCollectionsError() : Error("Erro: o total de coletas não pode ser 0") {}

ComputationError::ComputationError() : Error("Erro: os dados não permitem o cálculo") {}

} // namespace zav
