#include "data/message_language.h"

#include "data/text_pattern.h"

#include <array>
#include <vector>

namespace zav {
namespace {

// The core's messages, Portuguese first: whole sentences, and the parts a
// message is made of ("Erro: ", "Linha 3: ", the import's "planilha, linha
// 3, coluna ...") as patterns around the rest. A more particular pattern
// stands before a more general one that starts the same way.
constexpr MessageText kCatalogue[] = {
    // The typed errors (errors.cpp) and the system's reasons, as the GNU C
    // library says them in each language.
    MessageText{"Error: Verifique o arquivo de dados!", "Error: Check the data file!",
                "Error: ¡Verifique el archivo de datos!"},
    MessageText{"memória insuficiente", "not enough memory", "memoria insuficiente"},
    MessageText{"não foi possível abrir o arquivo: *", "could not open the file: *", "no se pudo abrir el archivo: *"},
    MessageText{"não foi possível gravar o arquivo: *: @", "could not write the file: *: @",
                "no se pudo grabar el archivo: *: @"},
    MessageText{"não foi possível gravar o arquivo: *", "could not write the file: *",
                "no se pudo grabar el archivo: *"},
    MessageText{"a saída substituiria um arquivo de entrada: *", "the output would replace an input file: *",
                "la salida sustituiría un archivo de entrada: *"},
    MessageText{"são necessárias pelo menos 2 espécies com indivíduos",
                "at least 2 species with individuals are needed", "se necesitan al menos 2 especies con individuos"},
    MessageText{"o total de coletas não pode ser 0", "the total of collections cannot be 0",
                "el total de colectas no puede ser 0"},
    MessageText{"os dados não permitem o cálculo", "the data do not allow the computation",
                "los datos no permiten el cálculo"},
    MessageText{"Permissão negada", "Permission denied", "Permiso denegado"},
    MessageText{"Operação não permitida", "Operation not permitted", "Operación no permitida"},
    MessageText{"Arquivo ou diretório inexistente", "No such file or directory",
                "No existe el fichero o el directorio"},
    MessageText{"Não é um diretório", "Not a directory", "No es un directorio"},
    MessageText{"É um diretório", "Is a directory", "Es un directorio"},
    MessageText{"Não há espaço disponível no dispositivo", "No space left on device",
                "No queda espacio en el dispositivo"},
    MessageText{"Cota de disco excedida", "Disk quota exceeded", "Se ha excedido la cuota de disco"},
    MessageText{"Arquivo muito grande", "File too large", "Fichero demasiado grande"},
    MessageText{"Sistema de arquivos somente para leitura", "Read-only file system",
                "Sistema de ficheros de sólo lectura"},
    MessageText{"Nome de arquivo muito longo", "File name too long", "Nombre de fichero demasiado largo"},
    MessageText{"Muitos níveis de links simbólicos", "Too many levels of symbolic links",
                "Demasiados niveles de enlaces simbólicos"},
    MessageText{"Erro de entrada/saída", "Input/output error", "Error de entrada/salida"},
    MessageText{"Arquivo existe", "File exists", "El fichero ya existe"},
    MessageText{"Link inválido entre dispositivos", "Invalid cross-device link", "Enlace inválido entre dispositivos"},
    MessageText{"Dispositivo ou recurso está ocupado", "Device or resource busy", "Dispositivo o recurso ocupado"},
    MessageText{"Arquivo de texto ocupado", "Text file busy", "Fichero de texto ocupado"},
    MessageText{"Arquivos abertos demais", "Too many open files", "Demasiados ficheros abiertos"},
    MessageText{"Não foi possível alocar memória", "Cannot allocate memory", "No se puede asignar memoria"},
    MessageText{"Chamada de sistema interrompida", "Interrupted system call", "Llamada al sistema interrumpida"},
    MessageText{"erro do sistema # (*)", "system error # (*)", "error del sistema # (*)"},

    // The atomic save and the program's own files.
    MessageText{"o link simbólico pertence a outro usuário, numa pasta compartilhada; escolha outro nome",
                "the symbolic link belongs to another user, in a shared folder; choose another name",
                "el enlace simbólico pertenece a otro usuario, en una carpeta compartida; elija otro nombre"},
    MessageText{"não é um arquivo comum", "not a regular file", "no es un archivo común"},
    MessageText{"a saída (>) é o próprio arquivo de entrada, e o shell o esvaziou ao abri-la, antes de o programa "
                "começar: * tem agora 0 bytes; recupere-o (de uma cópia) e dê outro nome à saída",
                "the output (>) is the input file itself, and the shell emptied it when opening it, before the "
                "program started: * now has 0 bytes; recover it (from a copy) and give the output another name",
                "la salida (>) es el propio archivo de entrada, y el shell lo vació al abrirla, antes de que el "
                "programa empezara: * tiene ahora 0 bytes; recupérelo (de una copia) y dé otro nombre a la salida"},
    MessageText{"não foi possível escrever na saída padrão", "could not write to standard output",
                "no se pudo escribir en la salida estándar"},
    MessageText{"não foi possível criar a pasta: *", "could not create the folder: *",
                "no se pudo crear la carpeta: *"},
    MessageText{"outro arquivo da lista já deu o nome *; este não foi gravado",
                "another file of the list already gave the name *; this one was not written",
                "otro archivo de la lista ya dio el nombre *; este no se grabó"},
    MessageText{"esta versão não lê nem grava planilhas XLSX ou ODS",
                "this version neither reads nor writes XLSX or ODS spreadsheets",
                "esta versión no lee ni graba hojas de cálculo XLSX u ODS"},
    MessageText{"esta análise não tem planilha XLSX", "this analysis has no XLSX spreadsheet",
                "este análisis no tiene hoja de cálculo XLSX"},
    MessageText{"--xlsx escreve uma planilha, não texto: redirecione a saída a um arquivo (> tabela.xlsx) ou use "
                "--saida PASTA",
                "--xlsx writes a spreadsheet, not text: redirect the output to a file (> tabela.xlsx) or use "
                "--saida FOLDER",
                "--xlsx escribe una hoja de cálculo, no texto: redirija la salida a un archivo (> tabela.xlsx) o use "
                "--saida CARPETA"},

    // The data file: its header and species lines.
    MessageText{"O arquivo está vazio", "The file is empty", "El archivo está vacío"},
    MessageText{"o arquivo está em UTF-16; grave-o como texto em UTF-8 ou ANSI (Windows-1252)",
                "the file is in UTF-16; save it as text in UTF-8 or ANSI (Windows-1252)",
                "el archivo está en UTF-16; grábelo como texto en UTF-8 o ANSI (Windows-1252)"},
    MessageText{"as linhas do arquivo terminam só com CR (fim de linha do Mac antigo); grave-o com fins de linha CR LF "
                "(Windows) ou LF",
                "the file's lines end with CR alone (the old Mac line end); save it with CR LF (Windows) or LF line "
                "ends",
                "las líneas del archivo terminan solo con CR (fin de línea del Mac antiguo); grábelo con fines de "
                "línea CR LF (Windows) o LF"},
    MessageText{"o arquivo parece uma planilha; use Arquivo > Importar planilha... (ou zaviro-relatorio --importar)",
                "the file looks like a spreadsheet; use File > Import spreadsheet... (or zaviro-relatorio --importar)",
                "el archivo parece una hoja de cálculo; use Archivo > Importar hoja de cálculo... (o zaviro-relatorio "
                "--importar)"},
    MessageText{"O cabeçalho anuncia # linhas de espécies; o arquivo tem #",
                "The header announces # species lines; the file has #",
                "El encabezado anuncia # líneas de especies; el archivo tiene #"},
    MessageText{"falta o número de linhas de espécies", "the number of species lines is missing",
                "falta el número de líneas de especies"},
    MessageText{"falta o total de coletas", "the total of collections is missing", "falta el total de colectas"},
    MessageText{"falta o número de indivíduos", "the number of individuals is missing",
                "falta el número de individuos"},
    MessageText{"falta o número de coletas", "the number of collections is missing", "falta el número de colectas"},
    MessageText{"* não é um número inteiro", "* is not a whole number", "* no es un número entero"},
    MessageText{"a linha passa de # caracteres", "the line exceeds # characters", "la línea pasa de # caracteres"},
    MessageText{"o arquivo não pôde ser lido", "the file could not be read", "no se pudo leer el archivo"},
    MessageText{"mais de # espécies com indivíduos", "more than # species with individuals",
                "más de # especies con individuos"},
    MessageText{"mais # linhas com contagens impossíveis", "# more lines with impossible counts",
                "# líneas más con conteos imposibles"},
    MessageText{"o número de espécies deve ser de 1 a #", "the number of species must be from 1 to #",
                "el número de especies debe ser de 1 a #"},
    MessageText{"mais de # linhas de espécies", "more than # species lines", "más de # líneas de especies"},
    MessageText{"o nome da espécie # passa de # caracteres e não foi lido",
                "the name of species # exceeds # characters and was not read",
                "el nombre de la especie # pasa de # caracteres y no se leyó"},
    MessageText{"um caractere Ctrl-Z (fim de arquivo do DOS) interrompe os nomes; os nomes depois dele não foram lidos",
                "a Ctrl-Z character (the DOS end of file) cuts the names; the names after it were not read",
                "un carácter Ctrl-Z (fin de archivo de DOS) interrumpe los nombres; los nombres después de él no se "
                "leyeron"},
    MessageText{"o nome da espécie # é a marca de um bloco e não foi lido",
                "the name of species # is a block's mark and was not read",
                "el nombre de la especie # es la marca de un bloque y no se leyó"},
    MessageText{"total de coletas negativo: #", "negative total of collections: #", "total de colectas negativo: #"},
    MessageText{"número de indivíduos negativo: #", "negative number of individuals: #",
                "número de individuos negativo: #"},
    MessageText{"número de coletas negativo: #", "negative number of collections: #", "número de colectas negativo: #"},
    MessageText{"número negativo de indivíduos (#)", "negative number of individuals (#)",
                "número negativo de individuos (#)"},
    MessageText{"número negativo de indivíduos", "negative number of individuals", "número negativo de individuos"},
    MessageText{"nenhuma espécie com indivíduos", "no species with individuals", "ninguna especie con individuos"},

    // What counts a species can have (species_counts.cpp).
    MessageText{"# indivíduos em # coletas; @", "# individuals in # collections; @", "# individuos en # colectas; @"},
    MessageText{"# indivíduos em # coleta; @", "# individuals in # collection; @", "# individuos en # colecta; @"},
    MessageText{"# indivíduo em # coletas; @", "# individual in # collections; @", "# individuo en # colectas; @"},
    MessageText{"# indivíduo em # coleta; @", "# individual in # collection; @", "# individuo en # colecta; @"},
    MessageText{"# coletas num levantamento de # coletas; @", "# collections in a survey of # collections; @",
                "# colectas en un muestreo de # colectas; @"},
    MessageText{"# coleta num levantamento de # coletas; @", "# collection in a survey of # collections; @",
                "# colecta en un muestreo de # colectas; @"},
    MessageText{"# coletas num levantamento de # coleta; @", "# collections in a survey of # collection; @",
                "# colectas en un muestreo de # colecta; @"},
    MessageText{"# coleta num levantamento de # coleta; @", "# collection in a survey of # collection; @",
                "# colecta en un muestreo de # colecta; @"},
    MessageText{"uma contagem não é negativa", "a count is not negative", "un conteo no es negativo"},
    MessageText{"uma espécie com indivíduos foi coletada em ao menos uma coleta",
                "a species with individuals was collected in at least one collection",
                "una especie con individuos fue colectada en al menos una colecta"},
    MessageText{"uma espécie coletada tem ao menos um indivíduo", "a collected species has at least one individual",
                "una especie colectada tiene al menos un individuo"},
    MessageText{"uma espécie tem ao menos um indivíduo em cada coleta em que foi coletada",
                "a species has at least one individual in each collection it was collected in",
                "una especie tiene al menos un individuo en cada colecta en que fue colectada"},
    MessageText{"uma espécie não é coletada em mais coletas do que o levantamento tem",
                "a species is not collected in more collections than the survey has",
                "una especie no se colecta en más colectas de las que tiene el muestreo"},

    // The collections' blocks of the data file.
    MessageText{"o bloco [coletas] aparece duas vezes", "the [coletas] block appears twice",
                "el bloque [coletas] aparece dos veces"},
    MessageText{"o bloco [coletas] pede um total de coletas de 1 ou mais no cabeçalho (linha 1)",
                "the [coletas] block needs a total of collections of 1 or more in the header (line 1)",
                "el bloque [coletas] pide un total de colectas de 1 o más en el encabezado (línea 1)"},
    MessageText{"o bloco [coletas] pede 1 ou mais linhas de espécies no cabeçalho (linha 1)",
                "the [coletas] block needs 1 or more species lines in the header (line 1)",
                "el bloque [coletas] pide 1 o más líneas de especies en el encabezado (línea 1)"},
    MessageText{"a coleta # deve ter a data e # contagens (uma por linha de espécie); a linha tem # campos",
                "collection # must have the date and # counts (one per species line); the line has # fields",
                "la colecta # debe tener la fecha y # conteos (uno por línea de especie); la línea tiene # campos"},
    MessageText{"a coleta # deve ter a data e # contagens (uma por linha de espécie); a linha tem # campo",
                "collection # must have the date and # counts (one per species line); the line has # field",
                "la colecta # debe tener la fecha y # conteos (uno por línea de especie); la línea tiene # campo"},
    MessageText{"* não é uma data (aaaa-mm-dd ou dd/mm/aaaa, ou - sem data)",
                "* is not a date (yyyy-mm-dd or dd/mm/yyyy, or - for no date)",
                "* no es una fecha (aaaa-mm-dd o dd/mm/aaaa, o - sin fecha)"},
    MessageText{"coletas com e sem data misturadas; dê a data de todas as coletas ou de nenhuma (-)",
                "collections with and without a date mixed; give the date of every collection or of none (-)",
                "colectas con y sin fecha mezcladas; dé la fecha de todas las colectas o de ninguna (-)"},
    MessageText{"a contagem * da espécie # não é um número inteiro de 0 ou mais",
                "the count * of species # is not a whole number of 0 or more",
                "el conteo * de la especie # no es un número entero de 0 o más"},
    MessageText{"falta a coleta #: o cabeçalho anuncia # coletas e o bloco [coletas] tem #",
                "collection # is missing: the header announces # collections and the [coletas] block has #",
                "falta la colecta #: el encabezado anuncia # colectas y el bloque [coletas] tiene #"},
    MessageText{"o bloco [clima] aparece duas vezes", "the [clima] block appears twice",
                "el bloque [clima] aparece dos veces"},
    MessageText{"o bloco [clima] pede um total de coletas de 1 ou mais no cabeçalho (linha 1)",
                "the [clima] block needs a total of collections of 1 or more in the header (line 1)",
                "el bloque [clima] pide un total de colectas de 1 o más en el encabezado (línea 1)"},
    MessageText{"falta a linha dos nomes das variáveis do bloco [clima]",
                "the line of the [clima] block's variable names is missing",
                "falta la línea de los nombres de las variables del bloque [clima]"},
    MessageText{"a variável * aparece duas vezes", "variable * appears twice", "la variable * aparece dos veces"},
    MessageText{"o clima da coleta # tem # valores; são # variáveis",
                "the weather of collection # has # values; there are # variables",
                "el clima de la colecta # tiene # valores; son # variables"},
    MessageText{"o clima da coleta # tem # valores; são # variável",
                "the weather of collection # has # values; there is # variable",
                "el clima de la colecta # tiene # valores; es # variable"},
    MessageText{"* não é um número (variável *, coleta #); escreva - para uma falta",
                "* is not a number (variable *, collection #); write - for a missing value",
                "* no es un número (variable *, colecta #); escriba - para un dato faltante"},
    MessageText{"falta o clima da coleta #: o cabeçalho anuncia # coletas e o bloco [clima] tem #",
                "the weather of collection # is missing: the header announces # collections and the [clima] block "
                "has #",
                "falta el clima de la colecta #: el encabezado anuncia # colectas y el bloque [clima] tiene #"},
    MessageText{"a espécie # soma # indivíduos nas coletas, mas a linha da espécie diz #",
                "species # adds up to # individuals in the collections, but the species' line says #",
                "la especie # suma # individuos en las colectas, pero la línea de la especie dice #"},
    MessageText{"a espécie # tem indivíduos em # coletas, mas a linha da espécie diz #",
                "species # has individuals in # collections, but the species' line says #",
                "la especie # tiene individuos en # colectas, pero la línea de la especie dice #"},
    MessageText{"o bloco [nomes] deve vir logo depois das linhas das espécies, antes de [coletas] e [clima]",
                "the [nomes] block must come right after the species lines, before [coletas] and [clima]",
                "el bloque [nomes] debe venir justo después de las líneas de las especies, antes de [coletas] y "
                "[clima]"},
    MessageText{"o bloco [clima] pede o bloco [coletas] com as contagens de cada coleta",
                "the [clima] block needs the [coletas] block with the counts of each collection",
                "el bloque [clima] pide el bloque [coletas] con los conteos de cada colecta"},

    // The spreadsheet import: "Erro: planilha" and where.
    MessageText{"planilha em UTF-16; grave-a como CSV em UTF-8 ou Windows-1252",
                "spreadsheet in UTF-16; save it as CSV in UTF-8 or Windows-1252",
                "hoja de cálculo en UTF-16; grábela como CSV en UTF-8 o Windows-1252"},
    MessageText{"planilha sem linhas de espécies", "spreadsheet without species rows",
                "hoja de cálculo sin filas de especies"},
    MessageText{"planilha sem registros", "spreadsheet without records", "hoja de cálculo sin registros"},
    MessageText{"planilha clima vazia", "empty weather spreadsheet", "hoja de cálculo del clima vacía"},
    MessageText{"planilha clima, linha #, coluna *: @", "weather spreadsheet, row #, column *: @",
                "hoja de cálculo del clima, fila #, columna *: @"},
    MessageText{"planilha clima, linha #: @", "weather spreadsheet, row #: @", "hoja de cálculo del clima, fila #: @"},
    MessageText{"planilha clima: falta a linha da coleta # (*); uma linha por coleta, na ordem",
                "weather spreadsheet: the row of collection # (*) is missing; one row per collection, in order",
                "hoja de cálculo del clima: falta la fila de la colecta # (*); una fila por colecta, en orden"},
    MessageText{"planilha clima: falta a linha da coleta # (*)",
                "weather spreadsheet: the row of collection # (*) is missing",
                "hoja de cálculo del clima: falta la fila de la colecta # (*)"},
    MessageText{"planilha clima: falta a linha da coleta #; uma linha por coleta, na ordem",
                "weather spreadsheet: the row of collection # is missing; one row per collection, in order",
                "hoja de cálculo del clima: falta la fila de la colecta #; una fila por colecta, en orden"},
    MessageText{"planilha clima: falta a linha da coleta #", "weather spreadsheet: the row of collection # is missing",
                "hoja de cálculo del clima: falta la fila de la colecta #"},
    MessageText{"planilha, linha #, coluna *: @", "spreadsheet, row #, column *: @",
                "hoja de cálculo, fila #, columna *: @"},
    MessageText{"planilha, linha #: @", "spreadsheet, row #: @", "hoja de cálculo, fila #: @"},
    MessageText{"planilha, célula *: @", "spreadsheet, cell *: @", "hoja de cálculo, celda *: @"},
    MessageText{"planilha: @", "spreadsheet: @", "hoja de cálculo: @"},
    MessageText{"planilha: as células lidas pela página estão incompletas",
                "spreadsheet: the cells the page read are incomplete",
                "hoja de cálculo: las celdas leídas por la página están incompletas"},
    MessageText{"* tem separador de milhar; escreva o número sem ele: #",
                "* has a thousands separator; write the number without it: #",
                "* tiene separador de miles; escriba el número sin él: #"},
    MessageText{"* está fora do intervalo de 0 a 2147483647", "* is outside the range 0 to 2147483647",
                "* está fuera del intervalo de 0 a 2147483647"},
    MessageText{"falta no cabeçalho a coluna dos indivíduos (\"indivíduos\", \"n\", \"ind\" ou \"nº indivíduos\"); o "
                "cabeçalho tem *",
                "the header lacks the column of the individuals (\"indivíduos\", \"n\", \"ind\" or \"nº "
                "indivíduos\"); the header has *",
                "falta en el encabezado la columna de los individuos (\"indivíduos\", \"n\", \"ind\" o \"nº "
                "indivíduos\"); el encabezado tiene *"},
    MessageText{"falta no cabeçalho a coluna das coletas (\"coletas\", \"col\", \"amostras\" ou \"nº coletas\"); o "
                "cabeçalho tem *",
                "the header lacks the column of the collections (\"coletas\", \"col\", \"amostras\" or \"nº "
                "coletas\"); the header has *",
                "falta en el encabezado la columna de las colectas (\"coletas\", \"col\", \"amostras\" o \"nº "
                "coletas\"); el encabezado tiene *"},
    MessageText{"falta no cabeçalho a coluna da data (\"data\"); o cabeçalho tem *",
                "the header lacks the column of the date (\"data\"); the header has *",
                "falta en el encabezado la columna de la fecha (\"data\"); el encabezado tiene *"},
    MessageText{"falta no cabeçalho a coluna da espécie (\"espécie\" ou \"nome\"); o cabeçalho tem *",
                "the header lacks the column of the species (\"espécie\" or \"nome\"); the header has *",
                "falta en el encabezado la columna de la especie (\"espécie\" o \"nome\"); el encabezado tiene *"},
    MessageText{"falta no cabeçalho a coluna dos indivíduos (\"indivíduos\", \"n\" ou \"ind\"); o cabeçalho tem *",
                "the header lacks the column of the individuals (\"indivíduos\", \"n\" or \"ind\"); the header has *",
                "falta en el encabezado la columna de los individuos (\"indivíduos\", \"n\" o \"ind\"); el "
                "encabezado tiene *"},
    MessageText{"cabeçalho não reconhecido: *; os títulos aceitos são \"espécie\" ou \"nome\", \"indivíduos\", \"n\", "
                "\"ind\" ou \"nº indivíduos\", \"coletas\", \"col\", \"amostras\" ou \"nº coletas\"",
                "header not recognised: *; the titles accepted are \"espécie\" or \"nome\", \"indivíduos\", \"n\", "
                "\"ind\" or \"nº indivíduos\", \"coletas\", \"col\", \"amostras\" or \"nº coletas\"",
                "encabezado no reconocido: *; los títulos aceptados son \"espécie\" o \"nome\", \"indivíduos\", "
                "\"n\", \"ind\" o \"nº indivíduos\", \"coletas\", \"col\", \"amostras\" o \"nº coletas\""},
    MessageText{"# coluna; sem cabeçalho, a planilha tem 2 colunas (indivíduos, coletas) ou 3 (nome, indivíduos, "
                "coletas)",
                "# column; without a header, the spreadsheet has 2 columns (individuals, collections) or 3 (name, "
                "individuals, collections)",
                "# columna; sin encabezado, la hoja de cálculo tiene 2 columnas (individuos, colectas) o 3 (nombre, "
                "individuos, colectas)"},
    MessageText{"# colunas; sem cabeçalho, a planilha tem 2 colunas (indivíduos, coletas) ou 3 (nome, indivíduos, "
                "coletas)",
                "# columns; without a header, the spreadsheet has 2 columns (individuals, collections) or 3 (name, "
                "individuals, collections)",
                "# columnas; sin encabezado, la hoja de cálculo tiene 2 columnas (individuos, colectas) o 3 (nombre, "
                "individuos, colectas)"},
    MessageText{"nenhuma coluna de coletas", "no column of collections", "ninguna columna de colectas"},
    MessageText{"linha vazia entre espécies; escreva 0 nas contagens de uma espécie não coletada, ou apague a linha",
                "empty row between species; write 0 in the counts of a species not collected, or delete the row",
                "fila vacía entre especies; escriba 0 en los conteos de una especie no colectada, o borre la fila"},
    MessageText{"parece uma linha de totais, mas os números não são as somas das linhas acima",
                "looks like a totals row, but the numbers are not the sums of the rows above",
                "parece una fila de totales, pero los números no son las sumas de las filas de arriba"},
    MessageText{"* não é uma data (aaaa-mm-dd ou dd/mm/aaaa), e as outras coletas do cabeçalho têm data",
                "* is not a date (yyyy-mm-dd or dd/mm/yyyy), and the header's other collections have a date",
                "* no es una fecha (aaaa-mm-dd o dd/mm/aaaa), y las otras colectas del encabezado tienen fecha"},
    MessageText{"* não é uma data (aaaa-mm-dd ou dd/mm/aaaa)", "* is not a date (yyyy-mm-dd or dd/mm/yyyy)",
                "* no es una fecha (aaaa-mm-dd o dd/mm/aaaa)"},
    MessageText{"# colunas preenchidas; a planilha tem #", "# columns filled; the spreadsheet has #",
                "# columnas llenas; la hoja de cálculo tiene #"},
    MessageText{"# colunas preenchidas; o cabeçalho tem #", "# columns filled; the header has #",
                "# columnas llenas; el encabezado tiene #"},
    MessageText{"a soma da linha passa de 2147483647 indivíduos", "the row's sum exceeds 2147483647 individuals",
                "la suma de la fila pasa de 2147483647 individuos"},
    MessageText{"falta o número da espécie", "the species' number is missing", "falta el número de la especie"},
    MessageText{"# não é um número de espécie de 1 a #", "# is not a species number from 1 to #",
                "# no es un número de especie de 1 a #"},
    MessageText{"a espécie # já está na linha #", "species # is already on row #", "la especie # ya está en la fila #"},
    MessageText{"# não é a soma das coletas da linha, #", "# is not the sum of the row's collections, #",
                "# no es la suma de las colectas de la fila, #"},
    MessageText{"mais de # espécies", "more than # species", "más de # especies"},
    MessageText{"aspas abertas e não fechadas", "quotes opened and not closed", "comillas abiertas y no cerradas"},
    MessageText{"o cabeçalho não tem a coluna dos indivíduos nem a das coletas, e a linha # tem # colunas de "
                "contagens: se cada coluna é uma coleta, importe com \"Uma coluna por coleta\" (--por-coleta na "
                "linha de comando)",
                "the header has neither the column of the individuals nor that of the collections, and row # has # "
                "columns of counts: if each column is a collection, import with \"One column per collection\" "
                "(--por-coleta on the command line)",
                "el encabezado no tiene la columna de los individuos ni la de las colectas, y la fila # tiene # "
                "columnas de conteos: si cada columna es una colecta, importe con \"Una columna por colecta\" "
                "(--por-coleta en la línea de comandos)"},
    MessageText{"falta a linha de títulos: a data (ou a coleta) e o nome de cada variável",
                "the row of titles is missing: the date (or the collection) and the name of each variable",
                "falta la fila de títulos: la fecha (o la colecta) y el nombre de cada variable"},
    MessageText{"a coluna # não tem nome de variável", "column # has no variable name",
                "la columna # no tiene nombre de variable"},
    MessageText{"nenhuma coluna de variáveis depois da primeira", "no column of variables after the first",
                "ninguna columna de variables después de la primera"},
    MessageText{"linha vazia entre as coletas", "empty row between the collections", "fila vacía entre las colectas"},
    MessageText{"* não é um número", "* is not a number", "* no es un número"},
    MessageText{"a data * já está na linha #", "the date * is already on row #", "la fecha * ya está en la fila #"},
    MessageText{"mais linhas que as # coletas", "more rows than the # collections", "más filas que las # colectas"},
    MessageText{"mais de # datas de coleta", "more than # collection dates", "más de # fechas de colecta"},
    MessageText{"a soma da espécie na data passa de 2147483647 indivíduos",
                "the species' sum on the date exceeds 2147483647 individuals",
                "la suma de la especie en la fecha pasa de 2147483647 individuos"},
    MessageText{"a espécie * soma mais de 2147483647 indivíduos",
                "species * adds up to more than 2147483647 individuals",
                "la especie * suma más de 2147483647 individuos"},
    MessageText{"sem cabeçalho, um registro tem 3 colunas: data, espécie, indivíduos",
                "without a header, a record has 3 columns: date, species, individuals",
                "sin encabezado, un registro tiene 3 columnas: fecha, especie, individuos"},
    MessageText{"linha vazia entre registros", "empty row between records", "fila vacía entre registros"},
    MessageText{"falta a data", "the date is missing", "falta la fecha"},
    MessageText{"falta o nome da espécie", "the species' name is missing", "falta el nombre de la especie"},
    MessageText{"Linha # ignorada: título; @", "Row # ignored: title; @", "Fila # ignorada: título; @"},
    MessageText{"Linha # ignorada: título", "Row # ignored: title", "Fila # ignorada: título"},
    MessageText{"Linha # ignorada: linha de totais; @", "Row # ignored: totals row; @",
                "Fila # ignorada: fila de totales; @"},
    MessageText{"Linha # ignorada: linha de totais", "Row # ignored: totals row", "Fila # ignorada: fila de totales"},
    MessageText{"linha # ignorada: linha de totais; @", "row # ignored: totals row; @",
                "fila # ignorada: fila de totales; @"},
    MessageText{"linha # ignorada: linha de totais", "row # ignored: totals row", "fila # ignorada: fila de totales"},
    MessageText{"Coluna # ignorada: coluna de totais", "Column # ignored: totals column",
                "Columna # ignorada: columna de totales"},
    MessageText{"coluna # ignorada: coluna de totais", "column # ignored: totals column",
                "columna # ignorada: columna de totales"},

    // Workbooks (sheets).
    MessageText{"não foi possível carregar o módulo das planilhas (*): *",
                "could not load the spreadsheets' module (*): *",
                "no se pudo cargar el módulo de las hojas de cálculo (*): *"},
    MessageText{"não foi possível carregar o módulo das planilhas (*)", "could not load the spreadsheets' module (*)",
                "no se pudo cargar el módulo de las hojas de cálculo (*)"},
    MessageText{"planilha protegida por senha: abra-a no Excel ou no LibreOffice e grave-a sem senha, como .xlsx ou "
                ".csv",
                "password-protected spreadsheet: open it in Excel or LibreOffice and save it without a password, as "
                ".xlsx or .csv",
                "hoja de cálculo protegida con contraseña: ábrala en Excel o LibreOffice y grábela sin contraseña, "
                "como .xlsx o .csv"},
    MessageText{"arquivo do Excel 97-2003 (.xls): abra-o no Excel ou no LibreOffice e grave como .xlsx ou .csv",
                "Excel 97-2003 file (.xls): open it in Excel or LibreOffice and save as .xlsx or .csv",
                "archivo de Excel 97-2003 (.xls): ábralo en Excel o LibreOffice y grábelo como .xlsx o .csv"},
    MessageText{"Nomes com caracteres que o Windows-1252 não tem (o primeiro na espécie #, \"*\") são gravados com "
                "\"?\" no arquivo de dados",
                "Names with characters Windows-1252 lacks (the first in species #, \"*\") are written with \"?\" in "
                "the data file",
                "Los nombres con caracteres que Windows-1252 no tiene (el primero en la especie #, \"*\") se graban "
                "con \"?\" en el archivo de datos"},
    MessageText{"forma de planilha desconhecida", "unknown spreadsheet layout", "forma de hoja desconocida"},
    MessageText{"Clima lido da planilha \"*\": # variáveis", "Weather read from the sheet \"*\": # variables",
                "Clima leído de la hoja \"*\": # variables"},
    MessageText{"Clima lido da planilha \"*\": # variável", "Weather read from the sheet \"*\": # variable",
                "Clima leído de la hoja \"*\": # variable"},
    MessageText{"um arquivo CSV ou TSV tem uma só planilha; não escolha uma pelo nome",
                "a CSV or TSV file has a single sheet; do not choose one by name",
                "un archivo CSV o TSV tiene una sola hoja; no elija una por el nombre"},
    MessageText{"uma planilha de registros de uma pasta de trabalho é lida até a linha #; grave-a como CSV para "
                "importar mais registros",
                "a records sheet of a workbook is read up to row #; save it as CSV to import more records",
                "una hoja de registros de un libro se lee hasta la fila #; grábela como CSV para importar más "
                "registros"},
    MessageText{"o arquivo não é uma pasta de trabalho .xlsx ou .ods legível; grave-a de novo no Excel ou no "
                "LibreOffice, ou como CSV",
                "the file is not a readable .xlsx or .ods workbook; save it again in Excel or LibreOffice, or as CSV",
                "el archivo no es un libro .xlsx u .ods legible; grábelo de nuevo en Excel o LibreOffice, o como CSV"},
    MessageText{"a pasta de trabalho passa de # MiB descompactada", "the workbook exceeds # MiB unpacked",
                "el libro pasa de # MiB descomprimido"},
    MessageText{"a pasta de trabalho passa de # MiB", "the workbook exceeds # MiB", "el libro pasa de # MiB"},
    MessageText{"fórmula sem valor gravado: abra e grave a planilha no Excel ou no LibreOffice",
                "formula without a saved value: open and save the spreadsheet in Excel or LibreOffice",
                "fórmula sin valor grabado: abra y grabe la hoja de cálculo en Excel o LibreOffice"},
    MessageText{"número em células mescladas; desfaça a mesclagem e escreva o número de cada linha e coluna",
                "number in merged cells; unmerge them and write the number of each row and column",
                "número en celdas combinadas; separe las celdas y escriba el número de cada fila y columna"},
    MessageText{"planilha protegida por senha; grave-a sem senha no Excel ou no LibreOffice",
                "password-protected spreadsheet; save it without a password in Excel or LibreOffice",
                "hoja de cálculo protegida con contraseña; grábela sin contraseña en Excel o LibreOffice"},
    MessageText{"as linhas lidas até aqui passam de # MiB", "the rows read so far exceed # MiB",
                "las filas leídas hasta aquí pasan de # MiB"},
    MessageText{"não há a planilha \"*\"; a pasta de trabalho tem *", "there is no sheet \"*\"; the workbook has *",
                "no existe la hoja \"*\"; el libro tiene *"},
    MessageText{"Planilha \"*\" importada: é a planilha ativa da pasta de trabalho",
                "Sheet \"*\" imported: it is the workbook's active sheet",
                "Hoja \"*\" importada: es la hoja activa del libro"},
    MessageText{"Planilha \"*\" importada: a primeira, \"*\", está oculta",
                "Sheet \"*\" imported: the first, \"*\", is hidden",
                "Hoja \"*\" importada: la primera, \"*\", está oculta"},

    // The analyses and the runs.
    MessageText{"Digite 3 ou mais conjuntos de dados", "Enter 3 or more data sets",
                "Introduzca 3 o más conjuntos de datos"},
    MessageText{"Digite no máximo 10 conjuntos de dados", "Enter at most 10 data sets",
                "Introduzca como máximo 10 conjuntos de datos"},
    MessageText{"Digite 2 ou mais conjuntos de dados", "Enter 2 or more data sets",
                "Introduzca 2 o más conjuntos de datos"},
    MessageText{"esta análise lê um só arquivo de dados", "this analysis reads a single data file",
                "este análisis lee un solo archivo de datos"},
    MessageText{"análise desconhecida", "unknown analysis", "análisis desconocido"},
    MessageText{
        "O arquivo não tem o bloco [coletas]: a flutuação precisa das contagens de cada coleta. Importe a "
        "planilha com uma coluna por coleta (Arquivo > Importar planilha..., \"Uma coluna por coleta\", ou "
        "zaviro-relatorio --importar --por-coleta) ou acrescente ao fim do arquivo uma linha [coletas] e, "
        "para cada coleta, uma linha com a data e as contagens das espécies na ordem das linhas.",
        "The file has no [coletas] block: the fluctuation needs the counts of each collection. Import the "
        "spreadsheet with one column per collection (File > Import spreadsheet..., \"One column per "
        "collection\", or zaviro-relatorio --importar --por-coleta) or add at the end of the file a line "
        "[coletas] and, for each collection, a line with the date and the species' counts in the order of "
        "the lines.",
        "El archivo no tiene el bloque [coletas]: la fluctuación necesita los conteos de cada colecta. "
        "Importe la hoja de cálculo con una columna por colecta (Archivo > Importar hoja de cálculo..., "
        "\"Una columna por colecta\", o zaviro-relatorio --importar --por-coleta) o añada al final del archivo una "
        "línea [coletas] y, para cada colecta, una línea con la fecha y los conteos de las especies en el "
        "orden de las líneas."},
    MessageText{"a defasagem deve ser 0 ou mais coletas", "the lag must be 0 or more collections",
                "el desfase debe ser de 0 o más colectas"},
    MessageText{"o número de permutações vai de 1 a #; foi dado #.",
                "the number of permutations goes from 1 to #; # was given.",
                "el número de permutaciones va de 1 a #; se dio #."},
    MessageText{"as comunidades comparam de 2 a 10 tratamentos; foram dados #.",
                "the communities compare 2 to 10 treatments; # were given.",
                "las comunidades comparan de 2 a 10 tratamientos; se dieron #."},
    MessageText{"T#, coleta #: # contagens para # espécies.", "T#, collection #: # counts for # species.",
                "T#, colecta #: # conteos para # especies."},
    MessageText{"T#, coleta #: contagem negativa.", "T#, collection #: negative count.",
                "T#, colecta #: conteo negativo."},
    MessageText{"T#, coleta #: sem indivíduos, fora da análise",
                "T#, collection #: no individuals, left out of the analysis",
                "T#, colecta #: sin individuos, fuera del análisis"},
    MessageText{"T# não tem nenhuma coleta com indivíduos.", "T# has no collection with individuals.",
                "T# no tiene ninguna colecta con individuos."},
    MessageText{"# coletas com indivíduos; as comunidades tomam no máximo # amostras.",
                "# collections with individuals; the communities take at most # samples.",
                "# colectas con individuos; las comunidades toman como máximo # muestras."},
    MessageText{"* não tem o bloco [coletas]: as comunidades tomam cada coleta como uma amostra.",
                "* has no [coletas] block: the communities take each collection as a sample.",
                "* no tiene el bloque [coletas]: las comunidades toman cada colecta como una muestra."},
    MessageText{"stress de 0.2 ou mais, a ordenação representa mal as dissimilaridades",
                "stress of 0.2 or more, the ordination represents the dissimilarities poorly",
                "stress de 0.2 o más, la ordenación representa mal las disimilitudes"},
    MessageText{"T#: @", "T#: @", "T#: @"},

    // The parts every message is made of, last: they take what the
    // patterns above did not.
    MessageText{"Erro: @", "Error: @", "Error: @"},
    MessageText{"Aviso: @", "Warning: @", "Aviso: @"},
    MessageText{"Linha #: @", "Line #: @", "Línea #: @"},
    MessageText{"linha #: @", "line #: @", "línea #: @"},
};

bool hasParts(std::string_view text) { return text.find_first_of("#*@") != std::string_view::npos; }

// The deepest a message is taken apart ("Erro: " "planilha, linha 3: " ...).
constexpr int kMaxDepth = 6;

bool startsWithPart(std::string_view text) { return !text.empty() && hasParts(text.substr(0, 1)); }

std::string lineIn(ReportLanguage language, std::string_view line, int depth) {
    const auto in = [language](const MessageText& text) {
        return language == ReportLanguage::English ? text.en : text.es;
    };
    for (const auto& text : kCatalogue)
        if (!hasParts(text.pt) && text.pt == line) return std::string(in(text));
    // The notes of the treatments' pairing are the reports' texts too.
    if (auto report = reportText(language, line); report != line) return report;
    if (depth == kMaxDepth) return std::string(line);
    // A pattern that starts with a part comes last: it would take a
    // message's leading part ("Erro: ", "Linha 3: ") for its own.
    std::vector<std::string_view> parts;
    for (const bool partFirst : {false, true})
        for (const auto& text : kCatalogue) {
            parts.clear();
            if (!hasParts(text.pt) || startsWithPart(text.pt) != partFirst || !matchesPattern(text.pt, line, parts))
                continue;
            std::vector<std::string> shown;
            std::size_t next = 0;
            for (const char c : text.pt) {
                if (c != '#' && c != '*' && c != '@') continue;
                const auto part = parts[next++];
                shown.push_back(c == '@' ? lineIn(language, part, depth + 1) : std::string(part));
            }
            return filledPattern(in(text), shown);
        }
    return std::string(line);
}

} // namespace

std::span<const MessageText> messageCatalogue() { return kCatalogue; }

std::string messageText(ReportLanguage language, std::string_view portuguese) {
    if (language == ReportLanguage::Portuguese) return std::string(portuguese);
    std::string out;
    for (;;) {
        const auto end = portuguese.find('\n');
        out += lineIn(language, portuguese.substr(0, end), 0);
        if (end == std::string_view::npos) return out;
        out += '\n';
        portuguese.remove_prefix(end + 1);
    }
}

} // namespace zav
