#pragma once
// The failures the core reports to the user. Each carries the exact message
// the user must see (UTF-8, for display in a message box or on a terminal);
// the window and the command-line tool show what() and nothing else.

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

namespace zav {

class Error : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

// What the user is told when memory runs out, whatever was being done.
inline constexpr const char* kOutOfMemory = "Erro: memória insuficiente";

// Bytes from a file, or a file name, made fit for a message on a terminal or
// in a window: a NUL is shown as "\0", every other control character (C0
// but the harmless tab, DEL, C1: the escape sequences a terminal obeys) and
// every byte that is not part of well-formed UTF-8 as "?".
std::string printable(std::string_view text);

// The system's reason for an errno value, in Portuguese ("Permissão negada").
std::string systemReason(int errorNumber);

// The file could not be opened or read (missing, refused, a directory).
class FileOpenError : public Error {
  public:
    explicit FileOpenError(const std::string& pathUtf8);
};

// A file could not be written in full; the file that was there is intact.
class FileWriteError : public Error {
  public:
    explicit FileWriteError(const std::string& pathUtf8);
    // The message ends with the system's reason for errorNumber.
    FileWriteError(const std::string& pathUtf8, int errorNumber);
    FileWriteError(const std::string& pathUtf8, const std::string& reason);
};

// An output that would take the place of one of the run's own input files:
// nothing is written over it.
class OutputIsInputError : public Error {
  public:
    explicit OutputIsInputError(const std::string& pathUtf8);
};

// A field that does not convert, a missing line, or more species than the
// table holds: the data file is not one the program can read.
// Its message is "Error: Verifique o arquivo de dados!" and, on a second
// line, where and why (UTF-8).
class DataFileError : public Error {
  public:
    DataFileError();
    explicit DataFileError(const std::string& detail);
    const std::string& detail() const { return detail_; }

  private:
    std::string detail_;
};

// The message for a line of a data file, "Linha N: " and the reason.
std::string atLine(std::int64_t line, const std::string& reason);

// Fewer than two species with individuals: no mean or variance exists.
class TooFewSpeciesError : public Error {
  public:
    TooFewSpeciesError();
};

// The header's total of collections is 0: no percentage of collections.
class ZeroCollectionsError : public Error {
  public:
    ZeroCollectionsError();
};

// Any other computation the data do not allow (negative counts that leave a
// degree of freedom below 1, a logarithm of a share that is not positive, a
// result that is not a finite number).
class ComputationError : public Error {
  public:
    ComputationError();
    // With the value that made it impossible on a second line.
    explicit ComputationError(const std::string& cause);
};

} // namespace zav
