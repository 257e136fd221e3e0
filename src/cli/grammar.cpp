#include "cli/grammar.h"

#include "cli/cli_text.h"
#include "data/fields.h"

#include <algorithm>
#include <optional>
#include <string_view>

namespace zav::cli {
namespace {

enum class Id {
    Help,
    Version,
    Mode, // a kind of run's option (runs/run_kinds.h)
    Index,
    Permutations,
    Seed,
    Lag,
    Json,
    Csv,
    Xlsx,
    Output,
    Import,
    Sheet,
    PerCollection,
    Records,
    Weather,
    WeatherSheet,
    Collections,
    Pdf,
    Chart,
    Language
};

constexpr unsigned kReport = 1, kDesktop = 2, kBoth = kReport | kDesktop;

unsigned bit(Program program) { return program == Program::Report ? kReport : kDesktop; }

// What each program reads.
struct OptionSpec {
    Id id;
    std::string_view name;
    std::string_view alias;
    bool takesValue;
    unsigned programs;
};

constexpr OptionSpec kOptions[] = {
    {Id::Help, "--help", "-h", false, kBoth},
    {Id::Version, "--version", "", false, kBoth},
    {Id::Index, "--indice", "", true, kBoth},
    {Id::Permutations, "--permutacoes", "", true, kBoth},
    {Id::Seed, "--semente", "", true, kBoth},
    {Id::Lag, "--defasagem", "", true, kBoth},
    {Id::Json, "--json", "", false, kReport},
    {Id::Csv, "--csv", "", false, kReport},
    {Id::Xlsx, "--xlsx", "", false, kReport},
    {Id::Output, "--saida", "-o", true, kReport},
    {Id::Import, "--importar", "", true, kReport},
    {Id::Sheet, "--planilha", "", true, kReport},
    {Id::PerCollection, "--por-coleta", "", false, kReport},
    {Id::Records, "--registros", "", false, kReport},
    {Id::Weather, "--clima", "", true, kReport},
    {Id::WeatherSheet, "--planilha-clima", "", true, kReport},
    {Id::Collections, "--coletas", "", true, kReport},
    {Id::Pdf, "--pdf", "", true, kDesktop},
    {Id::Chart, "--grafico", "", true, kDesktop},
    {Id::Language, "--idioma", "", true, kReport},
};

// What each program's usage text says: the forms of the command line, what
// the program does, each option (label, then its text; a text line after
// the first is indented under it) and the notes at the end.
struct Line {
    unsigned programs;
    std::string_view text;
};

// The forms before the kinds' own (their rows in runs/run_kinds.h) and
// after them.
constexpr Line kLeadingForms[] = {
    {kDesktop, "zaviro [ARQUIVO]"},
};
constexpr Line kForms[] = {
    {kReport, "zaviro-relatorio --importar PLANILHA [--planilha NOME] --coletas C [-o ARQUIVO]"},
    {kReport, "zaviro-relatorio --importar PLANILHA [--planilha NOME] (--por-coleta | --registros)\n"
              "                 [--clima PLANILHA [--planilha-clima NOME]] [-o ARQUIVO]"},
};

constexpr Line kDescriptions[] = {
    {kReport, "Escreve na saída padrão o relatório da análise faunística do arquivo de\n"
              "dados ARQUIVO, ou o relatório de similaridade (Sorensen) de 3 a 10\n"
              "arquivos de dados (tratamentos T1, T2, ... na ordem dada), exatamente\n"
              "como o ZAVIRO o gravaria (Windows-1252, linhas terminadas por CR LF)."},
    {kDesktop, "Sem janela: grava em SAIDA o relatório (--pdf: as páginas do relatório e,\n"
               "depois, os gráficos) ou só os gráficos (--grafico, no formato dado pela\n"
               "extensão) da análise faunística do arquivo de dados ARQUIVO, da sua\n"
               "diversidade, da similaridade (Sorensen) de 3 a 10 arquivos de dados\n"
               "(tratamentos T1, T2, ... na ordem dada) ou da comparação de 2 a 10. Sem\n"
               "opções, o zaviro abre a sua janela e, com ARQUIVO, calcula-o como\n"
               "\"Calcular\" o faria."},
};

struct OptionHelp {
    unsigned programs;
    std::string_view label;
    std::string_view text;
};

// The options before the kinds' modes (their rows' texts) and after them.
constexpr OptionHelp kLeadingOptionHelp[] = {
    {kBoth, "-h, --help", "mostra esta ajuda"},
    {kBoth, "--version", "mostra a versão do programa"},
};
constexpr OptionHelp kOptionHelp[] = {
    {kBoth, "--defasagem K",
     "com --flutuacao: a coleta k com o clima da coleta k - K\n"
     "(K de 0, o padrão, em diante)"},
    {kBoth, "--indice I",
     "o índice do dendrograma: sorensen (1 - Sorensen, o\n"
     "padrão) ou bray-curtis; nas comunidades, a\n"
     "dissimilaridade: bray-curtis (o padrão) ou jaccard"},
    {kBoth, "--permutacoes N",
     "nas comunidades, as permutações dos testes (IndVal e\n"
     "PERMANOVA), de 1 a 99999; o padrão é 999"},
    {kBoth, "--semente S",
     "nas comunidades, a semente das permutações e dos\n"
     "inícios do NMDS (até 18 algarismos): a mesma semente\n"
     "dá os mesmos números em toda parte"},
    {kReport, "--json",
     "os resultados em JSON (UTF-8), para R ou Python: os\n"
     "números com precisão completa, as classes sem espaços,\n"
     "null onde o relatório de similaridade mostra \"-\""},
    {kReport, "--csv",
     "a tabela de espécies em CSV (UTF-8, vírgula, linha de\n"
     "títulos, \".\" como separador decimal): espécie, nome,\n"
     "indivíduos, coletas, percentual de N', limite de\n"
     "dominância, as quatro classes e a marca de predominante"},
    {kReport, "--xlsx",
     "a mesma tabela numa planilha do Excel (.xlsx), os\n"
     "números como números; redirecione a saída a um arquivo"},
    {kReport, "--saida PASTA",
     "grava um arquivo por levantamento em PASTA:\n"
     "NOME-relatorio.txt, ou NOME.json / NOME.csv / NOME.xlsx;\n"
     "um arquivo com erro é relatado com seu nome e os demais\n"
     "seguem"},
    {kReport, "--importar PLANILHA --coletas C",
     "escreve o arquivo de dados de uma planilha CSV, TSV,\n"
     "XLSX ou ODS (uma linha por espécie: [nome,] indivíduos,\n"
     "coletas; linha de títulos opcional; célula vazia é 0)\n"
     "com C coletas no total; os nomes vão para o bloco\n"
     "[nomes] do arquivo; uma última linha com as somas das\n"
     "de cima é deixada de fora, com um aviso na saída de erro"},
    {kReport, "--planilha NOME",
     "com --importar: a planilha NOME da pasta de trabalho\n"
     "XLSX ou ODS, em vez da primeira"},
    {kReport, "--por-coleta",
     "com --importar: uma planilha de espécies por coletas (o\n"
     "nome e uma coluna por coleta): indivíduos = a soma da\n"
     "linha, coletas = as células diferentes de 0, C = o\n"
     "número de colunas de coletas; o arquivo guarda também\n"
     "cada coleta (bloco [coletas]), com a data quando o\n"
     "cabeçalho tem datas (aaaa-mm-dd ou dd/mm/aaaa)"},
    {kReport, "--registros",
     "com --importar: uma planilha de um registro por linha\n"
     "(data, espécie, indivíduos): cada data é uma coleta,\n"
     "na ordem das datas, cada nome uma espécie, na ordem\n"
     "em que aparece; os registros de uma espécie numa data\n"
     "são somados"},
    {kReport, "--clima PLANILHA",
     "com --por-coleta ou --registros: o clima de cada coleta\n"
     "(bloco [clima]): linha de títulos com os nomes das\n"
     "variáveis, uma linha por coleta com a data (ou na\n"
     "ordem das coletas) e os valores; sem --clima, a\n"
     "planilha \"clima\" da mesma pasta de trabalho, se houver"},
    {kReport, "--planilha-clima NOME", "com --clima: a planilha NOME da pasta de trabalho"},
    {kReport, "--idioma L",
     "a língua dos relatórios: pt (o padrão), en ou es; os\n"
     "números, os códigos das classes, o JSON e o CSV não mudam"},
    {kReport, "-o, --saida ARQUIVO",
     "com --importar: grava o arquivo de dados em ARQUIVO,\n"
     "inteiro ou nada, em vez da saída padrão"},
    {kDesktop, "--pdf SAIDA", "as páginas do relatório e, depois, os gráficos, em PDF"},
    {kDesktop, "--grafico SAIDA", "só os gráficos, em PNG, SVG ou PDF (pela extensão de SAIDA)"},
};

constexpr Line kNotes[] = {
    {kBoth, "Nenhuma saída substitui um arquivo de entrada: uma que o faria é recusada."},
    {kReport, "Saída: 0 tudo escrito; 1 erro no arquivo ou no cálculo (mensagem na saída\n"
              "de erro); 2 uso incorreto."},
    {kDesktop, "Saída: 0 arquivo gravado; 1 erro num arquivo ou no cálculo (mensagem na\n"
               "saída de erro); 2 uso incorreto."},
};

constexpr std::size_t kLabelWidth = 20;

constexpr OptionSpec kModeOption = {Id::Mode, "", "", false, kBoth};

// An option of the table above, or the mode of a kind of run.
const OptionSpec* findOption(Program program, std::string_view arg) {
    for (const auto& option : kOptions)
        if ((option.programs & bit(program)) && (arg == option.name || (!option.alias.empty() && arg == option.alias)))
            return &option;
    if (runKindOfOption(arg)) return &kModeOption;
    return nullptr;
}

// A seed: 1 to 18 decimal digits, so that it fits in 64 bits whatever
// they are.
std::optional<std::uint64_t> parseSeed(std::string_view text) {
    if (text.empty() || text.size() > 18) return std::nullopt;
    std::uint64_t seed = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        seed = seed * 10 + static_cast<std::uint64_t>(c - '0');
    }
    return seed;
}

std::string_view extension(const std::string& name) {
    const auto slash = name.find_last_of('/');
    const auto dot = name.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash)) return {};
    return std::string_view(name).substr(dot + 1);
}

