// The page's way into the core: plain C functions over bytes in memory that
// call the core's run entry (runs/run_kinds.h), as zaviro-relatorio does
// for files: every kind of run of the table, with its report, JSON and CSV,
// and its charts, and the spreadsheet import (a text, or the cells of a
// workbook's sheet read by the page). The page reads the files and the clock; each call
// leaves its texts in slots that the page copies out before the next call.
//
// A new kind of run reaches the page through the table: zav_web_run runs
// it by its name, zav_web_run_kinds tells the page its button's label, how
// many files it takes, which of the page's parameters it takes and what its
// outputs are called; the page makes its button from that (web/app.js,
// `analyses`) and draws the figures its run gives. Only a parameter the
// page does not offer yet needs more: its input in web/index.html and its
// reading in web/app.js (`PARAMETERS`), and its place here
// (`kPageParameters`, `parametersOf`).

#include "analysis/analysis_export.h"
#include "data/date_time.h"
#include "data/errors.h"
#include "data/fields.h"
#include "data/json_writer.h"
#include "data/line_reader.h"
#include "data/message_language.h"
#include "data/species_file.h"
#include "data/species_table.h"
#include "data/spreadsheet_import.h"
#include "figures/figures.h"
#include "runs/run_kinds.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <climits>
#include <cstdint>
#include <exception>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace {

// What a call leaves for the page. The report is Windows-1252 with CR LF,
// exactly the bytes the desktop saves; the others are UTF-8.
// The species table (tab-separated and HTML) is what "Copiar tabela" puts
// on the clipboard.
enum Slot { kReport, kJson, kCsv, kMessage, kDataFile, kWarning, kTableTsv, kTableHtml, kFigures, kSlotCount };
std::array<std::string, kSlotCount> slots;
// The last faunistic analysis, for its species table on demand.
zav::AnalysisResult lastSurvey;
// The CSV of the last faunistic or diversity run, made only when it is
// downloaded: its many numbers take as long to write as the rest of the run.
std::function<std::string()> lastCsv;
// The figures of the last run's charts in a language, as the desktop draws
// them.
std::function<std::vector<zav::Figure>(zav::ChartLanguage, const zav::FluctuationFigureOptions&)> lastFigures;

// The language of the core's messages and warnings in the message and
// warning slots (zav_web_message_language); the reports follow their own.
zav::ReportLanguage messageLanguage = zav::ReportLanguage::Portuguese;

zav::DateTime dateTime(const int* when) { return {when[0], when[1], when[2], when[3], when[4], when[5], when[6]}; }

std::string_view bytesOf(const char* bytes, int size) { return {bytes, static_cast<std::size_t>(size)}; }

// Runs a computation; a failure leaves the message the desktop shows in
// the message slot and gives 1. The message and the warnings are in the
// page's language.
template <typename Compute> int guarded(Compute compute) {
    for (auto& slot : slots)
        slot.clear();
    lastCsv = nullptr;
    lastFigures = nullptr;
    try {
        compute();
        slots[kWarning] = zav::messageText(messageLanguage, slots[kWarning]);
        return 0;
    } catch (const zav::Error& e) {
        slots[kMessage] = zav::messageText(messageLanguage, e.what());
    } catch (const std::exception& e) {
        slots[kMessage] = zav::messageText(messageLanguage, std::string("Erro: ") + e.what());
    }
    return 1;
}

// The page's language (zav_web_language): the reports' as the command
// line's --idioma, and the charts'.
zav::ReportLanguage pageLanguage = zav::ReportLanguage::Portuguese;

// One a line, for the warning slot.
std::string lines(const std::vector<std::string>& texts) {
    std::string out;
    for (const auto& text : texts)
        out += (out.empty() ? "" : "\n") + text;
    return out;
}

