#include "data/errors.h"

#include "data/utf8.h"

#include <cerrno>
#include <cstring>

namespace zav {

std::string printable(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const auto byte = static_cast<unsigned char>(text.front());
        const std::size_t length = utf8::sequenceLength(text);
        const bool c1 = length == 2 && byte == 0xC2 && static_cast<unsigned char>(text[1]) < 0xA0;
        if (byte == 0)
            out += "\\0";
        else if (length == 0 || (byte < 0x20 && byte != '\t') || byte == 0x7F || c1)
            out += '?';
        else
            out.append(text.substr(0, length));
        text.remove_prefix(length == 0 ? 1 : length);
    }
    return out;
}

// The texts of the GNU C library's Brazilian Portuguese messages, so that a
// message reads the same whatever locale the program runs in.
std::string systemReason(int errorNumber) {
    switch (errorNumber) {
    case EACCES:
        return "Permissão negada";
    case EPERM:
        return "Operação não permitida";
    case ENOENT:
        return "Arquivo ou diretório inexistente";
    case ENOTDIR:
        return "Não é um diretório";
    case EISDIR:
        return "É um diretório";
    case ENOSPC:
        return "Não há espaço disponível no dispositivo";
    case EDQUOT:
        return "Cota de disco excedida";
    case EFBIG:
        return "Arquivo muito grande";
    case EROFS:
        return "Sistema de arquivos somente para leitura";
    case ENAMETOOLONG:
        return "Nome de arquivo muito longo";
    case ELOOP:
        return "Muitos níveis de links simbólicos";
    case EIO:
        return "Erro de entrada/saída";
    case EEXIST:
        return "Arquivo existe";
    case EXDEV:
        return "Link inválido entre dispositivos";
    case EBUSY:
        return "Dispositivo ou recurso está ocupado";
    case ETXTBSY:
        return "Arquivo de texto ocupado";
    case EMFILE:
    case ENFILE:
        return "Arquivos abertos demais";
    case ENOMEM:
        return "Não foi possível alocar memória";
    case EINTR:
        return "Chamada de sistema interrompida";
    default:
        return "erro do sistema " + std::to_string(errorNumber) + " (" + printable(std::strerror(errorNumber)) + ")";
    }
}

FileOpenError::FileOpenError(const std::string& pathUtf8)
    : Error("Erro: não foi possível abrir o arquivo: " + printable(pathUtf8)) {}

FileWriteError::FileWriteError(const std::string& pathUtf8)
    : Error("Erro: não foi possível gravar o arquivo: " + printable(pathUtf8)) {}

FileWriteError::FileWriteError(const std::string& pathUtf8, int errorNumber)
    : FileWriteError(pathUtf8, systemReason(errorNumber)) {}

FileWriteError::FileWriteError(const std::string& pathUtf8, const std::string& reason)
    : Error("Erro: não foi possível gravar o arquivo: " + printable(pathUtf8) + ": " + reason) {}

OutputIsInputError::OutputIsInputError(const std::string& pathUtf8)
    : Error("Erro: a saída substituiria um arquivo de entrada: " + printable(pathUtf8)) {}

DataFileError::DataFileError() : Error("Error: Verifique o arquivo de dados!") {}

DataFileError::DataFileError(const std::string& detail)
    : Error("Error: Verifique o arquivo de dados!\n" + detail), detail_(detail) {}

std::string atLine(std::int64_t line, const std::string& reason) {
    return "Linha " + std::to_string(line) + ": " + reason;
}

TooFewSpeciesError::TooFewSpeciesError() : Error("Erro: são necessárias pelo menos 2 espécies com indivíduos") {}

ZeroCollectionsError::ZeroCollectionsError() : Error("Erro: o total de coletas não pode ser 0") {}

ComputationError::ComputationError() : Error("Erro: os dados não permitem o cálculo") {}

ComputationError::ComputationError(const std::string& cause)
    : Error("Erro: os dados não permitem o cálculo\n" + cause) {}

} // namespace zav