bool equalsIgnoringCase(std::string_view a, std::string_view b) {
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) { return (x | 0x20) == (y | 0x20); });
}

// The desktop program writes a PDF or a chart: the name's extension says
// which format.
std::optional<UsageError> outputProblem(const Options& options) {
    const auto ext = extension(options.output);
    if (options.format == Format::Pdf) {
        if (!equalsIgnoringCase(ext, "pdf"))
            return UsageError{"Erro: o relatório é gravado em PDF: termine o nome do arquivo em .pdf"};
    } else if (!equalsIgnoringCase(ext, "pdf") && !equalsIgnoringCase(ext, "svg") && !equalsIgnoringCase(ext, "png")) {
        return UsageError{
            "Erro: o gráfico é gravado em PNG, SVG ou PDF: termine o nome do arquivo em .png, .svg ou .pdf"};
    }
    return std::nullopt;
}

// How many files a command takes: the same limits, and the same words, as
// the window's panels.
std::optional<UsageError> fileCountProblem(const Options& options, bool batch) {
    const auto count = static_cast<std::int64_t>(options.files.size());
    switch (options.command) {
    case Command::Import:
        return count == 0 ? std::nullopt : std::optional<UsageError>(UsageError{});
    case Command::Window:
        return count <= 1 ? std::nullopt : std::optional<UsageError>(UsageError{});
    default:
        break;
    }
    const auto& kind = runKind(options.kind);
    if (kind.fileCountProblem) {
        if (auto problem = kind.fileCountProblem(count); !problem.empty()) return UsageError{std::move(problem)};
        return std::nullopt;
    }
    // A kind of one file takes many with a folder for their outputs.
    if (count < kind.minFiles || (!(batch && kind.oneFile()) && count > kind.maxFiles)) return UsageError{};
    return std::nullopt;
}

} // namespace