// A run's parameters as the page passes them: integers, each at its place
// in the order of RunParameters.
enum ParameterPlace : std::size_t {
    kDendrogramIndex = 0,  // the comparison's index: 1 Bray-Curtis, 0 Sørensen
    kLag = 1,              // the fluctuation's lag: 0 or more collections
    kCommunitiesIndex = 2, // the communities' index: 1 Jaccard, 0 Bray-Curtis
    kPermutations = 3,     // the communities' permutations
    kSeed = 4,             // the communities' seed: below 0, the default
};

zav::RunParameters parametersOf(const int* parameters, int count) {
    zav::RunParameters out;
    const auto given = [&](ParameterPlace place) { return static_cast<std::size_t>(count) > place; };
    if (given(kDendrogramIndex))
        out.index =
            parameters[kDendrogramIndex] != 0 ? zav::DendrogramIndex::BrayCurtis : zav::DendrogramIndex::Sorensen;
    if (given(kLag)) out.lag = std::max(0, parameters[kLag]);
    if (given(kCommunitiesIndex))
        out.communities.index = parameters[kCommunitiesIndex] != 0 ? zav::communities::Dissimilarity::Jaccard
                                                                   : zav::communities::Dissimilarity::BrayCurtis;
    // Refused by the run, with its message, outside 1 to the most it takes.
    if (given(kPermutations)) out.communities.permutations = parameters[kPermutations];
    if (given(kSeed) && parameters[kSeed] >= 0) out.communities.seed = static_cast<std::uint64_t>(parameters[kSeed]);
    return out;
}

// The parameters the page offers, each named as its input in
// web/index.html, at its place among the integers above, and the kinds
// that take it: the dendrogram's index and the samples' dissimilarity are
// two inputs, as the table's rows tell them apart.
struct PageParameter {
    std::string_view input;
    ParameterPlace place;
    bool (*takenBy)(const zav::RunKindInfo& kind);
};
constexpr PageParameter kPageParameters[] = {
    {"indice", kDendrogramIndex, [](const zav::RunKindInfo& k) { return k.index == zav::IndexOption::Dendrogram; }},
    {"defasagem", kLag, [](const zav::RunKindInfo& k) { return k.takesLag; }},
    {"indice-comunidades", kCommunitiesIndex,
     [](const zav::RunKindInfo& k) { return k.index == zav::IndexOption::Dissimilarity; }},
    {"permutacoes", kPermutations, [](const zav::RunKindInfo& k) { return k.takesPermutations; }},
};

// The label of a kind's button: its menu item's text without the mark of
// its access key ("Di&versidade"), else its title.
std::string buttonLabel(const zav::RunKindInfo& kind) {
    std::string label(kind.menuText.empty() ? kind.title : kind.menuText);
    std::erase(label, '&');
    return label;
}

