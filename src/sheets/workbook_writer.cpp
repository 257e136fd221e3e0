#include "analysis/analysis_export.h"
#include "data/errors.h"
#include "data/file_io.h"
#include "sheets/workbook.h"

#include <xlsxwriter.h>

#include <cstdlib>
#include <filesystem>
#include <string>

namespace zav {
namespace {

[[noreturn]] void cannotWrite() { throw Error("Erro: não foi possível montar a planilha XLSX"); }

// A folder of its own under the system's temporary folder, removed with
// everything in it when done: libxlsxwriter writes only to a file.
class TemporaryFolder {
  public:
    TemporaryFolder() {
        std::error_code ec;
        std::string pattern = (std::filesystem::temp_directory_path(ec) / "zaviro-xlsx.XXXXXX").string();
        if (ec || !::mkdtemp(pattern.data())) cannotWrite();
        path_ = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

void check(lxw_error error) {
    if (error != LXW_NO_ERROR) cannotWrite();
}

} // namespace

std::string speciesTableXlsx(const AnalysisResult& result) {
    const TemporaryFolder folder;
    const auto file = folder.path() / "especies.xlsx";
    lxw_workbook_options options{};
    std::string tmpdir = folder.path().string();
    options.tmpdir = tmpdir.data();
    lxw_workbook* workbook = workbook_new_opt(file.c_str(), &options);
    if (!workbook) cannotWrite();
    lxw_worksheet* sheet = workbook_add_worksheet(workbook, "especies");
    if (!sheet) {
        workbook_close(workbook);
        cannotWrite();
    }
    bool written = true;
    const auto ok = [&](lxw_error error) { written = written && error == LXW_NO_ERROR; };
    lxw_col_t column = 0;
    for (const auto name : kSpeciesTableColumns)
        ok(worksheet_write_string(sheet, 0, column++, std::string(name).c_str(), nullptr));
    lxw_row_t row = 1;
    for (const auto& sp : speciesTableRows(result)) {
        const auto number = [&](lxw_col_t at, double value) { ok(worksheet_write_number(sheet, row, at, value, nullptr)); };
        const auto text = [&](lxw_col_t at, std::string_view value) {
            if (!value.empty()) ok(worksheet_write_string(sheet, row, at, std::string(value).c_str(), nullptr));
        };
        number(0, sp.number);
        text(1, sp.name);
        number(2, sp.individuals);
        number(3, sp.collections);
        if (sp.percentage) number(4, *sp.percentage);
        if (sp.dominanceLimit) number(5, *sp.dominanceLimit);
        text(6, sp.dominance);
        text(7, sp.abundance);
        text(8, sp.frequency);
        text(9, sp.constancy);
        ok(worksheet_write_boolean(sheet, row, 10, sp.predominant, nullptr));
        ++row;
    }
    check(workbook_close(workbook));
    if (!written) cannotWrite();
    return readFileBytes(file);
}

} // namespace zav
