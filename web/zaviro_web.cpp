// The page's way into the core: plain C functions over bytes in memory that
// call what zaviro-relatorio calls (the data file reader, the analysis, the
// report, the JSON and CSV exports, the similarity, the spreadsheet import).
// The page reads the files and the clock; each call leaves its texts in
// slots that the page copies out before the next call.
//
// A new analysis of the core joins in three steps: a function here shaped
// like zav_web_survey (parse, compute, fill the slots, 0 or 1), its name in
// EXPORTED_FUNCTIONS (web/CMakeLists.txt), and an entry in the page's list
// of analyses (web/app.js, `analyses`).

#include "analysis/analysis.h"
#include "analysis/analysis_export.h"
#include "analysis/report.h"
#include "data/cp1252.h"
#include "data/date_time.h"
#include "data/errors.h"
#include "data/fields.h"
#include "data/line_reader.h"
#include "data/report_text.h"
#include "data/species_file.h"
#include "data/spreadsheet_import.h"
#include "similarity/similarity.h"
#include "similarity/similarity_export.h"
#include "similarity/similarity_report.h"
#include "similarity/treatment_file.h"

#include <array>
#include <climits>
#include <exception>
#include <string>
#include <string_view>
#include <vector>

namespace {

// What a call leaves for the page. The report is Windows-1252 with CR LF,
// exactly the bytes the desktop saves; the others are UTF-8.
enum Slot { kReport, kJson, kCsv, kMessage, kDataFile, kSlotCount };
std::array<std::string, kSlotCount> slots;

zav::DateTime dateTime(const int* when) {
    return {when[0], when[1], when[2], when[3], when[4], when[5], when[6]};
}

// Runs a computation; a failure leaves the message the desktop shows in
// the message slot and gives 1.
template <typename Compute> int guarded(Compute compute) {
    for (auto& slot : slots)
        slot.clear();
    try {
        compute();
        return 0;
    } catch (const zav::Error& e) {
        slots[kMessage] = e.what();
    } catch (const std::exception& e) {
        slots[kMessage] = std::string("Erro: ") + e.what();
    }
    return 1;
}

} // namespace

extern "C" {

// How many lines the reader of a data file (a survey or a treatment) takes:
// the header and the species lines it promises. 0 when the header gives no
// count, and then the lines already read are all the reader needs to say why.
int zav_web_lines_needed(const char* bytes, int size) {
    try {
        zav::LineReader reader(std::string_view(bytes, static_cast<std::size_t>(size)));
        const auto lines = zav::parseInteger(zav::splitLine(reader.next()).first);
        if (!lines || *lines < 0) return 0;
        return *lines == INT_MAX ? INT_MAX : *lines + 1;
    } catch (const zav::Error&) {
        return 0;
    }
}

// The faunistic analysis of a data file's bytes: report, JSON and CSV, as
// zaviro-relatorio writes them for a file; `name` stands where the
// desktop names the file's path. `when`: day, month, year, hour, minute,
// second, millisecond.
int zav_web_survey(const char* bytes, int size, const char* nameUtf8, const int* when) {
    return guarded([&] {
        const auto result = zav::analyse(zav::parseSpeciesTable(std::string_view(bytes, static_cast<std::size_t>(size))));
        const auto at = dateTime(when);
        slots[kReport] = zav::joinReportLines(zav::faunisticReport(result, zav::cp1252::fromUtf8(nameUtf8), at));
        slots[kJson] = zav::analysisJson(result, nameUtf8, at);
        slots[kCsv] = zav::speciesTableCsv(result);
    });
}

// The similarity of `count` treatment files, in order: report and JSON. A
// file that cannot be read is named in the message, as on the desktop.
int zav_web_similarity(int count, const char* const* bytes, const int* sizes, const char* const* namesUtf8,
                       const int* when) {
    return guarded([&] {
        const auto problem = zav::treatmentCountProblem(count);
        if (!problem.empty()) throw zav::Error(problem);
        zav::PresenceMatrix matrix;
        std::vector<std::string> names;
        for (int i = 0; i < count; ++i) {
            names.emplace_back(namesUtf8[i]);
            try {
                matrix.treatments.push_back(
                    zav::parseTreatmentCounts(std::string_view(bytes[i], static_cast<std::size_t>(sizes[i]))));
            } catch (const zav::DataFileError& e) {
                throw zav::DataFileError(names.back() + ": " + e.detail());
            }
        }
        const auto result = zav::CalculaSimilaridade(matrix);
        slots[kReport] = zav::joinReportLines(zav::similarityReport(result, dateTime(when)));
        slots[kJson] = zav::similarityJson(result, names);
    });
}

// The data file of a spreadsheet (CSV or TSV) with the survey's total of
// collections, as zaviro-relatorio --importar writes it.
int zav_web_import(const char* bytes, int size, int totalCollections) {
    return guarded([&] {
        const auto texts = zav::importSpreadsheet(std::string_view(bytes, static_cast<std::size_t>(size)));
        slots[kDataFile] = zav::formatSpeciesFile(texts.speciesCount, std::to_string(totalCollections), texts.rows);
    });
}

const char* zav_web_output(int slot) { return slots.at(static_cast<std::size_t>(slot)).data(); }
int zav_web_output_size(int slot) { return static_cast<int>(slots.at(static_cast<std::size_t>(slot)).size()); }

} // extern "C"