// The rows of a sheet as zav_web_import_sheet receives them.
std::vector<zav::SheetRow> sheetRows(std::string_view bytes) {
    std::size_t at = 0;
    const auto malformed = [] { throw zav::Error("Erro: planilha: as células lidas pela página estão incompletas"); };
    const auto count = [&] {
        if (bytes.size() - at < 4) malformed();
        std::uint32_t n = 0;
        for (int i = 3; i >= 0; --i)
            n = (n << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
        at += 4;
        return static_cast<std::size_t>(n);
    };
    const auto text = [&] {
        const auto length = count();
        if (bytes.size() - at < length) malformed();
        const auto t = bytes.substr(at, length);
        at += length;
        return std::string(t);
    };
    const auto rowCount = count();
    if (rowCount > bytes.size() / 8) malformed(); // each row takes 8 bytes at least
    std::vector<zav::SheetRow> rows(rowCount);
    for (auto& row : rows) {
        const auto cells = count();
        const auto number = text();
        if (std::from_chars(number.data(), number.data() + number.size(), row.number).ptr !=
            number.data() + number.size())
            malformed();
        for (std::size_t i = 0; i < cells; ++i) {
            if (at == bytes.size()) malformed();
            row.numeric.push_back(bytes[at++] != 0);
            row.cells.push_back(text());
        }
    }
    return rows;
}

// How a spreadsheet holds the survey, as the import's choice says it:
// one row per species (individuals and collections), one column per
// collection, or one row per record (date, species, count).
enum Layout { kSpeciesLines = 0, kPerCollection = 1, kRecords = 2 };
// Where the weather of the collections comes from: nowhere, a CSV or TSV
// text, or a workbook's sheet read by the page.
enum WeatherSource { kNoWeather = 0, kWeatherText = 1, kWeatherSheet = 2 };

// A spreadsheet (a text, or a sheet's rows with `fromSheet`) turned into
// the data file zaviro-relatorio --importar writes with the same options
// (--por-coleta, --registros, --clima): the species lines, and the
// collections' blocks when the sheet gives the collections, with their
// weather when given. The warning slot says what the native tool tells
// beside it: the weather sheet read, a title or a row of totals left out.
void importDataFile(std::string_view bytes, bool fromSheet, int layout, int totalCollections, std::string_view weather,
                    int weatherSource, const std::string& weatherSheet) {
    zav::ImportedSpreadsheet texts;
    if (layout == kRecords) {
        if (!fromSheet) {
            texts = zav::importRecordsText(bytes);
        } else {
            const auto rows = sheetRows(bytes);
            // The page's reader keeps the rows a species sheet may have, as
            // the desktop's does: more would be lost.
            if (rows.size() >= static_cast<std::size_t>(zav::kMaxSpecies) + 3)
                throw zav::SpreadsheetError(": uma planilha de registros de uma pasta de trabalho é lida até a linha " +
                                            std::to_string(zav::kMaxSpecies + 2) +
                                            "; grave-a como CSV para importar mais registros");
            texts = zav::importRecordRows(rows);
        }
    } else {
        const zav::ImportOptions options{layout == kPerCollection, totalCollections};
        texts = fromSheet ? zav::importSheetRows(sheetRows(bytes), options) : zav::importSpreadsheet(bytes, options);
    }
    std::vector<std::string> notices;
    // Only collections have weather: a sheet of species lines has none.
    if (weatherSource != kNoWeather && texts.collections.present()) {
        const auto& collections = texts.collections.collections;
        if (weatherSource == kWeatherSheet) {
            texts.collections.weather = zav::parseWeatherRows(sheetRows(weather), collections);
            const auto count = texts.collections.weather->variables.size();
            notices.push_back("Clima lido da planilha \"" + zav::printable(weatherSheet) +
                              "\": " + std::to_string(count) + (count == 1 ? " variável" : " variáveis"));
        } else {
            texts.collections.weather = zav::parseWeatherText(weather, collections);
        }
    }
    if (auto notice = zav::totalsRowNotice(texts); !notice.empty()) notices.push_back(std::move(notice));
    // A sheet of collections, or of records, gives the total of collections.
    const auto total = layout == kSpeciesLines ? std::to_string(totalCollections) : texts.totalCollections;
    slots[kDataFile] = zav::importedDataFile(texts, total);
    slots[kWarning] = lines(notices);
}

} // namespace

