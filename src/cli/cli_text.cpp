#include "cli/cli_text.h"

#include <cstdlib>

namespace zav::cli {
namespace {

// The usage texts of grammar.cpp, piece by piece, and its errors.
constexpr CliText kTexts[] = {
    {"Uso: ", "Usage: ", "Uso: "},
    {"\nOpções:\n", "\nOptions:\n", "\nOpciones:\n"},
    // The forms of the command line.
    {"zaviro-relatorio [--json | --csv | --xlsx] ARQUIVO", "zaviro-relatorio [--json | --csv | --xlsx] FILE",
     "zaviro-relatorio [--json | --csv | --xlsx] ARCHIVO"},
    {"zaviro-relatorio [--json | --csv | --xlsx] --saida PASTA ARQ1 [ARQ2 ...]",
     "zaviro-relatorio [--json | --csv | --xlsx] --saida FOLDER FILE1 [FILE2 ...]",
     "zaviro-relatorio [--json | --csv | --xlsx] --saida CARPETA ARCH1 [ARCH2 ...]"},
    {"zaviro-relatorio --diversidade [--json | --csv] ARQUIVO", "zaviro-relatorio --diversidade [--json | --csv] FILE",
     "zaviro-relatorio --diversidade [--json | --csv] ARCHIVO"},
    {"zaviro-relatorio --diversidade [--json | --csv] --saida PASTA ARQ1 [ARQ2 ...]",
     "zaviro-relatorio --diversidade [--json | --csv] --saida FOLDER FILE1 [FILE2 ...]",
     "zaviro-relatorio --diversidade [--json | --csv] --saida CARPETA ARCH1 [ARCH2 ...]"},
    {"zaviro-relatorio --similaridade [--json] ARQ1 ARQ2 ARQ3 [... ARQ10]",
     "zaviro-relatorio --similaridade [--json] FILE1 FILE2 FILE3 [... FILE10]",
     "zaviro-relatorio --similaridade [--json] ARCH1 ARCH2 ARCH3 [... ARCH10]"},
    {"zaviro-relatorio --comparacao [--json] [--indice sorensen|bray-curtis] ARQ1 ARQ2 [... ARQ10]",
     "zaviro-relatorio --comparacao [--json] [--indice sorensen|bray-curtis] FILE1 FILE2 [... FILE10]",
     "zaviro-relatorio --comparacao [--json] [--indice sorensen|bray-curtis] ARCH1 ARCH2 [... ARCH10]"},
    {"zaviro-relatorio --importar PLANILHA [--planilha NOME] --coletas C [-o ARQUIVO]",
     "zaviro-relatorio --importar SHEET [--planilha NAME] --coletas C [-o FILE]",
     "zaviro-relatorio --importar HOJA [--planilha NOMBRE] --coletas C [-o ARCHIVO]"},
    {"zaviro-relatorio --importar PLANILHA [--planilha NOME] (--por-coleta | --registros)\n"
     "                 [--clima PLANILHA [--planilha-clima NOME]] [-o ARQUIVO]",
     "zaviro-relatorio --importar SHEET [--planilha NAME] (--por-coleta | --registros)\n"
     "                 [--clima SHEET [--planilha-clima NAME]] [-o FILE]",
     "zaviro-relatorio --importar HOJA [--planilha NOMBRE] (--por-coleta | --registros)\n"
     "                 [--clima HOJA [--planilha-clima NOMBRE]] [-o ARCHIVO]"},
    {"zaviro [ARQUIVO]", "zaviro [FILE]", "zaviro [ARCHIVO]"},
    {"zaviro [--diversidade] --pdf SAIDA.pdf ARQUIVO", "zaviro [--diversidade] --pdf OUT.pdf FILE",
     "zaviro [--diversidade] --pdf SALIDA.pdf ARCHIVO"},
    {"zaviro [--diversidade] --grafico SAIDA.svg|SAIDA.png|SAIDA.pdf ARQUIVO",
     "zaviro [--diversidade] --grafico OUT.svg|OUT.png|OUT.pdf FILE",
     "zaviro [--diversidade] --grafico SALIDA.svg|SALIDA.png|SALIDA.pdf ARCHIVO"},
    {"zaviro --similaridade --pdf|--grafico SAIDA ARQ1 ARQ2 ARQ3 [... ARQ10]",
     "zaviro --similaridade --pdf|--grafico OUT FILE1 FILE2 FILE3 [... FILE10]",
     "zaviro --similaridade --pdf|--grafico SALIDA ARCH1 ARCH2 ARCH3 [... ARCH10]"},
    {"zaviro --comparacao [--indice sorensen|bray-curtis] --pdf|--grafico SAIDA ARQ1 ARQ2 [... ARQ10]",
     "zaviro --comparacao [--indice sorensen|bray-curtis] --pdf|--grafico OUT FILE1 FILE2 [... FILE10]",
     "zaviro --comparacao [--indice sorensen|bray-curtis] --pdf|--grafico SALIDA ARCH1 ARCH2 [... ARCH10]"},
    // What each program does.
    {"Escreve na saída padrão o relatório da análise faunística do arquivo de\n"
     "dados ARQUIVO, ou o relatório de similaridade (Sorensen) de 3 a 10\n"
     "arquivos de dados (tratamentos T1, T2, ... na ordem dada), exatamente\n"
     "como o ZAVIRO o gravaria (Windows-1252, linhas terminadas por CR LF).",
     "Writes to standard output the faunistic analysis report of the data\n"
     "file FILE, or the similarity report (Sorensen) of 3 to 10 data files\n"
     "(treatments T1, T2, ... in the order given), exactly as ZAVIRO would\n"
     "save it (Windows-1252, lines ended by CR LF).",
     "Escribe en la salida estándar el informe del análisis faunístico del\n"
     "archivo de datos ARCHIVO, o el informe de similitud (Sorensen) de 3 a 10\n"
     "archivos de datos (tratamientos T1, T2, ... en el orden dado), tal como\n"
     "ZAVIRO lo guardaría (Windows-1252, líneas terminadas en CR LF)."},
    {"Sem janela: grava em SAIDA o relatório (--pdf: as páginas do relatório e,\n"
     "depois, os gráficos) ou só os gráficos (--grafico, no formato dado pela\n"
     "extensão) da análise faunística do arquivo de dados ARQUIVO, da sua\n"
     "diversidade, da similaridade (Sorensen) de 3 a 10 arquivos de dados\n"
     "(tratamentos T1, T2, ... na ordem dada) ou da comparação de 2 a 10. Sem\n"
     "opções, o zaviro abre a sua janela e, com ARQUIVO, calcula-o como\n"
     "\"Calcular\" o faria.",
     "Without a window: writes to OUT the report (--pdf: the report's pages\n"
     "and then the charts) or the charts alone (--grafico, in the format its\n"
     "extension gives) of the faunistic analysis of the data file FILE, of\n"
     "its diversity, of the similarity (Sorensen) of 3 to 10 data files\n"
     "(treatments T1, T2, ... in the order given) or of the comparison of 2\n"
     "to 10. Without options, zaviro opens its window and, with FILE, computes\n"
     "it as \"Calculate\" would.",
     "Sin ventana: graba en SALIDA el informe (--pdf: las páginas del informe\n"
     "y, después, los gráficos) o solo los gráficos (--grafico, en el formato\n"
     "que da la extensión) del análisis faunístico del archivo de datos\n"
     "ARCHIVO, de su diversidad, de la similitud (Sorensen) de 3 a 10\n"
     "archivos de datos (tratamientos T1, T2, ... en el orden dado) o de la\n"
     "comparación de 2 a 10. Sin opciones, zaviro abre su ventana y, con\n"
     "ARCHIVO, lo calcula como lo haría \"Calcular\"."},
    // The options' labels and texts.
    {"mostra esta ajuda", "shows this help", "muestra esta ayuda"},
    {"mostra a versão do programa", "shows the program's version", "muestra la versión del programa"},
    {"o relatório de diversidade (ZAVIRO - DIVERSIDADE) de todas\n"
     "as espécies com indivíduos: cobertura (Chao e Jost 2012),\n"
     "Chao1 (Chao 1987; iNEXT e vegan), ACE, Chao2, ICE,\n"
     "jackknife e bootstrap (vegan specpool), Shannon, Simpson,\n"
     "Berger-Parker, Pielou, Margalef, Menhinick, Brillouin,\n"
     "alfa de Fisher, números de Hill e curvas de rarefação e\n"
     "extrapolação (Chao et al. 2014); com --csv, a curva por\n"
     "indivíduos; com --saida, NOME-diversidade.txt/.json/.csv",
     "the diversity report (ZAVIRO - DIVERSITY) of every\n"
     "species with individuals: coverage (Chao and Jost 2012),\n"
     "Chao1 (Chao 1987; iNEXT and vegan), ACE, Chao2, ICE,\n"
     "jackknife and bootstrap (vegan specpool), Shannon, Simpson,\n"
     "Berger-Parker, Pielou, Margalef, Menhinick, Brillouin,\n"
     "Fisher's alpha, Hill numbers and rarefaction and\n"
     "extrapolation curves (Chao et al. 2014); with --csv, the\n"
     "curve by individuals; with --saida, NAME-diversidade.txt/.json/.csv",
     "el informe de diversidad (ZAVIRO - DIVERSIDAD) de todas\n"
     "las especies con individuos: cobertura (Chao y Jost 2012),\n"
     "Chao1 (Chao 1987; iNEXT y vegan), ACE, Chao2, ICE,\n"
     "jackknife y bootstrap (vegan specpool), Shannon, Simpson,\n"
     "Berger-Parker, Pielou, Margalef, Menhinick, Brillouin,\n"
     "alfa de Fisher, números de Hill y curvas de rarefacción y\n"
     "extrapolación (Chao et al. 2014); con --csv, la curva por\n"
     "individuos; con --saida, NOMBRE-diversidade.txt/.json/.csv"},
    {"o relatório de diversidade do arquivo e as suas curvas", "the file's diversity report and its curves",
     "el informe de diversidad del archivo y sus curvas"},
    {"a similaridade (Sorensen) de 3 a 10 arquivos de dados", "the similarity (Sorensen) of 3 to 10 data files",
     "la similitud (Sorensen) de 3 a 10 archivos de datos"},
    {"compara 2 a 10 tratamentos: teste t de Hutcheson (Zar)\n"
     "com p de Holm, matrizes de Sorensen, Jaccard,\n"
     "Morisita-Horn e Bray-Curtis e o dendrograma UPGMA",
     "compares 2 to 10 treatments: Hutcheson's t test (Zar)\n"
     "with Holm's p, matrices of Sorensen, Jaccard,\n"
     "Morisita-Horn and Bray-Curtis and the UPGMA dendrogram",
     "compara de 2 a 10 tratamientos: prueba t de Hutcheson (Zar)\n"
     "con p de Holm, matrices de Sorensen, Jaccard,\n"
     "Morisita-Horn y Bray-Curtis y el dendrograma UPGMA"},
    {"o índice do dendrograma: sorensen (1 - Sorensen, o\n"
     "padrão) ou bray-curtis; nas comunidades, a\n"
     "dissimilaridade: bray-curtis (o padrão) ou jaccard",
     "the dendrogram's index: sorensen (1 - Sorensen, the\n"
     "default) or bray-curtis; for the communities, the\n"
     "dissimilarity: bray-curtis (the default) or jaccard",
     "el índice del dendrograma: sorensen (1 - Sorensen, el\n"
     "predeterminado) o bray-curtis; en las comunidades, la\n"
     "disimilitud: bray-curtis (la predeterminada) o jaccard"},
    {"zaviro-relatorio --comunidades [--json] [--indice bray-curtis|jaccard] [--permutacoes N]\n"
     "                      [--semente S] ARQ1 ARQ2 [... ARQ10]",
     "zaviro-relatorio --comunidades [--json] [--indice bray-curtis|jaccard] [--permutacoes N]\n"
     "                      [--semente S] FILE1 FILE2 [... FILE10]",
     "zaviro-relatorio --comunidades [--json] [--indice bray-curtis|jaccard] [--permutacoes N]\n"
     "                      [--semente S] ARCH1 ARCH2 [... ARCH10]"},
    {"zaviro-relatorio --flutuacao [--json | --csv] [--defasagem K] ARQUIVO",
     "zaviro-relatorio --flutuacao [--json | --csv] [--defasagem K] FILE",
     "zaviro-relatorio --flutuacao [--json | --csv] [--defasagem K] ARCHIVO"},
    {"zaviro-relatorio --flutuacao [--json | --csv] [--defasagem K] --saida PASTA ARQ1 [ARQ2 ...]",
     "zaviro-relatorio --flutuacao [--json | --csv] [--defasagem K] --saida FOLDER FILE1 [FILE2 ...]",
     "zaviro-relatorio --flutuacao [--json | --csv] [--defasagem K] --saida CARPETA ARCH1 [ARCH2 ...]"},
    {"zaviro --comunidades [--indice bray-curtis|jaccard] [--permutacoes N] [--semente S]\n"
     "            --pdf|--grafico SAIDA ARQ1 ARQ2 [... ARQ10]",
     "zaviro --comunidades [--indice bray-curtis|jaccard] [--permutacoes N] [--semente S]\n"
     "            --pdf|--grafico OUT FILE1 FILE2 [... FILE10]",
     "zaviro --comunidades [--indice bray-curtis|jaccard] [--permutacoes N] [--semente S]\n"
     "            --pdf|--grafico SALIDA ARCH1 ARCH2 [... ARCH10]"},
    {"zaviro --flutuacao [--defasagem K] --pdf|--grafico SAIDA ARQUIVO",
     "zaviro --flutuacao [--defasagem K] --pdf|--grafico OUT FILE",
     "zaviro --flutuacao [--defasagem K] --pdf|--grafico SALIDA ARCHIVO"},
    {"as comunidades de 2 a 10 tratamentos pelas suas coletas\n"
     "(bloco [coletas] de cada arquivo): espécies indicadoras\n"
     "(IndVal), PERMANOVA, PCoA e NMDS",
     "the communities of 2 to 10 treatments by their collections\n"
     "(each file's [coletas] block): indicator species\n"
     "(IndVal), PERMANOVA, PCoA and NMDS",
     "las comunidades de 2 a 10 tratamientos por sus colectas\n"
     "(bloque [coletas] de cada archivo): especies indicadoras\n"
     "(IndVal), PERMANOVA, PCoA y NMDS"},
    {"a flutuação populacional de um levantamento com o bloco\n"
     "[coletas]: indivíduos, espécies, H de Shannon e as\n"
     "espécies predominantes de cada coleta; correlações de\n"
     "Pearson e Spearman com o clima do bloco [clima];\n"
     "sazonalidade pelo teste de Rayleigh (Zar 2010)",
     "the population fluctuation of a survey with the [coletas]\n"
     "block: individuals, species, Shannon's H and the\n"
     "predominant species of each collection; Pearson's and\n"
     "Spearman's correlations with the weather of the [clima]\n"
     "block; seasonality by Rayleigh's test (Zar 2010)",
     "la fluctuación poblacional de un levantamiento con el\n"
     "bloque [coletas]: individuos, especies, H de Shannon y las\n"
     "especies predominantes de cada colecta; correlaciones de\n"
     "Pearson y Spearman con el clima del bloque [clima];\n"
     "estacionalidad por la prueba de Rayleigh (Zar 2010)"},
    {"com --flutuacao: a coleta k com o clima da coleta k - K\n"
     "(K de 0, o padrão, em diante)",
     "with --flutuacao: collection k with the weather of\n"
     "collection k - K (K from 0, the default, up)",
     "con --flutuacao: la colecta k con el clima de la colecta\n"
     "k - K (K de 0, el predeterminado, en adelante)"},
    {"nas comunidades, as permutações dos testes (IndVal e\n"
     "PERMANOVA), de 1 a 99999; o padrão é 999",
     "for the communities, the tests' permutations (IndVal and\n"
     "PERMANOVA), from 1 to 99999; the default is 999",
     "en las comunidades, las permutaciones de las pruebas\n"
     "(IndVal y PERMANOVA), de 1 a 99999; el predeterminado es 999"},
    {"nas comunidades, a semente das permutações e dos\n"
     "inícios do NMDS (até 18 algarismos): a mesma semente\n"
     "dá os mesmos números em toda parte",
     "for the communities, the seed of the permutations and of\n"
     "the NMDS's starts (up to 18 digits): the same seed gives\n"
     "the same numbers everywhere",
     "en las comunidades, la semilla de las permutaciones y de\n"
     "los inicios del NMDS (hasta 18 cifras): la misma semilla\n"
     "da los mismos números en todas partes"},
    {"Erro: --permutacoes espera um número inteiro de 1 a 99999",
     "Error: --permutacoes expects a whole number from 1 to 99999",
     "Error: --permutacoes espera un número entero de 1 a 99999"},
    {"Erro: --semente espera um número inteiro de 0 a 999999999999999999",
     "Error: --semente expects a whole number from 0 to 999999999999999999",
     "Error: --semente espera un número entero de 0 a 999999999999999999"},
    {"Erro: --defasagem espera um número inteiro de coletas, 0 ou mais",
     "Error: --defasagem expects a whole number of collections, 0 or more",
     "Error: --defasagem espera un número entero de colectas, 0 o más"},
    {"Erro: --indice espera bray-curtis ou jaccard", "Error: --indice expects bray-curtis or jaccard",
     "Error: --indice espera bray-curtis o jaccard"},
    {"Erro: a flutuação ainda não tem gráficos; grave o relatório com --pdf",
     "Error: the fluctuation has no charts yet; write its report with --pdf",
     "Error: la fluctuación aún no tiene gráficos; grabe el informe con --pdf"},
    {"os resultados em JSON (UTF-8), para R ou Python: os\n"
     "números com precisão completa, as classes sem espaços,\n"
     "null onde o relatório de similaridade mostra \"-\"",
     "the results as JSON (UTF-8), for R or Python: the\n"
     "numbers at full precision, the classes without spaces,\n"
     "null where the similarity report shows \"-\"",
     "los resultados en JSON (UTF-8), para R o Python: los\n"
     "números con precisión completa, las clases sin espacios,\n"
     "null donde el informe de similitud muestra \"-\""},
    {"a tabela de espécies em CSV (UTF-8, vírgula, linha de\n"
     "títulos, \".\" como separador decimal): espécie, nome,\n"
     "indivíduos, coletas, percentual de N', limite de\n"
     "dominância, as quatro classes e a marca de predominante",
     "the species table as CSV (UTF-8, comma, a heading\n"
     "line, \".\" as decimal separator): species, name,\n"
     "individuals, collections, percentage of N', dominance\n"
     "limit, the four classes and the predominant mark",
     "la tabla de especies en CSV (UTF-8, coma, línea de\n"
     "títulos, \".\" como separador decimal): especie, nombre,\n"
     "individuos, colectas, porcentaje de N', límite de\n"
     "dominancia, las cuatro clases y la marca de predominante"},
    {"a mesma tabela numa planilha do Excel (.xlsx), os\n"
     "números como números; redirecione a saída a um arquivo",
     "the same table in an Excel workbook (.xlsx), the\n"
     "numbers as numbers; redirect the output to a file",
     "la misma tabla en una hoja de Excel (.xlsx), los\n"
     "números como números; redirija la salida a un archivo"},
    {"--saida PASTA", "--saida FOLDER", "--saida CARPETA"},
    {"grava um arquivo por levantamento em PASTA:\n"
     "NOME-relatorio.txt, ou NOME.json / NOME.csv / NOME.xlsx;\n"
     "um arquivo com erro é relatado com seu nome e os demais\n"
     "seguem",
     "writes one file per survey in FOLDER:\n"
     "NAME-relatorio.txt, or NAME.json / NAME.csv / NAME.xlsx;\n"
     "a file with an error is reported by its name and the\n"
     "others go on",
     "graba un archivo por levantamiento en CARPETA:\n"
     "NOMBRE-relatorio.txt, o NOMBRE.json / NOMBRE.csv / NOMBRE.xlsx;\n"
     "un archivo con error se informa con su nombre y los\n"
     "demás siguen"},
    {"--importar PLANILHA --coletas C", "--importar SHEET --coletas C", "--importar HOJA --coletas C"},
    {"escreve o arquivo de dados de uma planilha CSV, TSV,\n"
     "XLSX ou ODS (uma linha por espécie: [nome,] indivíduos,\n"
     "coletas; linha de títulos opcional; célula vazia é 0)\n"
     "com C coletas no total; os nomes vão para o bloco\n"
     "[nomes] do arquivo; uma última linha com as somas das\n"
     "de cima é deixada de fora, com um aviso na saída de erro",
     "writes the data file of a CSV, TSV, XLSX or ODS\n"
     "spreadsheet (one row per species: [name,] individuals,\n"
     "collections; heading line optional; an empty cell is 0)\n"
     "with C collections in all; the names go to the file's\n"
     "[nomes] block; a last row with the sums of those above\n"
     "is left out, with a warning on standard error",
     "escribe el archivo de datos de una hoja CSV, TSV,\n"
     "XLSX u ODS (una fila por especie: [nombre,] individuos,\n"
     "colectas; línea de títulos opcional; celda vacía es 0)\n"
     "con C colectas en total; los nombres van al bloque\n"
     "[nomes] del archivo; una última fila con las sumas de\n"
     "las de arriba se deja fuera, con un aviso en la salida de error"},
    {"--planilha NOME", "--planilha NAME", "--planilha NOMBRE"},
    {"com --importar: a planilha NOME da pasta de trabalho\n"
     "XLSX ou ODS, em vez da primeira",
     "with --importar: the sheet NAME of the XLSX or ODS\n"
     "workbook, instead of the first",
     "con --importar: la hoja NOMBRE del libro XLSX u ODS,\n"
     "en vez de la primera"},
    {"com --importar: uma planilha de espécies por coletas (o\n"
     "nome e uma coluna por coleta): indivíduos = a soma da\n"
     "linha, coletas = as células diferentes de 0, C = o\n"
     "número de colunas de coletas; o arquivo guarda também\n"
     "cada coleta (bloco [coletas]), com a data quando o\n"
     "cabeçalho tem datas (aaaa-mm-dd ou dd/mm/aaaa)",
     "with --importar: a sheet of species by collections (the\n"
     "name and one column per collection): individuals = the\n"
     "row's sum, collections = the cells other than 0, C = the\n"
     "number of collection columns; the file also keeps each\n"
     "collection ([coletas] block), with its date when the\n"
     "heading has dates (yyyy-mm-dd or dd/mm/yyyy)",
     "con --importar: una hoja de especies por colectas (el\n"
     "nombre y una columna por colecta): individuos = la suma\n"
     "de la fila, colectas = las celdas distintas de 0, C = el\n"
     "número de columnas de colectas; el archivo guarda también\n"
     "cada colecta (bloque [coletas]), con la fecha cuando el\n"
     "encabezado tiene fechas (aaaa-mm-dd o dd/mm/aaaa)"},
    {"com --importar: uma planilha de um registro por linha\n"
     "(data, espécie, indivíduos): cada data é uma coleta,\n"
     "na ordem das datas, cada nome uma espécie, na ordem\n"
     "em que aparece; os registros de uma espécie numa data\n"
     "são somados",
     "with --importar: a sheet of one record per row\n"
     "(date, species, individuals): each date is a collection,\n"
     "in the dates' order, each name a species, in the order\n"
     "it appears; the records of a species on one date are\n"
     "added up",
     "con --importar: una hoja de un registro por fila\n"
     "(fecha, especie, individuos): cada fecha es una colecta,\n"
     "en el orden de las fechas, cada nombre una especie, en el\n"
     "orden en que aparece; los registros de una especie en una\n"
     "fecha se suman"},
    {"--clima PLANILHA", "--clima SHEET", "--clima HOJA"},
    {"com --por-coleta ou --registros: o clima de cada coleta\n"
     "(bloco [clima]): linha de títulos com os nomes das\n"
     "variáveis, uma linha por coleta com a data (ou na\n"
     "ordem das coletas) e os valores; sem --clima, a\n"
     "planilha \"clima\" da mesma pasta de trabalho, se houver",
     "with --por-coleta or --registros: the weather of each\n"
     "collection ([clima] block): a heading line with the\n"
     "variables' names, one row per collection with its date\n"
     "(or in the collections' order) and the values; without\n"
     "--clima, the sheet \"clima\" of the same workbook, if any",
     "con --por-coleta o --registros: el clima de cada colecta\n"
     "(bloque [clima]): línea de títulos con los nombres de las\n"
     "variables, una fila por colecta con la fecha (o en el\n"
     "orden de las colectas) y los valores; sin --clima, la\n"
     "hoja \"clima\" del mismo libro, si la hay"},
    {"--planilha-clima NOME", "--planilha-clima NAME", "--planilha-clima NOMBRE"},
    {"com --clima: a planilha NOME da pasta de trabalho", "with --clima: the sheet NAME of the workbook",
     "con --clima: la hoja NOMBRE del libro"},
    {"a língua dos relatórios: pt (o padrão), en ou es; os\n"
     "números, os códigos das classes, o JSON e o CSV não mudam",
     "the reports' language: pt (the default), en or es; the\n"
     "numbers, the class codes, the JSON and the CSV do not change",
     "la lengua de los informes: pt (la predeterminada), en o es;\n"
     "los números, los códigos de las clases, el JSON y el CSV no cambian"},
    {"-o, --saida ARQUIVO", "-o, --saida FILE", "-o, --saida ARCHIVO"},
    {"com --importar: grava o arquivo de dados em ARQUIVO,\n"
     "inteiro ou nada, em vez da saída padrão",
     "with --importar: writes the data file to FILE, whole\n"
     "or not at all, instead of standard output",
     "con --importar: graba el archivo de datos en ARCHIVO,\n"
     "entero o nada, en vez de la salida estándar"},
    {"--pdf SAIDA", "--pdf OUT", "--pdf SALIDA"},
    {"as páginas do relatório e, depois, os gráficos, em PDF", "the report's pages and then the charts, as PDF",
     "las páginas del informe y, después, los gráficos, en PDF"},
    {"--grafico SAIDA", "--grafico OUT", "--grafico SALIDA"},
    {"só os gráficos, em PNG, SVG ou PDF (pela extensão de SAIDA)",
     "the charts alone, as PNG, SVG or PDF (by the extension of OUT)",
     "solo los gráficos, en PNG, SVG o PDF (por la extensión de SALIDA)"},
    // The notes at the end.
    {"Nenhuma saída substitui um arquivo de entrada: uma que o faria é recusada.",
     "No output replaces an input file: one that would is refused.",
     "Ninguna salida reemplaza un archivo de entrada: una que lo haría se rechaza."},
    {"Saída: 0 tudo escrito; 1 erro no arquivo ou no cálculo (mensagem na saída\n"
     "de erro); 2 uso incorreto.",
     "Exit status: 0 everything written; 1 error in the file or the computation\n"
     "(message on standard error); 2 wrong usage.",
     "Salida: 0 todo escrito; 1 error en el archivo o en el cálculo (mensaje en la\n"
     "salida de error); 2 uso incorrecto."},
    {"Saída: 0 arquivo gravado; 1 erro num arquivo ou no cálculo (mensagem na\n"
     "saída de erro); 2 uso incorreto.",
     "Exit status: 0 file written; 1 error in a file or the computation (message\n"
     "on standard error); 2 wrong usage.",
     "Salida: 0 archivo grabado; 1 error en un archivo o en el cálculo (mensaje\n"
     "en la salida de error); 2 uso incorrecto."},
    // The usage errors.
    {"Erro: o relatório é gravado em PDF: termine o nome do arquivo em .pdf",
     "Error: the report is written as PDF: end the file's name in .pdf",
     "Error: el informe se graba en PDF: termine el nombre del archivo en .pdf"},
    {"Erro: o gráfico é gravado em PNG, SVG ou PDF: termine o nome do arquivo em .png, .svg ou .pdf",
     "Error: the chart is written as PNG, SVG or PDF: end the file's name in .png, .svg or .pdf",
     "Error: el gráfico se graba en PNG, SVG o PDF: termine el nombre del archivo en .png, .svg o .pdf"},
    {"Erro: --indice espera sorensen ou bray-curtis", "Error: --indice expects sorensen or bray-curtis",
     "Error: --indice espera sorensen o bray-curtis"},
    {"Erro: --coletas espera o total de coletas, um número inteiro maior que 0",
     "Error: --coletas expects the total of collections, a whole number greater than 0",
     "Error: --coletas espera el total de colectas, un número entero mayor que 0"},
    {"Erro: --idioma espera pt, en ou es", "Error: --idioma expects pt, en or es",
     "Error: --idioma espera pt, en o es"},
    {"Erro: --clima dá o clima de cada coleta: use-o com --por-coleta ou --registros",
     "Error: --clima gives the weather of each collection: use it with --por-coleta or --registros",
     "Error: --clima da el clima de cada colecta: úselo con --por-coleta o --registros"},
    {"Erro: com --por-coleta, o total de coletas é o número de colunas de coletas da planilha; não use --coletas",
     "Error: with --por-coleta, the total of collections is the number of the sheet's collection columns; do "
     "not use --coletas",
     "Error: con --por-coleta, el total de colectas es el número de columnas de colectas de la hoja; no use "
     "--coletas"},
    {"Erro: com --registros, o total de coletas é o número de datas da planilha; não use --coletas",
     "Error: with --registros, the total of collections is the number of the sheet's dates; do not use --coletas",
     "Error: con --registros, el total de colectas es el número de fechas de la hoja; no use --coletas"},
    {"Erro: nenhuma tela gráfica disponível (DISPLAY não definido).\n"
     "Abra o ZAVIRO numa sessão gráfica, ou use zaviro-relatorio ARQUIVO\n"
     "para obter o relatório no terminal, ou zaviro --pdf SAIDA.pdf ARQUIVO.\n",
     "Error: no graphical display available (DISPLAY not set).\n"
     "Open ZAVIRO in a graphical session, or use zaviro-relatorio FILE\n"
     "to get the report in the terminal, or zaviro --pdf OUT.pdf FILE.\n",
     "Error: no hay pantalla gráfica disponible (DISPLAY no definido).\n"
     "Abra ZAVIRO en una sesión gráfica, o use zaviro-relatorio ARCHIVO\n"
     "para obtener el informe en la terminal, o zaviro --pdf SALIDA.pdf ARCHIVO.\n"},
};

ReportLanguage languageOfName(std::string_view name) {
    if (name.starts_with("en")) return ReportLanguage::English;
    if (name.starts_with("es")) return ReportLanguage::Spanish;
    return ReportLanguage::Portuguese;
}

} // namespace

ReportLanguage messageLanguage(const char* lcAll, const char* lcMessages, const char* lang) {
    for (const char* value : {lcAll, lcMessages, lang})
        if (value && *value) return languageOfName(value);
    return ReportLanguage::Portuguese;
}

ReportLanguage messageLanguageFromEnvironment() {
    return messageLanguage(std::getenv("LC_ALL"), std::getenv("LC_MESSAGES"), std::getenv("LANG"));
}

std::string cliText(ReportLanguage language, std::string_view portuguese) {
    if (language != ReportLanguage::Portuguese)
        for (const auto& text : kTexts)
            if (text.pt == portuguese) return std::string(language == ReportLanguage::English ? text.en : text.es);
    return std::string(portuguese);
}

std::size_t cliTextCount() { return std::size(kTexts); }
const CliText& cliTextAt(std::size_t i) { return kTexts[i]; }

} // namespace zav::cli