std::variant<Options, UsageError> parseOptions(Program program, const std::vector<std::string>& args) {
    Options options;
    if (program == Program::Desktop) options.command = Command::Window;
    if (args.size() == 1 && findOption(program, args[0])) {
        const Id id = findOption(program, args[0])->id;
        if (id == Id::Help || id == Id::Version) {
            options.command = id == Id::Help ? Command::Help : Command::Version;
            return options;
        }
    }
    bool json = false, csv = false, xlsx = false, collectionsGiven = false, indexGiven = false, modeGiven = false;
    bool sheetGiven = false, languageGiven = false, permutationsGiven = false, lagGiven = false;
    std::string indexValue;
    int outputs = 0;
    const auto setMode = [&](Command command) {
        if (modeGiven) return false;
        modeGiven = true;
        options.command = command;
        return true;
    };
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg == "--") {
            options.files.insert(options.files.end(), args.begin() + static_cast<std::ptrdiff_t>(i) + 1, args.end());
            break;
        }
        const OptionSpec* option = findOption(program, arg);
        if (!option) {
            if (arg.size() > 1 && arg[0] == '-') return UsageError{};
            options.files.push_back(arg);
            continue;
        }
        if (option->takesValue && i + 1 >= args.size()) return UsageError{};
        const std::string value = option->takesValue ? args[++i] : std::string();
        switch (option->id) {
        case Id::Help:
        case Id::Version:
            return UsageError{};
        case Id::Mode:
            if (!setMode(Command::Run)) return UsageError{};
            options.kind = runKindOfOption(arg)->kind;
            break;
        case Id::Import:
            if (!setMode(Command::Import)) return UsageError{};
            options.spreadsheet = value;
            break;
        case Id::Index:
            // Read once the kind is known: the communities take other indices.
            indexValue = value;
            indexGiven = true;
            break;
        case Id::Permutations: {
            const auto n = parseInteger(value);
            if (!n || *n < 1 || *n > communities::kMaxPermutations)
                return UsageError{"Erro: --permutacoes espera um número inteiro de 1 a 99999"};
            options.parameters.communities.permutations = *n;
            permutationsGiven = true;
            break;
        }
        case Id::Seed: {
            const auto seed = parseSeed(value);
            if (!seed) return UsageError{"Erro: --semente espera um número inteiro de 0 a 999999999999999999"};
            options.parameters.communities.seed = *seed;
            permutationsGiven = true;
            break;
        }
        case Id::Lag: {
            const auto lag = parseInteger(value);
            if (!lag || *lag < 0 || value.find_first_not_of("0123456789") != std::string::npos)
                return UsageError{"Erro: --defasagem espera um número inteiro de coletas, 0 ou mais"};
            options.parameters.lag = *lag;
            lagGiven = true;
            break;
        }
        case Id::Json:
            json = true;
            break;
        case Id::Csv:
            csv = true;
            break;
        case Id::Xlsx:
            xlsx = true;
            break;
        case Id::Sheet:
            if (value.empty()) return UsageError{};
            options.sheet = value;
            sheetGiven = true;
            break;
        case Id::PerCollection:
            options.perCollection = true;
            break;
        case Id::Records:
            options.records = true;
            break;
        case Id::Weather:
        case Id::WeatherSheet:
            if (value.empty()) return UsageError{};
            (option->id == Id::Weather ? options.weather : options.weatherSheet) = value;
            break;
        case Id::Collections: {
            const auto total = parseInteger(value);
            if (!total || *total < 1)
                return UsageError{"Erro: --coletas espera o total de coletas, um número inteiro maior que 0"};
            options.totalCollections = *total;
            collectionsGiven = true;
            break;
        }
        case Id::Language: {
            const auto language = reportLanguageFromCode(value);
            if (!language) return UsageError{"Erro: --idioma espera pt, en ou es"};
            options.language = *language;
            languageGiven = true;
            break;
        }
        case Id::Output:
        case Id::Pdf:
        case Id::Chart:
            if (value.empty()) return UsageError{};
            options.output = value;
            ++outputs;
            if (option->id != Id::Output) options.format = option->id == Id::Pdf ? Format::Pdf : Format::Chart;
            break;
        }
    }
    if (static_cast<int>(json) + static_cast<int>(csv) + static_cast<int>(xlsx) > 1 || outputs > 1) return UsageError{};
    if (program == Program::Report)
        options.format = json ? Format::Json : csv ? Format::Csv : xlsx ? Format::Xlsx : Format::Text;
    // A desktop command other than the window writes a file: it needs --pdf or --grafico.
    if (program == Program::Desktop && modeGiven && outputs == 0) return UsageError{};
    if (program == Program::Desktop && outputs == 1 && !modeGiven) options.command = Command::Run;

    const bool running = options.command == Command::Run;
    const auto& kind = runKind(options.kind);
    if (indexGiven) {
        if (running && kind.index == IndexOption::Dissimilarity) {
            if (indexValue != "bray-curtis" && indexValue != "jaccard")
                return UsageError{"Erro: --indice espera bray-curtis ou jaccard"};
            options.parameters.communities.index =
                indexValue == "jaccard" ? communities::Dissimilarity::Jaccard : communities::Dissimilarity::BrayCurtis;
        } else {
            if (indexValue != "sorensen" && indexValue != "bray-curtis")
                return UsageError{"Erro: --indice espera sorensen ou bray-curtis"};
            options.parameters.index =
                indexValue == "bray-curtis" ? DendrogramIndex::BrayCurtis : DendrogramIndex::Sorensen;
        }
    }
    if (indexGiven && !(running && kind.index != IndexOption::None)) return UsageError{};
    if (permutationsGiven && !(running && kind.takesPermutations)) return UsageError{};
    if (lagGiven && !(running && kind.takesLag)) return UsageError{};
    const bool importing = options.command == Command::Import;
    if ((sheetGiven || options.perCollection || options.records) && !importing) return UsageError{};
    if (options.perCollection && options.records) return UsageError{};
    if (!options.weatherSheet.empty() && options.weather.empty()) return UsageError{};
    if (!options.weather.empty() && !options.perCollection && !options.records)
        return UsageError{"Erro: --clima dá o clima de cada coleta: use-o com --por-coleta ou --registros"};
    if (importing && options.perCollection && collectionsGiven)
        return UsageError{"Erro: com --por-coleta, o total de coletas é o número de colunas de coletas da planilha; "
                          "não use --coletas"};
    if (importing && options.records && collectionsGiven)
        return UsageError{
            "Erro: com --registros, o total de coletas é o número de datas da planilha; não use --coletas"};
    const bool collectionsOwn = options.perCollection || options.records;
    if (collectionsGiven != (importing && !collectionsOwn)) return UsageError{};
    // The outputs each kind gives.
    if ((xlsx && !(running && kind.xlsx)) || (running && ((json && !kind.json) || (csv && !kind.csv))))
        return UsageError{};
    const bool batch = program == Program::Report && !options.output.empty(); // a folder, except for the import
    if (importing && (json || csv || languageGiven)) return UsageError{};
    if (running && batch && !kind.oneFile()) return UsageError{};
    if (auto problem = fileCountProblem(options, batch)) return *problem;
    if (program == Program::Desktop && running)
        if (auto problem = outputProblem(options)) return *problem;
    return options;
}