extern "C" {

// The language of the messages and warnings of the calls that follow: "pt",
// "en" or "es", as --idioma; 0 for another code, which leaves it as it was.
int zav_web_message_language(const char* code) {
    const auto language = zav::reportLanguageFromCode(code);
    if (!language) return 0;
    messageLanguage = *language;
    return 1;
}

// How many lines the reader of a data file (a survey or a treatment) takes:
// the header and the species lines it promises. 0 when the header gives no
// count, and then the lines already read are all the reader needs to say why.
int zav_web_lines_needed(const char* bytes, int size) {
    try {
        zav::LineReader reader(bytesOf(bytes, size));
        const auto lines = zav::parseInteger(zav::splitLine(reader.next()).first);
        if (!lines || *lines < 0) return 0;
        return *lines == INT_MAX ? INT_MAX : *lines + 1;
    } catch (const zav::Error&) {
        return 0;
    }
}

// The language of the reports and charts that follow, as --idioma names it:
// "pt", "en" or "es"; another code gives Portuguese. JSON and CSV are the
// same in every language.
void zav_web_language(const char* code) {
    pageLanguage = zav::reportLanguageFromCode(code).value_or(zav::ReportLanguage::Portuguese);
}

// The kinds of run, in the table's order, as the page needs them: each
// one's name, title and button's label, how many files it takes, the
// parameters it takes (the inputs of web/index.html, each with its place
// among the integers zav_web_run reads), what its downloads add to their
// name and whether it has a CSV and a species table (copied, or saved as a
// workbook). JSON in the JSON slot.
void zav_web_run_kinds() {
    zav::JsonWriter json;
    json.beginArray();
    for (const auto& kind : zav::runKinds()) {
        json.beginObject();
        json.key("nome").string(kind.name);
        json.key("titulo").string(kind.title);
        json.key("rotulo").string(buttonLabel(kind));
        json.key("parametros").beginArray();
        for (const auto& parameter : kPageParameters) {
            if (!parameter.takenBy(kind)) continue;
            json.beginObject();
            json.key("entrada").string(parameter.input);
            json.key("posicao").integer(static_cast<std::int64_t>(parameter.place));
            json.endObject();
        }
        json.endArray();
        json.key("arquivos_min").integer(kind.minFiles);
        json.key("arquivos_max").integer(kind.maxFiles);
        json.key("sufixo").string(kind.dataSuffix);
        json.key("csv").boolean(kind.csv);
        json.key("xlsx").boolean(kind.xlsx);
        json.endObject();
    }
    json.endArray();
    slots[kJson] = json.finish();
}

// A run of the kind named `kindName` (runs/run_kinds.h) on `count` data
// files' bytes, in order, each named as the page names it (`name` stands
// where the desktop names a file's path): report, JSON, and the CSV when
// the kind has one, made on demand; the warning slot holds what the run
// noticed, one a line. A file that cannot be read is named in the message,
// as on the desktop. `parameters` as parametersOf reads them; `when`: day,
// month, year, hour, minute, second, millisecond.
int zav_web_run(const char* kindName, int count, const char* const* bytes, const int* sizes,
                const char* const* namesUtf8, const int* parameters, int parameterCount, const int* when) {
    return guarded([&] {
        const auto* kind = zav::runKindNamed(kindName);
        if (!kind) throw zav::Error("Erro: análise desconhecida");
        std::vector<zav::NamedBytes> files;
        for (int i = 0; i < count; ++i)
            files.push_back({bytesOf(bytes[i], sizes[i]), namesUtf8[i]});
        auto run = zav::runBytes(kind->kind, files, parametersOf(parameters, parameterCount), dateTime(when));
        slots[kReport] = zav::runOutput(run, zav::RunOutput::Report, pageLanguage);
        slots[kJson] = zav::runOutput(run, zav::RunOutput::Json);
        slots[kWarning] = lines(zav::runNotices(run));
        if (const auto* survey = std::get_if<zav::SurveyRun>(&run)) lastSurvey = survey->result;
        if (kind->csv) lastCsv = [run] { return zav::runOutput(run, zav::RunOutput::Csv); };
        lastFigures = [run](zav::ChartLanguage language, const zav::FluctuationFigureOptions& options) {
            return zav::runFigures(run, language, options);
        };
    });
}

// Whether the last run has a CSV.
int zav_web_has_csv() { return lastCsv ? 1 : 0; }

// The last run's CSV in its slot (empty when it has none).
void zav_web_csv() {
    try {
        slots[kCsv] = lastCsv ? lastCsv() : std::string();
    } catch (const std::exception&) {
        slots[kCsv].clear();
    }
}

// The figures of the last run's charts as JSON in their slot (figures/
// figures.h), titles and axes in the page's language; empty when the last
// run failed.
void zav_web_figures() {
    try {
        slots[kFigures] =
            lastFigures ? zav::figuresJson(lastFigures(zav::chartLanguageOf(pageLanguage), {})) : std::string();
    } catch (const std::exception&) {
        slots[kFigures].clear();
    }
}

// The same with a fluctuation's choices: the weather variable by its index
// among the run's variables and the scatter's series by its code
// ("individuos", "especies" or "especie N", UTF-8); other kinds ignore them.
void zav_web_figures_with(int variable, const char* series) {
    try {
        zav::FluctuationFigureOptions options;
        options.variable = variable > 0 ? static_cast<std::size_t>(variable) : 0;
        if (series != nullptr && *series != '\0') options.series = series;
        slots[kFigures] =
            lastFigures ? zav::figuresJson(lastFigures(zav::chartLanguageOf(pageLanguage), options)) : std::string();
    } catch (const std::exception&) {
        slots[kFigures].clear();
    }
}

// The species table of the last faunistic analysis, tab-separated and
// HTML, in their slots (the others are left as they are), decimals written
// with `decimalSeparator` ('.' or ','), as the desktop copies them in the
// system's language; the headings in English with `language` 1, Spanish
// with 2, else (or left out) Portuguese.
void zav_web_species_table(int decimalSeparator, int language) {
    const char separator = decimalSeparator == ',' ? ',' : '.';
    const auto words = language == 1   ? zav::ReportLanguage::English
                       : language == 2 ? zav::ReportLanguage::Spanish
                                       : zav::ReportLanguage::Portuguese;
    slots[kTableTsv] = zav::speciesTableTsv(lastSurvey, separator, words);
    slots[kTableHtml] = zav::speciesTableHtml(lastSurvey, separator, words);
}

// The data file of a spreadsheet (CSV or TSV) with the survey's total of
// collections, as zaviro-relatorio --importar writes it; with
// `perCollection` 1, a species by collection sheet, which gives the total
// itself. The warning slot says when a row of totals was left out.
int zav_web_import(const char* bytes, int size, int perCollection, int totalCollections) {
    return guarded([&] {
        importDataFile(bytesOf(bytes, size), false, perCollection != 0 ? kPerCollection : kSpeciesLines,
                       totalCollections, {}, kNoWeather, {});
    });
}

// The same for the rows of a workbook's sheet, read by the page (web/
// workbook.js) as the desktop reads them: a count of rows, then per row its
// count of cells, its number as text, and each cell, a byte 1 when it held
// a number, else 0, before its text. Texts are UTF-8 after their length;
// counts are 32-bit little-endian.
int zav_web_import_sheet(const char* bytes, int size, int perCollection, int totalCollections) {
    return guarded([&] {
        importDataFile(bytesOf(bytes, size), true, perCollection != 0 ? kPerCollection : kSpeciesLines,
                       totalCollections, {}, kNoWeather, {});
    });
}

// The import with its every choice: the spreadsheet's bytes (a text, or a
// sheet's rows as zav_web_import_sheet takes them with `fromSheet` 1), its
// layout (0 one row per species, with the survey's `totalCollections`; 1
// one column per collection; 2 one row per record), and the weather of the
// collections: `weatherSource` 0 none, 1 a CSV or TSV text, 2 the rows of
// the workbook's sheet named `weatherSheetUtf8`.
int zav_web_import_with(const char* bytes, int size, int fromSheet, int layout, int totalCollections,
                        const char* weather, int weatherSize, int weatherSource, const char* weatherSheetUtf8) {
    return guarded([&] {
        if (layout < kSpeciesLines || layout > kRecords || weatherSource < kNoWeather || weatherSource > kWeatherSheet)
            throw zav::Error("Erro: forma de planilha desconhecida");
        importDataFile(bytesOf(bytes, size), fromSheet != 0, layout, totalCollections,
                       weatherSource != kNoWeather ? bytesOf(weather, weatherSize) : std::string_view(), weatherSource,
                       weatherSheetUtf8 ? weatherSheetUtf8 : "");
    });
}

const char* zav_web_output(int slot) { return slots.at(static_cast<std::size_t>(slot)).data(); }
int zav_web_output_size(int slot) { return static_cast<int>(slots.at(static_cast<std::size_t>(slot)).size()); }

} // extern "C"
