#include "data/message_language.h"

#include "cli/cli_text.h"
#include "data/errors.h"
#include "data/file_io.h"
#include "data/report_language.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace zav {
namespace {

constexpr auto pt = ReportLanguage::Portuguese;
constexpr auto en = ReportLanguage::English;
constexpr auto es = ReportLanguage::Spanish;

// Messages as the core makes them, in the three languages: whole, made of
// parts ("Erro: " "planilha, linha 3, coluna ...: " ...), of several lines,
// with names that look like the catalogue's words.
TEST(MessageLanguage, TranslatesTheCoresMessagesPartByPart) {
    const struct {
        std::string portuguese, english, spanish;
    } cases[] = {
        {DataFileError(atLine(3, "\"abc\" não é um número inteiro")).what(),
         "Error: Check the data file!\nLine 3: \"abc\" is not a whole number",
         "Error: ¡Verifique el archivo de datos!\nLínea 3: \"abc\" no es un número entero"},
        {"Aviso: linha 5: 7 indivíduos em 0 coletas; uma espécie com indivíduos foi coletada em ao menos uma coleta",
         "Warning: line 5: 7 individuals in 0 collections; a species with individuals was collected in at least one "
         "collection",
         "Aviso: línea 5: 7 individuos en 0 colectas; una especie con individuos fue colectada en al menos una "
         "colecta"},
        {"Aviso: linha 2: 1 indivíduo em 2 coletas; uma espécie tem ao menos um indivíduo em cada coleta em que foi "
         "coletada",
         "Warning: line 2: 1 individual in 2 collections; a species has at least one individual in each collection it "
         "was collected in",
         "Aviso: línea 2: 1 individuo en 2 colectas; una especie tiene al menos un individuo en cada colecta en que "
         "fue colectada"},
        {FileOpenError("/tmp/Linha 3: dados.txt").what(), "Error: could not open the file: /tmp/Linha 3: dados.txt",
         "Error: no se pudo abrir el archivo: /tmp/Linha 3: dados.txt"},
        {FileWriteError("/tmp/r.txt", EACCES).what(), "Error: could not write the file: /tmp/r.txt: Permission denied",
         "Error: no se pudo grabar el archivo: /tmp/r.txt: Permiso denegado"},
        {"Erro: planilha, linha 4, coluna \"N, 2\": \"1.234\" tem separador de milhar; escreva o número sem ele: 1234",
         "Error: spreadsheet, row 4, column \"N, 2\": \"1.234\" has a thousands separator; write the number without "
         "it: 1234",
         "Error: hoja de cálculo, fila 4, columna \"N, 2\": \"1.234\" tiene separador de miles; escriba el número sin "
         "él: 1234"},
        {"Erro: planilha clima, linha 3: linha vazia entre as coletas",
         "Error: weather spreadsheet, row 3: empty row between the collections",
         "Error: hoja de cálculo del clima, fila 3: fila vacía entre las colectas"},
        {"Linha 1 ignorada: título; linha 12 ignorada: linha de totais; coluna 5 ignorada: coluna de totais",
         "Row 1 ignored: title; row 12 ignored: totals row; column 5 ignored: totals column",
         "Fila 1 ignorada: título; fila 12 ignorada: fila de totales; columna 5 ignorada: columna de totales"},
        {ComputationError(atLine(1, "total de coletas negativo: -3")).what(),
         "Error: the data do not allow the computation\nLine 1: negative total of collections: -3",
         "Error: los datos no permiten el cálculo\nLínea 1: total de colectas negativo: -3"},
        {DataFileError("T2: " + atLine(4, "número negativo de indivíduos (-1)")).what(),
         "Error: Check the data file!\nT2: Line 4: negative number of individuals (-1)",
         "Error: ¡Verifique el archivo de datos!\nT2: Línea 4: número negativo de individuos (-1)"},
        // The pairing's notes are the reports' texts.
        {"Aviso: os tratamentos têm números diferentes de espécies (10, 12, 10); espécies pareadas pela linha",
         "Warning: the treatments have different numbers of species (10, 12, 10); species paired by line",
         "Aviso: los tratamientos tienen números diferentes de especies (10, 12, 10); especies emparejadas por la "
         "línea"},
        // What the catalogue lacks stays as it is, around what it holds.
        {"Erro: algo novo\nLinha 2: outra coisa", "Error: algo novo\nLine 2: outra coisa",
         "Error: algo novo\nLínea 2: outra coisa"},
        {"mata.txt", "mata.txt", "mata.txt"},
        {kOutOfMemory, "Error: not enough memory", "Error: memoria insuficiente"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(messageText(pt, c.portuguese), c.portuguese);
        EXPECT_EQ(messageText(en, c.portuguese), c.english);
        EXPECT_EQ(messageText(es, c.portuguese), c.spanish);
    }
}

// The parts of a pattern, in order: "#", "*", "@".
std::string partsOf(std::string_view text) {
    std::string parts;
    for (const char c : text)
        if (c == '#' || c == '*' || c == '@') parts += c;
    return parts;
}

TEST(MessageLanguage, EveryTranslationTakesThePartsOfItsMessage) {
    std::vector<std::string_view> seen;
    for (const auto& text : messageCatalogue()) {
        EXPECT_FALSE(text.en.empty() || text.es.empty()) << text.pt;
        EXPECT_EQ(partsOf(text.en), partsOf(text.pt)) << text.pt;
        EXPECT_EQ(partsOf(text.es), partsOf(text.pt)) << text.pt;
        EXPECT_EQ(std::count(seen.begin(), seen.end(), text.pt), 0) << text.pt;
        seen.push_back(text.pt);
    }
}

// --- Every message of the core is in the catalogue ---------------------
//
// The rule: every string literal of the core's sources that holds a word
// and a space is part of a message of the catalogue (or of the reports'
// catalogue): stripped of the spaces and punctuation around it, and of a
// leading "Erro: " or "Aviso: ", it stands inside one of their Portuguese
// texts. The report writers and the catalogues themselves are not read;
// the window's status lines (QT_TRANSLATE_NOOP) and the kinds' titles are
// Qt's to translate.

namespace fs = std::filesystem;

// The string literals of a C++ source, adjacent ones joined, escapes read;
// those right after `QT_TRANSLATE_NOOP("Zav", ` or `.title = ` left out.
std::vector<std::string> literalsOf(const std::string& source) {
    std::vector<std::string> out;
    bool joining = false;
    for (std::size_t i = 0; i < source.size();) {
        const char c = source[i];
        if (source.compare(i, 2, "//") == 0) {
            i = source.find('\n', i);
            if (i == std::string::npos) break;
            continue;
        }
        if (source.compare(i, 2, "/*") == 0) {
            i = source.find("*/", i);
            if (i == std::string::npos) break;
            i += 2;
            continue;
        }
        if (c == '\'') {
            i = source.find('\'', i + (source[i + 1] == '\\' ? 3 : 2)) + 1;
            joining = false;
            continue;
        }
        if (c != '"') {
            if (c != ' ' && c != '\n' && c != '\t') joining = false;
            ++i;
            continue;
        }
        const std::string before = source.substr(i < 30 ? 0 : i - 30, i < 30 ? i : 30);
        const bool skipped = before.ends_with("QT_TRANSLATE_NOOP(\"Zav\", ") || before.ends_with(".title = ");
        std::string text;
        for (++i; i < source.size() && source[i] != '"'; ++i) {
            if (source[i] != '\\') {
                text += source[i];
                continue;
            }
            const char e = source[++i];
            if (e == 'n')
                text += '\n';
            else if (e == 't')
                text += '\t';
            else if (e == 'x') {
                text += static_cast<char>(std::stoi(source.substr(i + 1, 2), nullptr, 16));
                i += 2;
            } else
                text += e;
        }
        ++i;
        if (skipped) {
            joining = false;
            continue;
        }
        if (joining)
            out.back() += text;
        else
            out.push_back(text);
        joining = true;
    }
    return out;
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c & 0x80) != 0; }

// A word of three letters or more, and a space.
bool isSentence(std::string_view text) {
    if (text.find(' ') == std::string_view::npos) return false;
    int run = 0;
    for (const char c : text) {
        run = isLetter(c) ? run + 1 : 0;
        if (run >= 3) return true;
    }
    return false;
}

bool inCatalogues(std::string_view piece) {
    constexpr std::string_view kAround = " ,:;\"";
    while (!piece.empty() && kAround.find(piece.front()) != std::string_view::npos)
        piece.remove_prefix(1);
    while (!piece.empty() && kAround.find(piece.back()) != std::string_view::npos)
        piece.remove_suffix(1);
    for (const std::string_view prefix : {"Erro: ", "Aviso: "})
        if (piece.starts_with(prefix)) return inCatalogues(piece.substr(prefix.size()));
    if (piece.empty()) return true;
    for (const auto& text : messageCatalogue())
        if (text.pt.find(piece) != std::string_view::npos) return true;
    for (const auto& text : reportCatalogue())
        if (text.pt.find(piece) != std::string_view::npos) return true;
    // The kinds' usage lines, in their rows.
    for (std::size_t i = 0; i < cli::cliTextCount(); ++i)
        if (cli::cliTextAt(i).pt.find(piece) != std::string_view::npos) return true;
    return false;
}

// Literals with words that are no message: the import's table of letters
// without accents, a time's format, a programming fault's text, what the
// fluctuation report says of a seasonality it cannot give, a series' name.
constexpr std::string_view kNotMessages[] = {
    "aaaaaaaceeeeiiiidnooooo ouuuuy saaaaaaaceeeeiiiidnooooo ouuuuy y",
    " %02lld:%02lld",
    "XmlPull: the malformed handler returned",
    "as coletas não têm data",
    "especie ", // a series of the fluctuation's JSON, "especie 3"
    // Tables' headings the same in every language: indices' and axes' names.
    "Shannon H (ln)",
    "Simpson 1 - D",
    "Simpson 1 / D",
    "q = 1 (exp H)",
    "Pielou J",
    "IndVal (%)",
    "NMDS 1",
    "NMDS 2",
};

TEST(MessageLanguage, EveryMessageOfTheCoreIsInTheCatalogue) {
    const fs::path root = ZAV_SOURCE_DIR;
    // Report writers (their texts are the reports' catalogue's, or are
    // written in Portuguese only), the catalogues, and the command line's
    // grammar (cli_text.cpp holds its texts).
    const auto skipped = [](const fs::path& file) {
        const auto name = file.filename().string();
        return name.find("report") != std::string::npos || name.find("language") != std::string::npos ||
               name.find("export") != std::string::npos ||
               (name.find("text") != std::string::npos && name != "text_pattern.cpp") || name == "grammar.cpp" ||
               name == "workbook_writer.cpp" || name == "shown_table.cpp" || name == "class_codes.h" ||
               // What the fluctuation report says of a correlation or a
               // seasonality it cannot give: the report's own words.
               name == "correlation.cpp" || name == "seasonality.cpp" ||
               // The charts, whose texts are written in each language.
               name.ends_with("_figures.cpp");
    };
    std::vector<fs::path> files{root.parent_path() / "web" / "zaviro_web.cpp"};
    for (const char* folder : {"data", "analysis", "similarity", "comparison", "diversity", "fluctuation",
                               "communities", "runs", "sheets", "cli"})
        for (const auto& entry : fs::directory_iterator(root / folder))
            if ((entry.path().extension() == ".cpp" || entry.path().extension() == ".h") && !skipped(entry.path()))
                files.push_back(entry.path());
    int checked = 0;
    for (const auto& file : files)
        for (const auto& literal : literalsOf(readFileBytes(file))) {
            if (!isSentence(literal) ||
                std::find(std::begin(kNotMessages), std::end(kNotMessages), literal) != std::end(kNotMessages))
                continue;
            ++checked;
            std::size_t start = 0;
            for (;;) {
                const auto end = literal.find('\n', start);
                const auto piece = std::string_view(literal).substr(start, end - start);
                EXPECT_TRUE(inCatalogues(piece)) << file.filename().string() << ": \"" << piece << "\"";
                if (end == std::string::npos) break;
                start = end + 1;
            }
        }
    EXPECT_GT(checked, 200);
}

} // namespace
} // namespace zav