std::string usageText(Program program, ReportLanguage language) {
    const unsigned mine = bit(program);
    const bool report = program == Program::Report;
    const auto say = [language](std::string_view portuguese) { return cliText(language, portuguese); };
    std::string out;
    const std::string usage = say("Uso: ");
    std::string lead = usage;
    const auto form = [&](std::string_view text) {
        out.append(lead).append(say(text)).append("\n");
        lead.assign(usage.size(), ' ');
    };
    for (const auto& line : kLeadingForms)
        if (line.programs & mine) form(line.text);
    for (const auto& kind : runKinds())
        for (const auto text : report ? kind.usage.reportForms : kind.usage.desktopForms)
            form(text);
    for (const auto& line : kForms)
        if (line.programs & mine) form(line.text);
    for (const auto& description : kDescriptions)
        if (description.programs & mine) out.append("\n").append(say(description.text)).append("\n");
    out += say("\nOpções:\n");
    const auto option = [&](std::string_view portugueseLabel, std::string_view portugueseText) {
        std::string label = "  " + say(portugueseLabel);
        const std::string translated = say(portugueseText);
        std::string_view text = translated;
        if (label.size() + 1 > kLabelWidth) {
            out.append(label).append("\n");
            label.clear();
        }
        label.resize(kLabelWidth, ' ');
        for (bool first = true; !text.empty(); first = false) {
            const auto end = text.find('\n');
            out.append(first ? label : std::string(kLabelWidth, ' ')).append(text.substr(0, end)).append("\n");
            text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
        }
    };
    for (const auto& help : kLeadingOptionHelp)
        if (help.programs & mine) option(help.label, help.text);
    for (const auto& kind : runKinds())
        if (const auto text = report ? kind.usage.reportHelp : kind.usage.desktopHelp; !text.empty())
            option(kind.option, text);
    for (const auto& help : kOptionHelp)
        if (help.programs & mine) option(help.label, help.text);
    for (const auto& note : kNotes)
        if (note.programs & mine) out.append("\n").append(say(note.text)).append("\n");
    return out;
}

} // namespace zav::cli
