// The page's texts in its three languages, in one place: each text as the
// page writes it in Portuguese (index.html, app.js, workbook.js, and the
// labels of the analyses' buttons, from the core's table of run kinds),
// with its English and its Spanish. "{0}", "{1}": what the page puts in (a
// file's name, a number). The reports and the charts are not here: the core
// writes them in the language it is given, as zaviro-relatorio --idioma
// does.
//
// The language is the one chosen in the header's PT / EN / ES, remembered
// by the browser, else the browser's first language (en* English, es*
// Spanish, otherwise Portuguese), as the desktop takes the system's.
"use strict";

var ZavLanguage = (function () {
  var CODES = ["pt", "en", "es"];
  var HTML_LANG = { pt: "pt-BR", en: "en", es: "es" };
  var STORED = "zaviro.idioma";

  var TEXTS = {
    // The head and the header.
    "ZAVIRO - Análise Faunística": ["ZAVIRO - Faunistic Analysis", "ZAVIRO - Análisis Faunístico"],
    "Os arquivos são lidos neste computador; nada é enviado. Funciona sem internet.":
      ["Your files are read on this computer; nothing is sent. Works without internet.",
        "Los archivos se leen en esta computadora; no se envía nada. Funciona sin internet."],
    "Como usar": ["How to use", "Cómo usar"],
    "Escolha o arquivo de dados do levantamento (ou clique em <b>Exemplo</b>), os arquivos dos tratamentos, ou uma planilha.":
      ["Choose the survey's data file (or click <b>Example</b>), the treatments' files, or a spreadsheet.",
        "Elija el archivo de datos del levantamiento (o haga clic en <b>Ejemplo</b>), los archivos de los tratamientos o una hoja de cálculo."],
    // Step 2 until the core's table of run kinds arrives (or when the core
    // cannot start); then app.js writes it with each kind's button: "{0}"
    // the buttons' names, each in bold, joined by commas (as the three
    // languages join a list), "{1}" Importar planilha.
    "Clique no botão de uma análise ou em <b>Importar planilha</b>.":
      ["Click the button of an analysis or <b>Import spreadsheet</b>.",
        "Haga clic en el botón de un análisis o en <b>Importar hoja</b>."],
    "Clique em {0} ou {1}.": ["Click {0} or {1}.", "Haga clic en {0} o {1}."],
    "Leia o relatório ao lado; baixe-o, copie a tabela, imprima, ou salve os gráficos.":
      ["Read the report alongside; download it, copy the table, print it, or save the charts.",
        "Lea el informe al lado; descárguelo, copie la tabla, imprímalo o guarde los gráficos."],

    // 1. The survey.
    "Dados": ["Data", "Datos"],
    "1. Levantamento": ["1. Survey", "1. Levantamiento"],
    "Arquivo de dados": ["Data file", "Archivo de datos"],
    "Calcular": ["Calculate", "Calcular"],
    "Diversidade": ["Diversity", "Diversidad"],
    "Flutuação": ["Fluctuation", "Fluctuación"],
    "Defasagem (coletas)": ["Lag (collections)", "Desfase (colectas)"],
    "Exemplo": ["Example", "Ejemplo"],
    "Ou solte o arquivo nesta página. Exemplo: um levantamento de dez espécies em dez coletas.":
      ["Or drop the file on this page. Example: a survey of ten species in ten collections.",
        "O suelte el archivo en esta página. Ejemplo: un levantamiento de diez especies en diez colectas."],
    "Ajuda: o arquivo de dados e as classes": ["Help: the data file and the classes", "Ayuda: el archivo de datos y las clases"],
    "Um arquivo de texto. A 1ª linha traz o número de espécies e o total de coletas; cada linha seguinte, uma espécie: o número de indivíduos e o número de coletas em que apareceu. Depois, opcionalmente, uma linha <code>[nomes]</code> e o nome de cada espécie, um por linha, na mesma ordem. Até 900 espécies.":
      ["A text file. The 1st line gives the number of species and the total of collections; each following line, one species: its number of individuals and the number of collections in which it appeared. Then, optionally, a line <code>[nomes]</code> and the name of each species, one per line, in the same order. Up to 900 species.",
        "Un archivo de texto. La 1.ª línea trae el número de especies y el total de colectas; cada línea siguiente, una especie: el número de individuos y el número de colectas en que apareció. Después, opcionalmente, una línea <code>[nomes]</code> y el nombre de cada especie, uno por línea, en el mismo orden. Hasta 900 especies."],
    "Dominância (método de Kato)": ["Dominance (Kato's method)", "Dominancia (método de Kato)"],
    "SD super dominante, D dominante, ND não dominante": ["SD super dominant, D dominant, ND not dominant",
      "SD superdominante, D dominante, ND no dominante"],
    "Abundância": ["Abundance", "Abundancia"],
    "sa super abundante, ma muito abundante, a abundante, c comum, d disperso, r raro":
      ["sa super abundant, ma very abundant, a abundant, c common, d dispersed, r rare",
        "sa superabundante, ma muy abundante, a abundante, c común, d dispersa, r rara"],
    "Frequência": ["Frequency", "Frecuencia"],
    "SF super frequente, MF muito frequente, F frequente, PF pouco frequente":
      ["SF super frequent, MF very frequent, F frequent, PF infrequent",
        "SF superfrecuente, MF muy frecuente, F frecuente, PF poco frecuente"],
    "Constância": ["Constancy", "Constancia"],
    "W constante, Y acessória, Z acidental": ["W constant, Y accessory, Z accidental", "W constante, Y accesoria, Z accidental"],
    "Espécies predominantes (*): dominantes, muito abundantes, muito frequentes e constantes.":
      ["Predominant species (*): dominant, very abundant, very frequent and constant.",
        "Especies predominantes (*): dominantes, muy abundantes, muy frecuentes y constantes."],

    // 2. The treatments.
    "2. Tratamentos": ["2. Treatments", "2. Tratamientos"],
    "Arquivos dos tratamentos": ["Treatments' files", "Archivos de los tratamientos"],
    "Similaridade": ["Similarity", "Similitud"],
    "{0} a {1} tratamentos": ["{0} to {1} treatments", "{0} a {1} tratamientos"],
    "Comparação": ["Comparison", "Comparación"],
    "Dendrograma por": ["Dendrogram by", "Dendrograma por"],
    "Comunidades": ["Communities", "Comunidades"],
    "2 a 10 tratamentos, cada um com o bloco [coletas]": ["2 to 10 treatments, each with its [coletas] block",
      "2 a 10 tratamientos, cada uno con el bloque [coletas]"],
    "Dissimilaridade": ["Dissimilarity", "Disimilitud"],
    "Permutações": ["Permutations", "Permutaciones"],
    "Nome do tratamento T{0}": ["Name of treatment T{0}", "Nombre del tratamiento T{0}"],

    // 3. The spreadsheet.
    "3. Planilha ou tabela colada": ["3. Spreadsheet or pasted table", "3. Hoja de cálculo o tabla pegada"],
    "Planilha (CSV, TSV, XLSX ou ODS)": ["Spreadsheet (CSV, TSV, XLSX or ODS)", "Hoja de cálculo (CSV, TSV, XLSX u ODS)"],
    "Planilha da pasta de trabalho": ["Sheet of the workbook", "Hoja del libro"],
    "Forma da planilha": ["Layout of the spreadsheet", "Forma de la hoja"],
    "Uma linha por espécie": ["One row per species", "Una fila por especie"],
    "Uma coluna por coleta": ["One column per collection", "Una columna por colecta"],
    "Uma linha por registro (data, espécie, indivíduos)": ["One row per record (date, species, individuals)",
      "Una fila por registro (fecha, especie, individuos)"],
    "Com uma coluna por coleta ou uma linha por registro, a planilha “clima” da mesma pasta de trabalho, se houver, dá o clima de cada coleta.":
      ["With one column per collection or one row per record, the sheet “clima” of the same workbook, if there is one, gives each collection's weather.",
        "Con una columna por colecta o una fila por registro, la hoja “clima” del mismo libro, si la hay, da el clima de cada colecta."],
    "{0} Clima da folha {1}.": ["{0} Weather from the sheet {1}.", "{0} Clima de la hoja {1}."],
    "Total de coletas": ["Total collections", "Total de colectas"],
    "Ou cole aqui a tabela de espécies da planilha (indivíduos e coletas, com ou sem nome):":
      ["Or paste here the spreadsheet's species table (individuals and collections, with or without names):",
        "O pegue aquí la tabla de especies de la hoja (individuos y colectas, con o sin nombre):"],
    "Importar planilha": ["Import spreadsheet", "Importar hoja"],
    "Importado da tabela colada.": ["Imported from the pasted table.", "Importado de la tabla pegada."],
    "Importado da planilha {0}.": ["Imported from the spreadsheet {0}.", "Importado de la hoja de cálculo {0}."],
    "Importado da planilha {0}, folha {1}.": ["Imported from the spreadsheet {0}, sheet {1}.",
      "Importado de la hoja de cálculo {0}, hoja {1}."],
    "Importado do arquivo {0}.": ["Imported from the file {0}.", "Importado del archivo {0}."],

    // The result.
    "Resultado": ["Result", "Resultado"],
    "Relatório": ["Report", "Informe"],
    "Calculando...": ["Calculating...", "Calculando..."],
    "Lendo a planilha...": ["Reading the spreadsheet...", "Leyendo la hoja de cálculo..."],
    "Cancelar": ["Cancel", "Cancelar"],
    "Baixar relatório": ["Download report", "Descargar informe"],
    "Baixar JSON": ["Download JSON", "Descargar JSON"],
    "Baixar CSV": ["Download CSV", "Descargar CSV"],
    "Baixar XLSX": ["Download XLSX", "Descargar XLSX"],
    "Copiar tabela": ["Copy table", "Copiar tabla"],
    "Imprimir relatório": ["Print report", "Imprimir informe"],
    "Baixar arquivo de dados": ["Download data file", "Descargar archivo de datos"],
    "A tabela está selecionada: tecle Ctrl+C (⌘C no Mac) para copiá-la.":
      ["The table is selected: press Ctrl+C (⌘C on a Mac) to copy it.",
        "La tabla está seleccionada: pulse Ctrl+C (⌘C en Mac) para copiarla."],
    "Carregando... (se esta mensagem não mudar, o navegador não carregou os arquivos zaviro.js e app.js, que ficam ao lado desta página)":
      ["Loading... (if this message does not change, the browser did not load the files zaviro.js and app.js, which lie beside this page)",
        "Cargando... (si este mensaje no cambia, el navegador no cargó los archivos zaviro.js y app.js, que están junto a esta página)"],
    "Escolha um arquivo de dados e clique em Calcular (ou clique em Exemplo).":
      ["Choose a data file and click Calculate (or click Example).",
        "Elija un archivo de datos y haga clic en Calcular (o haga clic en Ejemplo)."],
    "Salvar SVG": ["Save SVG", "Guardar SVG"],
    // A fluctuation's choices above its charts.
    "Clima:": ["Weather:", "Clima:"],
    "Série:": ["Series:", "Serie:"],
    "Indivíduos": ["Individuals", "Individuos"],
    "Espécies": ["Species", "Especies"],
    "Espécie {0}": ["Species {0}", "Especie {0}"],
    "Salvar PNG 85 mm": ["Save PNG 85 mm", "Guardar PNG 85 mm"],
    "Salvar PNG 175 mm": ["Save PNG 175 mm", "Guardar PNG 175 mm"],
    "{0} do gráfico {1}": ["{0} of the chart {1}", "{0} del gráfico {1}"],
    "{0}: {1} (300 dpi, largura de coluna de revista)": ["{0}: {1} (300 dpi, a journal's column width)",
      "{0}: {1} (300 dpi, ancho de columna de revista)"],
    "{0}: {1} (300 dpi, largura de página de revista)": ["{0}: {1} (300 dpi, a journal's page width)",
      "{0}: {1} (300 dpi, ancho de página de revista)"],
    "Cancelado: o resultado mostrado é o anterior.": ["Cancelled: the result shown is the previous one.",
      "Cancelado: el resultado mostrado es el anterior."],
    "Tabela de espécies copiada.": ["Species table copied.", "Tabla de especies copiada."],
    "O navegador não deixou a página copiar a tabela: ela está selecionada abaixo; tecle Ctrl+C para copiá-la.":
      ["The browser did not let the page copy the table: it is selected below; press Ctrl+C to copy it.",
        "El navegador no dejó que la página copiara la tabla: está seleccionada abajo; pulse Ctrl+C para copiarla."],
    "ZAVIRO versão": ["ZAVIRO version", "ZAVIRO versión"],
    "Software livre (GNU GPL versão 3 ou posterior).": ["Free software (GNU GPL version 3 or later).",
      "Software libre (GNU GPL versión 3 o posterior)."],

    // The page's own messages.
    "Erro: {0}": ["Error: {0}", "Error: {0}"],
    "o núcleo parou": ["the core stopped", "el núcleo se detuvo"],
    "O arquivo {0} mudou (ou foi movido) depois de escolhido, e o navegador não o lê mais: escolha-o de novo.":
      ["The file {0} changed (or was moved) after it was chosen, and the browser no longer reads it: choose it again.",
        "El archivo {0} cambió (o fue movido) después de elegido, y el navegador ya no lo lee: elíjalo de nuevo."],
    "Erro: o arquivo não pôde ser lido ({0})": ["Error: the file could not be read ({0})", "Error: no se pudo leer el archivo ({0})"],
    "Erro: a planilha não pôde ser lida ({0})": ["Error: the spreadsheet could not be read ({0})",
      "Error: no se pudo leer la hoja de cálculo ({0})"],
    "Erro: digite o total de coletas do levantamento, um número inteiro maior que 0":
      ["Error: type the survey's total of collections, a whole number greater than 0",
        "Error: escriba el total de colectas del levantamiento, un número entero mayor que 0"],
    "importe-o em \u201c3. Planilha ou tabela colada\u201d, nesta página":
      ["import it in \u201c3. Spreadsheet or pasted table\u201d, on this page",
        "impórtelo en \u201c3. Hoja de cálculo o tabla pegada\u201d, en esta página"],
    "Erro: faltam arquivos da página (zaviro-worker.js, charts.js, workbook.js ou i18n.js), que devem ficar na mesma pasta que index.html; copie a pasta inteira de novo.":
      ["Error: files of the page are missing (zaviro-worker.js, charts.js, workbook.js or i18n.js), which must lie in the same folder as index.html; copy the whole folder again.",
        "Error: faltan archivos de la página (zaviro-worker.js, charts.js, workbook.js o i18n.js), que deben estar en la misma carpeta que index.html; copie de nuevo la carpeta entera."],
    "Erro: o navegador não conseguiu iniciar o ZAVIRO ({0}); use uma versão recente do Chrome, Edge, Firefox ou Safari, com WebAssembly ativado.":
      ["Error: the browser could not start ZAVIRO ({0}); use a recent version of Chrome, Edge, Firefox or Safari, with WebAssembly enabled.",
        "Error: el navegador no pudo iniciar ZAVIRO ({0}); use una versión reciente de Chrome, Edge, Firefox o Safari, con WebAssembly activado."],

    // The workbook reader's messages (workbook.js), the desktop's words as
    // the core's catalogue of messages translates them.
    "Erro: planilha: o arquivo não é uma pasta de trabalho .xlsx ou .ods legível; grave-a de novo no Excel ou no LibreOffice, ou como CSV":
      ["Error: spreadsheet: the file is not a readable .xlsx or .ods workbook; save it again in Excel or LibreOffice, or as CSV",
        "Error: hoja de cálculo: el archivo no es un libro .xlsx u .ods legible; grábelo de nuevo en Excel o LibreOffice, o como CSV"],
    "Erro: planilha, linha {0}: a linha passa de {1} caracteres": ["Error: spreadsheet, row {0}: the line exceeds {1} characters",
      "Error: hoja de cálculo, fila {0}: la línea pasa de {1} caracteres"],
    "Erro: planilha: a pasta de trabalho passa de {0} MiB": ["Error: spreadsheet: the workbook exceeds {0} MiB",
      "Error: hoja de cálculo: el libro pasa de {0} MiB"],
    "Erro: planilha: a pasta de trabalho passa de {0} MiB descompactada": ["Error: spreadsheet: the workbook exceeds {0} MiB unpacked",
      "Error: hoja de cálculo: el libro pasa de {0} MiB descomprimido"],
    "Erro: planilha: não há a planilha \"{0}\"; a pasta de trabalho tem {1}": ["Error: spreadsheet: there is no sheet \"{0}\"; the workbook has {1}",
      "Error: hoja de cálculo: no existe la hoja \"{0}\"; el libro tiene {1}"],
  };

  // Texts that read the same in the three languages.
  var SAME = ["ZAVIRO", "PT", "EN", "ES", "Português", "English", "Español", "Idioma / Language / Idioma", "1 - Sørensen",
    "Bray-Curtis", "Jaccard"];

  var current = "pt";

  // `key` in the page's language, "{n}" replaced by args[n].
  function text(key, args) {
    var entry = TEXTS[key], out = current === "pt" || !entry ? key : entry[CODES.indexOf(current) - 1];
    return out.replace(/\{(\d+)\}/g, function (m, n) { return args && n < args.length ? String(args[n]) : m; });
  }

  // The language of a browser's list of languages (navigator.languages):
  // its first one, as the desktop takes the system's first.
  function ofBrowser(languages) {
    var first = String((languages && languages[0]) || "").toLowerCase();
    if (first.startsWith("en")) return "en";
    if (first.startsWith("es")) return "es";
    return "pt";
  }

  function stored() {
    try {
      var code = window.localStorage.getItem(STORED);
      return CODES.includes(code) ? code : null;
    } catch (e) {
      return null; // storage refused: the browser's language
    }
  }
  function remember(code) {
    try { window.localStorage.setItem(STORED, code); } catch (e) { /* not remembered, still used */ }
  }

  // The language the page starts in.
  function starting() {
    return stored() || ofBrowser(navigator.languages && navigator.languages.length ? navigator.languages : [navigator.language]);
  }

  // ---- The page's HTML ---------------------------------------------------
  //
  // The Portuguese of index.html is read once: each element marked data-t
  // whole (its HTML, for a sentence with markup), every other text node by
  // itself, and the attributes a person reads or hears (aria-label, title).
  // Elements whose text the page writes (the report, the messages) and
  // those marked translate="no" are left to their writers.
  var PAGE_WRITES = ["relatorio", "graficos", "mensagem", "aviso", "fonte", "ocupado-texto", "lista-tratamentos", "copia-tabela",
    "folha", "versao"];
  var ATTRIBUTES = ["aria-label", "title"];
  var pieces = null;

  function collapse(s) { return s.replace(/\s+/g, " ").trim(); }
  function skipped(element) {
    return ["SCRIPT", "STYLE", "NOSCRIPT", "TEXTAREA", "PRE", "CODE"].includes(element.tagName) ||
      PAGE_WRITES.includes(element.id) || element.getAttribute("translate") === "no";
  }

  function collect(root) {
    var found = [];
    (function walk(node) {
      if (node.nodeType === 3) {
        if (/\p{L}/u.test(node.nodeValue)) {
          var m = /^(\s*)([^]*?)(\s*)$/.exec(node.nodeValue);
          found.push({ node: node, key: collapse(m[2]), lead: m[1], trail: m[3] });
        }
        return;
      }
      if (node.nodeType !== 1 || skipped(node)) return;
      ATTRIBUTES.forEach(function (name) {
        if (node.hasAttribute(name)) found.push({ element: node, attribute: name, key: collapse(node.getAttribute(name)) });
      });
      if (node.hasAttribute("data-t")) {
        found.push({ element: node, key: collapse(node.innerHTML) });
        return;
      }
      Array.prototype.forEach.call(node.childNodes, walk);
    })(root);
    return found;
  }

  // Every text of the page as written in index.html: what the dictionary
  // must hold.
  function pageTexts() {
    if (!pieces) pieces = collect(document.body);
    return [collapse(document.title)].concat(pieces.map(function (p) { return p.key; }));
  }

  var title = null, listeners = [];

  // Puts the page in `code` ("pt", "en", "es"): its HTML, <html lang>, the
  // selector; then each listener (app.js: what it wrote itself).
  function apply(code) {
    current = CODES.includes(code) ? code : "pt";
    if (!pieces) pieces = collect(document.body);
    if (title === null) title = collapse(document.title);
    document.title = text(title);
    document.documentElement.lang = HTML_LANG[current];
    pieces.forEach(function (p) {
      var shown = SAME.includes(p.key) ? p.key : text(p.key);
      if (p.node) p.node.nodeValue = p.lead + shown + p.trail;
      else if (p.attribute) p.element.setAttribute(p.attribute, shown);
      else p.element.innerHTML = shown;
    });
    Array.prototype.forEach.call(document.querySelectorAll("[data-idioma]"), function (b) {
      b.setAttribute("aria-pressed", String(b.dataset.idioma === current));
    });
    listeners.forEach(function (f) { f(current); });
  }

  // The selector's buttons: the language chosen is applied and remembered.
  function start() {
    Array.prototype.forEach.call(document.querySelectorAll("[data-idioma]"), function (b) {
      b.addEventListener("click", function () {
        remember(b.dataset.idioma);
        if (b.dataset.idioma !== current) apply(b.dataset.idioma);
      });
    });
    apply(starting());
  }

  return {
    text: text, ofBrowser: ofBrowser, start: start, apply: apply, pageTexts: pageTexts,
    current: function () { return current; },
    onChange: function (f) { listeners.push(f); },
    // For the tests: the dictionary and the texts that stay the same.
    TEXTS: TEXTS, SAME: SAME, CODES: CODES,
  };
})();

if (typeof module !== "undefined") module.exports = ZavLanguage;
