// The program's side of workbooks: what a file is, from its first bytes,
// and the module that reads and writes workbooks, loaded on first use.

#include "sheets/workbook.h"

#include "data/cp1252.h"
#include "data/errors.h"
#include "data/fields.h"
#include "data/file_io.h"

#include <dlfcn.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>
#include <optional>

namespace zav {
namespace {

// Where the package installs the module, relative to the program (so that a
// copy installed elsewhere finds its own), or where the build put it.
const SheetsModule& module() {
    static const SheetsModule* loaded = nullptr;
    if (loaded) return *loaded;
    const std::string name = "libzav_sheets_module.so";
    std::array<char, 4096> self{};
    const auto length = ::readlink("/proc/self/exe", self.data(), self.size() - 1);
    std::vector<std::string> places;
    if (length > 0) {
        std::string program(self.data(), static_cast<std::size_t>(length));
        places.push_back(program.substr(0, program.rfind('/') + 1) + ZAV_SHEETS_INSTALLED "/" + name);
    }
    places.emplace_back(ZAV_SHEETS_MODULE);
    std::string problem;
    for (const auto& path : places) {
        if (::access(path.c_str(), R_OK) != 0) continue;
        void* library = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
        if (!library) {
            if (const char* reason = ::dlerror()) problem = reason;
            continue;
        }
        const auto entry = reinterpret_cast<decltype(&zav_sheets_module)>(::dlsym(library, "zav_sheets_module"));
        if (entry) return *(loaded = entry());
        problem = "zav_sheets_module";
    }
    throw Error("Erro: não foi possível carregar o módulo das planilhas (" + name + ")" +
                (problem.empty() ? std::string() : ": " + printable(problem)));
}

// The first bytes of a file.
std::string firstBytes(const std::filesystem::path& path, std::size_t count) {
    const auto file = openRegularFile(path);
    std::string bytes(count, '\0');
    bytes.resize(std::fread(bytes.data(), 1, count, file.get()));
    return bytes;
}

// An OLE2 compound file (Excel 97-2003, or a workbook protected by a
// password, which Excel keeps in one): whether it holds an encrypted
// package, by the name of that stream (UTF-16) anywhere in the file.
bool holdsEncryptedPackage(const std::filesystem::path& path) {
    static constexpr char16_t kName[] = u"EncryptedPackage";
    std::string pattern;
    for (const char16_t c : std::u16string_view(kName)) {
        pattern += static_cast<char>(c & 0xFF);
        pattern += static_cast<char>(c >> 8);
    }
    const auto file = openRegularFile(path);
    std::string window;
    std::array<char, 64 * 1024> chunk{};
    std::size_t read = 0, got = 0;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), file.get())) > 0 && read < kMaxWorkbookBytes) {
        read += got;
        window.append(chunk.data(), got);
        if (window.find(pattern) != std::string::npos) return true;
        window.erase(0, window.size() - (pattern.size() - 1));
    }
    return false;
}

void refuseOle2(const std::filesystem::path& path) {
    static constexpr char kMagic[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    if (firstBytes(path, 8) != std::string_view(kMagic, 8)) return;
    if (holdsEncryptedPackage(path))
        throw SpreadsheetError(": planilha protegida por senha: abra-a no Excel ou no LibreOffice e grave-a sem senha, "
                               "como .xlsx ou .csv");
    throw SpreadsheetError(": arquivo do Excel 97-2003 (.xls): abra-o no Excel ou no LibreOffice e grave como .xlsx "
                           "ou .csv");
}

} // namespace

bool isWorkbookFile(const std::filesystem::path& path) { return firstBytes(path, 4) == "PK\x03\x04"; }

std::vector<std::string> workbookSheetNames(const std::filesystem::path& path) { return module().sheetNames(path); }

WorkbookSheet readWorkbook(const std::filesystem::path& path, std::string_view sheet) {
    return module().readSheet(path, sheet);
}

std::vector<SheetRow> readWorkbookSheet(const std::filesystem::path& path, std::string_view sheet) {
    return readWorkbook(path, sheet).rows;
}

std::string unmappableNamesNotice(const DataFileTexts& texts) {
    for (std::size_t i = 0; i < texts.rows.size(); ++i) {
        const auto& name = texts.rows[i].name;
        if (!name.empty() && cp1252::toUtf8(cp1252::fromUtf8(name)) != name)
            return "Nomes com caracteres que o Windows-1252 não tem (o primeiro na espécie " + std::to_string(i + 1) +
                   ", \"" + printable(name) + "\") são gravados com \"?\" no arquivo de dados";
    }
    return {};
}

