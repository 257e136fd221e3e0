// The page: reads the researcher's files here (by slices, only the lines
// the core needs), hands the bytes to the core compiled to WebAssembly, and
// shows and saves what it returns. Nothing is sent anywhere.
"use strict";

(function () {
  var SLOT = { report: 0, json: 1, csv: 2, message: 3, dataFile: 4, warning: 5, tableTsv: 6, tableHtml: 7 };
  var SLICE = 256 * 1024;
  var MAX_LINE = 64 * 1024; // the core refuses a longer line
  var core = null;
  var last = {}; // the outputs of the last run, for the downloads
  var $ = function (id) { return document.getElementById(id); };

  // ---- The core ----------------------------------------------------------

  function put(bytes) {
    var p = core._malloc(Math.max(1, bytes.length));
    core.HEAPU8.set(bytes, p);
    return p;
  }
  function putText(text) { return put(new TextEncoder().encode(text + "\0")); }
  function putInts(values) {
    var p = core._malloc(4 * values.length);
    core.HEAPU32.set(values, p / 4);
    return p;
  }
  function output(slot) {
    var p = core._zav_web_output(slot);
    return core.HEAPU8.slice(p, p + core._zav_web_output_size(slot));
  }
  function utf8(bytes) { return new TextDecoder("utf-8").decode(bytes); }
  // Calls fn with pointers to each argument's copy in the module's memory,
  // and frees them after.
  function call(fn, allocations) {
    try { return fn(allocations); } finally { allocations.forEach(function (p) { core._free(p); }); }
  }
  function clock() {
    var d = new Date();
    return [d.getDate(), d.getMonth() + 1, d.getFullYear(), d.getHours(), d.getMinutes(), d.getSeconds(), d.getMilliseconds()];
  }

  // A run of one data file (zav_web_survey, zav_web_diversity).
  function oneFile(entry, bytes, name) {
    var a = [put(bytes), putText(name), putInts(clock())];
    return call(function () { return entry(a[0], bytes.length, a[1], a[2]); }, a);
  }
  function survey(bytes, name) { return oneFile(core._zav_web_survey, bytes, name); }
  // A run of treatment files, each {name, bytes} (zav_web_similarity,
  // zav_web_comparison); `extra` goes before the clock.
  function treatmentRun(entry, files, extra) {
    var data = files.map(function (f) { return put(f.bytes); });
    var names = files.map(function (f) { return putText(f.name); });
    var a = data.concat(names);
    var dataList = putInts(data), sizes = putInts(files.map(function (f) { return f.bytes.length; }));
    var nameList = putInts(names), when = putInts(clock());
    a.push(dataList, sizes, nameList, when);
    return call(function () {
      return entry.apply(null, [files.length, dataList, sizes, nameList].concat(extra, [when]));
    }, a);
  }
  // A spreadsheet's text (zav_web_import) or a workbook's rows as
  // ZavWorkbook.encodeRows gives them (zav_web_import_sheet) to the data file.
  function importSheet(entry, bytes, perCollection, collections) {
    var a = [put(bytes)];
    return call(function () { return entry(a[0], bytes.length, perCollection ? 1 : 0, collections); }, a);
  }
  function linesNeeded(bytes) {
    var a = [put(bytes)];
    return call(function () { return core._zav_web_lines_needed(a[0], bytes.length); }, a);
  }

  // ---- Reading files -----------------------------------------------------

  function join(parts, length) {
    var all = new Uint8Array(length), at = 0;
    parts.forEach(function (p) { all.set(p.subarray(0, Math.min(p.length, length - at)), at); at += p.length; });
    return all;
  }

  // Whether the line that ends at `end` is the mark of the species' names
  // ("[nomes]", its line break and spaces aside).
  function isNamesMark(parts, start, end) {
    var line = new TextDecoder("windows-1252").decode(join(parts, end).subarray(start));
    return line.replace(/^[\x00-\x20]+|[\x00-\x20]+$/g, "") === "[nomes]";
  }

  // The bytes of a data file the core reads: the header and the lines it
  // promises, then, when a names block follows, its mark and as many name
  // lines, read slice by slice, so that a huge file costs only its first
  // lines. Reading stops, too, where the core would stop: at a Ctrl-Z, or
  // inside a line too long to be one.
  async function readDataFile(file) {
    var parts = [], length = 0, lines = 0, needed = -1, lineStart = 0, names = false;
    for (var pos = 0; pos < file.size;) {
      var part = new Uint8Array(await file.slice(pos, pos + SLICE).arrayBuffer());
      parts.push(part);
      for (var i = 0; i < part.length; ++i) {
        var b = part[i], end = pos + i + 1;
        if (b === 26) return join(parts, end);
        if (b !== 10) continue;
        ++lines;
        var start = lineStart;
        lineStart = end;
        if (needed < 0) needed = linesNeeded(join(parts, end));
        if (needed === 0) return join(parts, end);
        if (lines === needed + 1 && !names) {
          if (!isNamesMark(parts, start, end)) return join(parts, start);
          names = true;
        }
        if (lines >= 2 * needed) return join(parts, end); // the header, L species lines, the mark, L names
      }
      pos += part.length;
      length = pos;
      if (pos - lineStart > MAX_LINE + 2) return join(parts, length);
    }
    return join(parts, length);
  }

  async function readWhole(file) { return new Uint8Array(await file.arrayBuffer()); }

  function stem(name) { return name.replace(/\.[^.]*$/, "") || "levantamento"; }

  // ---- Showing results ---------------------------------------------------

  function message(text) {
    $("mensagem").textContent = text || "";
    $("mensagem").hidden = !text;
  }
  function warning(text) {
    $("aviso").textContent = text || "";
    $("aviso").hidden = !text;
  }

  function resetOutputs() {
    last = {};
    ["baixar-relatorio", "baixar-json", "baixar-csv", "baixar-xlsx", "copiar-tabela"].forEach(function (id) { $(id).disabled = true; });
    $("baixar-dados").hidden = true;
    $("graficos").textContent = "";
  }

  // `survey`: a faunistic analysis, whose species table can be copied.
  function showReport(stemName, survey) {
    last.stem = stemName;
    last.survey = Boolean(survey);
    last.report = output(SLOT.report);
    last.json = output(SLOT.json);
    last.csv = null; // made when first downloaded
    last.hasCsv = core._zav_web_has_csv() === 1;
    $("relatorio").textContent = new TextDecoder("windows-1252").decode(last.report);
    warning(utf8(output(SLOT.warning)));
    $("baixar-relatorio").disabled = false;
    $("copiar-tabela").disabled = !last.survey;
    $("baixar-xlsx").disabled = !last.survey;
    $("baixar-json").disabled = last.json.length === 0;
    $("baixar-csv").disabled = !last.hasCsv;
  }

  function csvOfLast() {
    if (last.csv === null) {
      core._zav_web_csv();
      last.csv = output(SLOT.csv);
    }
    return last.csv;
  }

  function showFailure() {
    $("relatorio").textContent = "";
    message(utf8(output(SLOT.message)));
  }

  function showCharts(charts) {
    var box = $("graficos");
    box.textContent = "";
    charts.filter(function (chart) { return chart.svg; }).forEach(function (chart) {
      var figure = document.createElement("figure");
      figure.className = "grafico";
      figure.dataset.nome = chart.name;
      figure.innerHTML = chart.svg;
      var caption = document.createElement("figcaption");
      [["Salvar SVG", function () { save(new Blob([chart.svg], { type: "image/svg+xml" }), last.stem + "-" + chart.name + ".svg"); }],
       ["Salvar PNG", function () { savePng(chart.svg, last.stem + "-" + chart.name + ".png"); }]].forEach(function (b) {
        var button = document.createElement("button");
        button.type = "button";
        button.textContent = b[0];
        button.addEventListener("click", b[1]);
        caption.appendChild(button);
      });
      figure.appendChild(caption);
      box.appendChild(figure);
    });
  }

  // ---- Saving ------------------------------------------------------------

  function save(blob, name) {
    var a = document.createElement("a");
    a.href = URL.createObjectURL(blob);
    a.download = name;
    document.body.appendChild(a);
    a.click();
    a.remove();
    setTimeout(function () { URL.revokeObjectURL(a.href); }, 10000);
  }

  // The SVG drawn on a canvas at twice its size.
  function savePng(svgText, name) {
    var image = new Image();
    var url = URL.createObjectURL(new Blob([svgText], { type: "image/svg+xml" }));
    image.onload = function () {
      var canvas = document.createElement("canvas");
      canvas.width = image.width * 2;
      canvas.height = image.height * 2;
      var g = canvas.getContext("2d");
      g.scale(2, 2);
      g.drawImage(image, 0, 0);
      URL.revokeObjectURL(url);
      canvas.toBlob(function (png) { save(png, name); }, "image/png");
    };
    image.src = url;
  }

  // ---- The analyses ------------------------------------------------------

  // The treatments as chosen, each named as typed in its list (the file's
  // name unless changed), read slice by slice.
  async function readTreatments(files) {
    var names = Array.prototype.map.call($("lista-tratamentos").querySelectorAll("input"), function (e) { return e.value.trim(); });
    var read = [];
    for (var i = 0; i < files.length; ++i) read.push({ name: names[i] || files[i].name, bytes: await readDataFile(files[i]) });
    return read;
  }

  // What the page offers. A new analysis of the core adds an entry: its
  // button and file input in index.html, a function above calling its
  // zav_web_* entry, and here how many files it takes, how it runs and
  // which charts its JSON gives.
  var analyses = [
    {
      button: "calcular", input: "arquivo", files: [1, 1], survey: true,
      run: async function (files) {
        var bytes = await readDataFile(files[0]);
        return { status: survey(bytes, files[0].name), stem: stem(files[0].name) };
      },
      charts: function (result) {
        return [{ name: "whittaker", svg: ZavCharts.whittaker(result) }, { name: "classes", svg: ZavCharts.classBars(result) }];
      },
    },
    {
      button: "diversidade", input: "arquivo", files: [1, 1],
      run: async function (files) {
        var bytes = await readDataFile(files[0]);
        return { status: oneFile(core._zav_web_diversity, bytes, files[0].name), stem: stem(files[0].name) + "-diversidade" };
      },
      charts: function (result) {
        return [{ name: "hill", svg: ZavCharts.hillCurves(result) }, { name: "coletas", svg: ZavCharts.collectionCurve(result) },
          { name: "cobertura", svg: ZavCharts.coverageCurve(result) }];
      },
    },
    {
      button: "similaridade", input: "tratamentos", files: [1, 100],
      run: async function (files) {
        return { status: treatmentRun(core._zav_web_similarity, await readTreatments(files), []), stem: "similaridade" };
      },
      charts: function (result) { return [{ name: "similaridade", svg: ZavCharts.similarityWhiskers(result) }]; },
    },
    {
      button: "comparacao", input: "tratamentos", files: [1, 100],
      run: async function (files) {
        var brayCurtis = $("indice").value === "bray-curtis" ? 1 : 0;
        return { status: treatmentRun(core._zav_web_comparison, await readTreatments(files), [brayCurtis]), stem: "comparacao" };
      },
      charts: function (result) { return [{ name: "dendrograma", svg: ZavCharts.dendrogram(result) }]; },
    },
  ];

  async function runAnalysis(analysis, files) {
    message("");
    warning("");
    resetOutputs();
    var started = performance.now();
    var outcome = await analysis.run(files);
    if (outcome.status !== 0) return showFailure();
    showReport(outcome.stem, analysis.survey);
    showCharts(analysis.charts(JSON.parse(utf8(last.json))));
    window.zaviroLastRunMs = performance.now() - started;
  }

  // A spreadsheet file (CSV, TSV, or a workbook's sheet) or a pasted table
  // becomes a data file, which is then analysed like one chosen. A species
  // by collection sheet gives its total of collections itself.
  async function importAndRun() {
    message("");
    warning("");
    resetOutputs();
    var perCollection = $("por-coleta").checked;
    var collections = perCollection ? 0 : Number($("coletas").value);
    if (!perCollection && (!Number.isInteger(collections) || collections < 1 || collections > 2147483647)) {
      message("Erro: digite o total de coletas do levantamento, um número inteiro maior que 0");
      return;
    }
    var sheet = $("planilha").files[0];
    var pasted = $("tabela").value;
    var name = pasted.trim() !== "" ? "tabela" : stem(sheet.name);
    var status;
    if (pasted.trim() !== "") {
      status = importSheet(core._zav_web_import, new TextEncoder().encode(pasted), perCollection, collections);
    } else if (await ZavWorkbook.isWorkbook(sheet)) {
      var rows = await ZavWorkbook.readSheet(sheet, $("escolha-folha").hidden ? "" : $("folha").value);
      status = importSheet(core._zav_web_import_sheet, ZavWorkbook.encodeRows(rows), perCollection, collections);
    } else {
      status = importSheet(core._zav_web_import, await readWhole(sheet), perCollection, collections);
    }
    if (status !== 0) return showFailure();
    var dataFile = output(SLOT.dataFile), notice = utf8(output(SLOT.warning));
    if (survey(dataFile, name + ".txt") !== 0) return showFailure();
    showReport(name, true);
    if (notice) warning(notice);
    last.dataFile = dataFile;
    $("baixar-dados").hidden = false;
    showCharts(analyses[0].charts(JSON.parse(utf8(last.json))));
  }

  // A workbook chosen: its sheets offered when it has more than one.
  async function listSheets() {
    var file = $("planilha").files[0], choice = $("folha");
    choice.textContent = "";
    $("escolha-folha").hidden = true;
    $("importar").disabled = true;
    try {
      if (!file || !(await ZavWorkbook.isWorkbook(file))) return;
      var names = await ZavWorkbook.sheetNames(file);
      names.forEach(function (n) {
        var option = document.createElement("option");
        option.value = option.textContent = n;
        choice.appendChild(option);
      });
      $("escolha-folha").hidden = names.length < 2;
    } finally {
      enableButtons();
    }
  }

  // The decimal separator of the browser's language, as the desktop takes
  // the system's for the copied table.
  function decimalSeparator() {
    var part = new Intl.NumberFormat().formatToParts(1.5).find(function (p) { return p.type === "decimal"; });
    return part && part.value === "," ? "," : ".";
  }

  function guard(work) {
    return function () {
      Promise.resolve().then(work).catch(function (e) {
        message(e && e.shown ? e.shown : "Erro: " + (e && e.message ? e.message : String(e)));
      });
    };
  }

  function enableButtons() {
    analyses.forEach(function (a) {
      var count = $(a.input).files.length;
      $(a.button).disabled = !core || count < a.files[0] || count > a.files[1];
    });
    $("importar").disabled = !core || ($("planilha").files.length === 0 && $("tabela").value.trim() === "");
  }

  // T1, T2, ... with the name each treatment goes by in the reports and
  // charts: its file's name, which the researcher may change.
  function listTreatments() {
    var list = $("lista-tratamentos");
    list.textContent = "";
    Array.prototype.forEach.call($("tratamentos").files, function (f, i) {
      var item = document.createElement("li");
      var name = document.createElement("input");
      name.type = "text";
      name.value = f.name;
      name.setAttribute("aria-label", "Nome do tratamento T" + (i + 1));
      item.appendChild(name);
      list.appendChild(item);
    });
    enableButtons();
  }

  analyses.forEach(function (a) {
    $(a.input).addEventListener("change", enableButtons);
    $(a.button).addEventListener("click", guard(function () { return runAnalysis(a, Array.from($(a.input).files)); }));
  });
  $("tratamentos").addEventListener("change", listTreatments);
  $("planilha").addEventListener("change", guard(listSheets));
  $("por-coleta").addEventListener("change", function () { $("coletas").disabled = $("por-coleta").checked; });
  $("tabela").addEventListener("input", enableButtons);
  $("importar").addEventListener("click", guard(importAndRun));
  $("baixar-relatorio").addEventListener("click", function () {
    save(new Blob([last.report], { type: "application/octet-stream" }), last.stem + "-relatorio.txt");
  });
  $("baixar-json").addEventListener("click", function () {
    save(new Blob([last.json], { type: "application/json" }), last.stem + ".json");
  });
  $("baixar-csv").addEventListener("click", function () {
    save(new Blob([csvOfLast()], { type: "text/csv" }), last.stem + ".csv");
  });
  // The species table as an .xlsx workbook: the CSV's columns, numbers as
  // numbers.
  $("baixar-xlsx").addEventListener("click", function () {
    save(ZavWorkbook.speciesTableXlsx(utf8(csvOfLast())), last.stem + "-tabela.xlsx");
  });
  // The species table on the clipboard as tab-separated text and as an
  // HTML table: a spreadsheet or a word processor pastes it as a table.
  $("copiar-tabela").addEventListener("click", guard(async function () {
    core._zav_web_species_table(decimalSeparator().charCodeAt(0));
    await navigator.clipboard.write([new ClipboardItem({
      "text/plain": new Blob([output(SLOT.tableTsv)], { type: "text/plain" }),
      "text/html": new Blob([output(SLOT.tableHtml)], { type: "text/html" }),
    })]);
    message("");
    warning("Tabela de espécies copiada.");
  }));
  $("baixar-dados").addEventListener("click", function () {
    save(new Blob([last.dataFile], { type: "application/octet-stream" }), last.stem + ".txt");
  });

  // A data file dropped anywhere on the page is analysed at once.
  document.addEventListener("dragover", function (e) { e.preventDefault(); document.body.classList.add("soltando"); });
  document.addEventListener("dragleave", function () { document.body.classList.remove("soltando"); });
  document.addEventListener("drop", function (e) {
    e.preventDefault();
    document.body.classList.remove("soltando");
    if (!core || e.dataTransfer.files.length === 0) return;
    guard(function () { return runAnalysis(analyses[0], [e.dataTransfer.files[0]]); })();
  });

  createZaviro().then(function (module) {
    core = module;
    window.zaviroReadyMs = performance.now();
    $("relatorio").textContent = "Escolha um arquivo de dados e clique em Calcular.";
    document.body.dataset.pronto = "1";
    enableButtons();
  }, function (e) {
    message("Erro: o navegador não conseguiu carregar o ZAVIRO (" + e + ")");
  });
})();