namespace {

// The workbook's weather sheet, "clima" in any case, other than `taken`.
std::optional<std::string> weatherSheetOf(const std::filesystem::path& path, std::string_view taken) {
    for (const auto& name : workbookSheetNames(path)) {
        const auto trimmed = trimControls(name);
        const bool clima = trimmed.size() == 5 && std::equal(trimmed.begin(), trimmed.end(), "clima",
                                                             [](char a, char b) { return (a | 0x20) == b; });
        if (clima && name != taken) return name;
    }
    return std::nullopt;
}

} // namespace

void addWorkbookWeather(const std::filesystem::path& path, const std::string& taken, ImportedFile& imported) {
    if (!imported.collections.present()) return;
    if (const auto clima = weatherSheetOf(path, taken)) {
        imported.collections.weather =
            parseWeatherRows(readWorkbook(path, *clima).rows, imported.collections.collections);
        imported.notices.push_back("Clima lido da planilha \"" + printable(*clima) +
                                   "\": " + std::to_string(imported.collections.weather->variables.size()) +
                                   (imported.collections.weather->variables.size() == 1 ? " variável" : " variáveis"));
    }
}

namespace {

// A text file has one sheet: none is chosen by name; an OLE2 file is none.
void refuseAsText(const std::filesystem::path& path, std::string_view sheet) {
    refuseOle2(path);
    if (!sheet.empty())
        throw SpreadsheetError(": um arquivo CSV ou TSV tem uma só planilha; não escolha uma pelo nome");
}

// A workbook's sheet read by `fromRows`, with the weather sheet beside it,
// or a text read by `fromText`.
template <class FromRows, class FromText>
ImportedFile importAny(const std::filesystem::path& path, std::string_view sheet, FromRows fromRows,
                       FromText fromText) {
    ImportedFile imported;
    if (isWorkbookFile(path)) {
        auto book = readWorkbook(path, sheet);
        static_cast<ImportedSpreadsheet&>(imported) = fromRows(book.rows);
        if (!book.notice.empty()) imported.notices.push_back(book.notice);
        addWorkbookWeather(path, book.name, imported);
    } else {
        refuseAsText(path, sheet);
        static_cast<ImportedSpreadsheet&>(imported) = fromText(path);
    }
    if (auto notice = unmappableNamesNotice(imported); !notice.empty()) imported.notices.push_back(std::move(notice));
    return imported;
}

} // namespace

ImportedFile importAnyRecordsFile(const std::filesystem::path& path, std::string_view sheet) {
    return importAny(
        path, sheet,
        [](const std::vector<SheetRow>& rows) {
            // The reader keeps the rows a species sheet may have: more would be lost.
            if (rows.size() >= static_cast<std::size_t>(kMaxSpecies) + 3)
                throw SpreadsheetError(": uma planilha de registros de uma pasta de trabalho é lida até a linha " +
                                       std::to_string(kMaxSpecies + 2) +
                                       "; grave-a como CSV para importar mais registros");
            return importRecordRows(rows);
        },
        [](const std::filesystem::path& text) { return importRecordsFile(text); });
}

WeatherTable readAnyWeatherFile(const std::filesystem::path& path, const std::vector<Collection>& collections,
                                std::string_view sheet) {
    if (!isWorkbookFile(path)) {
        refuseAsText(path, sheet);
        return parseWeatherFile(path, collections);
    }
    std::string chosen(sheet);
    if (chosen.empty()) chosen = weatherSheetOf(path, {}).value_or(std::string());
    return parseWeatherRows(readWorkbook(path, chosen).rows, collections);
}

ImportedFile importAnySpreadsheetFile(const std::filesystem::path& path, const ImportOptions& options,
                                      std::string_view sheet) {
    return importAny(
        path, sheet, [&](const std::vector<SheetRow>& rows) { return importSheetRows(rows, options); },
        [&](const std::filesystem::path& text) { return importSpreadsheetFile(text, options); });
}

std::string speciesTableXlsx(const AnalysisResult& result, ReportLanguage language) {
    return module().speciesTableXlsx(result, language);
}

std::string shownTablesXlsx(const std::vector<ShownTable>& tables) { return module().shownTablesXlsx(tables); }

} // namespace zav
