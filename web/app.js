// The page: reads the researcher's files here (by slices, only the lines
// the core needs), hands the bytes to the core compiled to WebAssembly,
// which runs in a Web Worker, and shows and saves what it returns. Nothing
// is sent anywhere.
"use strict";

(function () {
  var SLICE = 256 * 1024;
  var MAX_LINE = 64 * 1024; // the core refuses a longer line
  var MAX_SPECIES = 900; // kMaxSpecies: the core stops at the line of the 901st species with individuals
  var BUSY_AFTER_MS = 300;
  var core = null; // true once the core's worker answers
  var last = {}; // the outputs of the last run, for the downloads
  var $ = function (id) { return document.getElementById(id); };

  // The page's texts in its language (i18n.js): T for a text written once,
  // said for one written again when the language changes.
  var T = typeof ZavLanguage !== "undefined" ? ZavLanguage.text : function (key) { return key; };
  function said(key) { return { key: key, args: Array.prototype.slice.call(arguments, 1) }; }
  function render(what) { return typeof what === "string" ? what : T(what.key, what.args.map(render)); }
  // An element's text, kept to be written again in another language.
  function write(element, what) {
    element.zavSaid = what;
    element.textContent = what ? render(what) : "";
  }

  // The ten-species example (examples/dez-especies.txt).
  var EXAMPLE = ["10     10", "1      1", "2      2", "3      2", "4      3", "5      4", "6      5", "7      5", "8      6",
    "9      8", "100    10", ""].join("\r\n");

  // ---- The core, in its worker ---------------------------------------------

  // The core runs in a Web Worker (core-worker.js) started from the text
  // that zaviro-worker.js holds (ZAV_CORE_WORKER): a page opened from
  // file:// may not start a worker from a file, but may from a blob.
  var worker = null, workerUrl = null, pending = new Map(), calls = 0;

  function startWorker() {
    if (!workerUrl) workerUrl = URL.createObjectURL(new Blob([ZAV_CORE_WORKER], { type: "text/javascript" }));
    worker = new Worker(workerUrl);
    worker.onmessage = function (e) {
      var waiting = pending.get(e.data.id);
      if (!waiting) return;
      pending.delete(e.data.id);
      if ("error" in e.data) waiting.reject(new Error(e.data.error)); else waiting.resolve(e.data.result);
    };
    worker.onerror = function (e) {
      e.preventDefault();
      failAll(new Error(e.message || T("o núcleo parou")));
    };
    return callCore("ready", null);
  }
  function failAll(error) {
    pending.forEach(function (waiting) { waiting.reject(error); });
    pending.clear();
  }
  function callCore(op, args) {
    return new Promise(function (resolve, reject) {
      var id = ++calls;
      pending.set(id, { resolve: resolve, reject: reject });
      worker.postMessage({ id: id, op: op, args: args });
    });
  }
  // Stops whatever the core is doing, and starts it again.
  function restartWorker() {
    worker.terminate();
    failAll(Object.assign(new Error("cancelado"), { cancelled: true }));
    startWorker().catch(function () {});
  }

  function utf8(bytes) { return new TextDecoder("utf-8").decode(bytes); }
  function clock() {
    var d = new Date();
    return [d.getDate(), d.getMonth() + 1, d.getFullYear(), d.getHours(), d.getMinutes(), d.getSeconds(), d.getMilliseconds()];
  }

  // ---- Reading files -----------------------------------------------------

  function join(parts, length) {
    var all = new Uint8Array(length), at = 0;
    parts.forEach(function (p) { all.set(p.subarray(0, Math.min(p.length, length - at)), at); at += p.length; });
    return all;
  }

  // Whether the line that ends at `end` is the mark of the species' names
  // ("[nomes]", its line break and spaces aside).
  function isNamesMark(parts, start, end) { return isMark(parts, start, end, /^\[nomes\]$/); }

  // Whether that line, its line break and spaces aside, matches `mark`.
  function isMark(parts, start, end, mark) {
    var line = new TextDecoder("windows-1252").decode(join(parts, end).subarray(start));
    return mark.test(line.replace(/^[\x00-\x20]+|[\x00-\x20]+$/g, ""));
  }

  // The bytes of a data file the core reads: the header and the lines it
  // promises, then, when a names block follows, its mark and as many name
  // lines (and, from a collections or weather block on, the rest), read
  // slice by slice, so that a huge file costs only its first
  // lines. Reading stops, too, where the core would stop: at a Ctrl-Z, or
  // inside a line too long to be one.
  // Reading stops also at the line of the 901st species with individuals,
  // where the core stops, whatever the header promised.
  async function readDataFile(file) {
    var parts = [], length = 0, lines = 0, needed = -1, lineStart = 0, names = false, blocks = false;
    // The first field of the line being read: 0 before it, 1 inside, 2 after;
    // whether it is other than a zero.
    var field = 0, nonZero = false, species = 0;
    for (var pos = 0; pos < file.size;) {
      var part = await readSlice(file, pos, pos + SLICE);
      parts.push(part);
      for (var i = 0; i < part.length; ++i) {
        var b = part[i], end = pos + i + 1;
        if (b === 26) return join(parts, end);
        if (b !== 10) {
          if (field === 0 && b > 32) { field = 1; nonZero = false; }
          if (field === 1) {
            if (b <= 32) field = 2;
            else if (b !== 48 && b !== 43 && b !== 45) nonZero = true; // not "0", "+" or "-"
          }
          continue;
        }
        ++lines;
        var start = lineStart;
        lineStart = end;
        var countsSpecies = field > 0 && nonZero;
        field = 0;
        if (needed < 0) needed = await callCore("lines", { bytes: join(parts, end) });
        if (needed === 0) return join(parts, end);
        if (lines > 1 && lines <= needed && countsSpecies && ++species > MAX_SPECIES) return join(parts, end);
        // A collections or weather block after the species lines and the
        // names: the rest of the file, which the core reads as far as the
        // blocks promise.
        if (lines > needed && !blocks && isMark(parts, start, end, /^\[(coletas|clima)\]$/i)) blocks = true;
        if (blocks) continue;
        if (lines === needed + 1 && !names) {
          if (!isNamesMark(parts, start, end)) return join(parts, start);
          names = true;
        }
        // The header, L species lines, the mark, L names; then blank lines
        // may stand before a block.
        if (lines > 2 * needed && !isMark(parts, start, end, /^$/)) return join(parts, start);
      }
      pos += part.length;
      length = pos;
      if (pos - lineStart > MAX_LINE + 2) return join(parts, length);
    }
    return join(parts, length);
  }

  // A file's bytes, read afresh at each run. A browser refuses a file
  // changed after it was chosen (Chrome and Edge: NotReadableError): the
  // researcher is told to choose it again.
  async function readSlice(file, start, end) {
    try {
      return new Uint8Array(await file.slice(start, end).arrayBuffer());
    } catch (e) {
      throw shown(said("O arquivo {0} mudou (ou foi movido) depois de escolhido, e o navegador não o lê mais: escolha-o de novo.",
        file.name));
    }
  }
  async function readWhole(file) { return readSlice(file, 0, file.size); }

  // An error whose text (a said text) is shown as it is.
  function shown(text) {
    var e = new Error(render(text));
    e.shown = text;
    return e;
  }

  function stem(name) { return name.replace(/\.[^.]*$/, "") || "levantamento"; }

  // ---- Showing results ---------------------------------------------------

  // The core's messages in the page's words: its data-file error opens
  // with the desktop's "Error:", and names the desktop's menu. The page's
  // own (said texts) in its language.
  function pageWords(text) {
    if (typeof text !== "string") return render(text);
    // The menu named in each language: "(ou zaviro-relatorio --importar)",
    // "(File > Import spreadsheet..., or ...)".
    return text.replace(/^Error: /, T("Erro: {0}", [""]))
      .replace(/use Arquivo > Importar planilha\.\.\. \([^)]*\)/, T("importe-o em \u201c3. Planilha ou tabela colada\u201d, nesta página"));
  }

  // A message (the core's text, or a said text), shown beside the input
  // that caused it (`near`: its id), or above the report.
  function message(text, near) {
    var box = $("mensagem");
    var place = near ? $(near).closest("fieldset") : $("saida");
    if (text && box.parentNode !== place) {
      if (near) place.appendChild(box); else place.insertBefore(box, place.firstChild);
    }
    box.zavSaid = text;
    box.textContent = text ? pageWords(text) : "";
    box.hidden = !text;
  }
  function warning(text) {
    write($("aviso"), text);
    $("aviso").hidden = !text;
  }

  function resetOutputs() {
    last = {};
    ["baixar-relatorio", "baixar-json", "baixar-csv", "baixar-xlsx", "copiar-tabela", "imprimir"].forEach(function (id) { $(id).disabled = true; });
    $("baixar-dados").hidden = true;
    $("copia").hidden = true;
    $("graficos").textContent = "";
  }

  // A run's `result` from the core, asked for with `run`; `survey`: a
  // faunistic analysis, whose species table can be copied.
  function showReport(result, run, stemName, survey) {
    last.stem = stemName;
    last.survey = Boolean(survey);
    last.run = run;
    last.report = result.report;
    last.json = result.json;
    last.csv = null; // made when first downloaded
    last.hasCsv = result.hasCsv;
    write($("relatorio"), new TextDecoder("windows-1252").decode(last.report));
    warning(utf8(result.warning));
    $("baixar-relatorio").disabled = false;
    $("imprimir").disabled = false;
    $("copiar-tabela").disabled = !last.survey;
    $("baixar-xlsx").disabled = !last.survey;
    $("baixar-json").disabled = last.json.length === 0;
    $("baixar-csv").disabled = !last.hasCsv;
  }

  async function csvOfLast() {
    var shown = last;
    if (shown.csv === null) shown.csv = await callCore("csv", { run: shown.run });
    return shown.csv;
  }

  function showFailure(result, near) {
    write($("relatorio"), "");
    message(utf8(result.message), near);
  }

  // The charts of a run, drawn from the figures the core gave with it.
  function showCharts(result) {
    var shown = last;
    drawCharts(result.figures);
    // A choice made before (the language changed since): the charts with it.
    var choice = shown.choice;
    if (choice && (choice.variable !== 0 || choice.series !== "individuos")) redrawCharts(shown);
  }

  // A fluctuation's charts again with the weather variable and the series
  // chosen, from the run the core still holds (nothing runs again).
  async function redrawCharts(shown) {
    var figures;
    try {
      figures = await callCore("figures", { language: shown.run.language, variable: shown.choice.variable,
        series: shown.choice.series });
    } catch (e) {
      return;
    }
    if (last === shown) drawCharts(figures);
  }

  // The selects "Clima" and "Série" of a fluctuation with weather, above its
  // charts: its variables; the individuals, the species and each predominant
  // species by its name.
  function fluctuationChoices(box) {
    var shown = last, data;
    try {
      data = JSON.parse(utf8(shown.json || new Uint8Array(0)));
    } catch (e) {
      return;
    }
    if (!data || !Array.isArray(data.variaveis) || !data.variaveis.length || !Array.isArray(data.coletas)) return;
    shown.choice = shown.choice || { variable: 0, series: "individuos" };
    var names = {};
    (data.correlacoes || []).forEach(function (c) { if (c.nome) names[c.serie] = c.nome; });
    var series = [["individuos", T("Indivíduos")], ["especies", T("Espécies")]].concat(
      (data.predominantes || []).map(function (n) {
        var code = "especie " + n;
        return [code, names[code] || T("Espécie {0}", [String(n)])];
      }));
    var bar = document.createElement("div");
    bar.className = "escolhas-graficos";
    [["clima", T("Clima:"), data.variaveis.map(function (v, i) { return [String(i), v]; }), String(shown.choice.variable)],
     ["serie", T("Série:"), series, shown.choice.series]].forEach(function (c) {
      var label = document.createElement("label"), select = document.createElement("select");
      select.id = "grafico-" + c[0];
      c[2].forEach(function (o) {
        var option = document.createElement("option");
        option.value = o[0];
        option.textContent = o[1];
        select.appendChild(option);
      });
      select.value = c[3];
      select.addEventListener("change", function () {
        if (c[0] === "clima") shown.choice.variable = Number(select.value);
        else shown.choice.series = select.value;
        redrawCharts(shown);
      });
      label.appendChild(document.createTextNode(c[1] + " "));
      label.appendChild(select);
      bar.appendChild(label);
    });
    box.appendChild(bar);
  }

  function drawCharts(figures) {
    var box = $("graficos");
    box.textContent = "";
    fluctuationChoices(box);
    window.zaviroLastFigures = figures.length ? utf8(figures) : "[]";
    ZavCharts.drawAll(JSON.parse(window.zaviroLastFigures)).forEach(function (chart) {
      var figure = document.createElement("figure");
      figure.className = "grafico" + (chart.small ? " pequeno" : "");
      figure.dataset.nome = chart.name;
      figure.innerHTML = chart.svg;
      var caption = document.createElement("figcaption");
      var title = new DOMParser().parseFromString(chart.svg, "image/svg+xml").querySelector("title");
      title = title ? title.textContent : chart.name;
      var stemName = last.stem + "-" + chart.name;
      // Each button's name, and its tip (the PNGs' widths said).
      [[said("Salvar SVG"), null, function () { save(new Blob([chart.svg], { type: "image/svg+xml" }), stemName + ".svg"); }],
       [said("Salvar PNG 85 mm"), said("{0}: {1} (300 dpi, largura de coluna de revista)"),
         function () { savePng(chart.svg, 85, stemName + "-85mm.png"); }],
       [said("Salvar PNG 175 mm"), said("{0}: {1} (300 dpi, largura de página de revista)"),
         function () { savePng(chart.svg, 175, stemName + "-175mm.png"); }]
      ].forEach(function (b) {
        var button = document.createElement("button"), name = render(b[0]);
        button.type = "button";
        button.textContent = name;
        button.setAttribute("aria-label", T("{0} do gráfico {1}", [name, title]));
        button.title = b[1] ? T(b[1].key, [name, title]) : name + ": " + title;
        button.addEventListener("click", b[2]);
        caption.appendChild(button);
      });
      figure.appendChild(caption);
      box.appendChild(figure);
    });
  }

  // An imported spreadsheet's report, with the notice of a row of totals
  // left out and its data file to download.
  function showImport(result, run, name) {
    showReport(result, run, name, true);
    if (result.notice.length) warning(utf8(result.notice));
    last.dataFile = result.dataFile;
    showCharts(result);
  }

  // ---- The language ------------------------------------------------------

  function language() { return typeof ZavLanguage !== "undefined" ? ZavLanguage.current() : "pt"; }

  // What the page wrote itself, written again in the language chosen.
  function refresh() {
    ["relatorio", "aviso", "fonte", "ocupado-texto"].forEach(function (id) {
      var e = $(id);
      if (e.zavSaid && typeof e.zavSaid !== "string") e.textContent = render(e.zavSaid);
    });
    var box = $("mensagem");
    if (box.zavSaid) box.textContent = pageWords(box.zavSaid);
    // The kinds' buttons and hints (placeButtons).
    Array.prototype.forEach.call(document.querySelectorAll(".analises > *"), function (e) {
      if (e.zavSaid) e.textContent = render(e.zavSaid);
    });
    Array.prototype.forEach.call($("lista-tratamentos").querySelectorAll("input"), function (e, i) {
      e.setAttribute("aria-label", T("Nome do tratamento T{0}", [i + 1]));
    });
    writeStepTwo();
  }

  // The result shown, in the language chosen: its run again (it holds its
  // files' bytes), the report and charts written by the core in that
  // language, as zaviro-relatorio --idioma writes them. A job started
  // meanwhile wins; a job running now does this when it ends.
  async function relanguage() {
    if (!core || !last.run || last.run.language === language()) return;
    var id = job, shown = last, run = Object.assign({}, last.run, { language: language() });
    var result;
    try {
      result = await callCore("run", run);
    } catch (e) {
      return; // cancelled: the result stays as it was
    }
    if (overtaken(id) || last !== shown || result.status !== 0) return;
    if (run.kind === "import" || run.kind === "importSheet") showImport(result, run, shown.stem);
    else {
      showReport(result, run, shown.stem, shown.survey);
      showCharts(result);
    }
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

  // The SVG drawn `mm` millimetres wide at 300 dpi, the journals' column
  // (85 mm) and page (175 mm) widths, the resolution written in the PNG.
  var DPI = 300;
  function savePng(svgText, mm, name) {
    var image = new Image();
    var url = URL.createObjectURL(new Blob([svgText], { type: "image/svg+xml" }));
    image.onload = function () {
      var canvas = document.createElement("canvas");
      var scale = Math.round(mm / 25.4 * DPI) / image.width;
      canvas.width = Math.round(image.width * scale);
      canvas.height = Math.round(image.height * scale);
      var g = canvas.getContext("2d");
      g.scale(scale, scale);
      g.drawImage(image, 0, 0);
      URL.revokeObjectURL(url);
      canvas.toBlob(function (png) {
        png.arrayBuffer().then(function (bytes) { save(new Blob([withResolution(new Uint8Array(bytes), DPI)], { type: "image/png" }), name); });
      }, "image/png");
    };
    image.src = url;
  }


  // A PNG with its pHYs chunk (pixels per metre) after the header chunk.
  function withResolution(png, dpi) {
    var perMetre = Math.round(dpi / 0.0254), chunk = new Uint8Array(21), v = new DataView(chunk.buffer);
    v.setUint32(0, 9);
    chunk.set([0x70, 0x48, 0x59, 0x73], 4); // "pHYs"
    v.setUint32(8, perMetre);
    v.setUint32(12, perMetre);
    chunk[16] = 1; // the unit is the metre
    v.setUint32(17, ZavWorkbook.crc32(chunk.subarray(4, 17)));
    var at = 8 + 25; // the signature, then IHDR (13 bytes of data)
    var out = new Uint8Array(png.length + chunk.length);
    out.set(png.subarray(0, at));
    out.set(chunk, at);
    out.set(png.subarray(at), at + chunk.length);
    return out;
  }

  // ---- Jobs --------------------------------------------------------------

  // Each run is a job; only the newest one shows its result, and a job
  // overtaken (by a later one, or by Cancelar) drops what it finds. The
  // button that started a job stays disabled while it runs; one that runs
  // over BUSY_AFTER_MS shows the busy line with Cancelar.
  var job = 0;
  var running = new Set(); // the buttons of jobs running
  var busyTimer = null;

  function startJob(button, what) {
    var id = ++job;
    running.add(button);
    $(button).disabled = true;
    clearTimeout(busyTimer);
    busyTimer = setTimeout(function () {
      if (id !== job) return;
      write($("ocupado-texto"), what);
      $("ocupado").hidden = false;
    }, BUSY_AFTER_MS);
    return id;
  }
  function endJob(id, button) {
    running.delete(button);
    if (id === job) {
      clearTimeout(busyTimer);
      $("ocupado").hidden = true;
    }
    enableButtons();
    // A language chosen while the result was computed: it again, in that language.
    if (running.size === 0 && last.run && last.run.language !== language()) relanguage();
  }
  function overtaken(id) { return id !== job; }
  // Stops the reading of an overtaken job at its next pause.
  function checkJob(id) {
    if (overtaken(id)) throw Object.assign(new Error("cancelado"), { cancelled: true });
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

  // The kinds of run of the core's table (zav_web_run_kinds), by name: how
  // many files each takes and what its downloads add to their name.
  var kinds = {};

  async function readOne(files) { return [{ bytes: await readDataFile(files[0]), name: files[0].name }]; }

  // The parameters the page offers: each input of index.html read as the
  // integer zav_web_run takes at the place the core's table gives it.
  var PARAMETERS = {
    // The comparison's dendrogram: 1 Bray-Curtis, 0 for 1 - Sørensen.
    indice: function (e) { return e.value === "bray-curtis" ? 1 : 0; },
    // The fluctuation's lag: collection k paired with the weather of collection k - K.
    defasagem: function (e) { return Math.max(0, parseInt(e.value, 10) || 0); },
    // Each collection of each treatment a sample: their dissimilarity, 1 Jaccard, 0 Bray-Curtis.
    "indice-comunidades": function (e) { return e.value === "jaccard" ? 1 : 0; },
    // The permutations of the communities' tests (the seed is the core's);
    // the core says why a number is refused.
    permutacoes: function (e) { var n = Number(e.value); return Number.isInteger(n) ? n : 0; },
  };

  // What the page offers: each kind of run of the core's table, in its
  // order, with its button, made here when the core gives the table (the
  // faunistic analysis keeps the id "calcular" of the page's first button),
  // its files' input and how they are read, and its parameters; its charts
  // are the figures the core gives with the run. A new kind of the core
  // needs nothing here unless it takes a parameter the page does not offer
  // yet: then its input in index.html and its reading in PARAMETERS.
  var analyses = [];

  function analysisOf(kind) {
    var oneFile = kind.arquivos_max === 1;
    return {
      kind: kind.nome, label: kind.rotulo, button: kind.nome === "faunistica" ? "calcular" : kind.nome,
      input: oneFile ? "arquivo" : "tratamentos",
      read: oneFile ? readOne : readTreatments,
      // The integers at their places; a place before the last one taken,
      // and not taken, holds 0, the core's default there.
      parameters: function () {
        var values = [];
        kind.parametros.forEach(function (p) {
          while (values.length < p.posicao) values.push(0);
          values[p.posicao] = PARAMETERS[p.entrada]($(p.entrada));
        });
        return values;
      },
    };
  }

  // Each kind's button in the place of its files' input (index.html): the
  // kinds of one file side by side; the kinds of several one a line, each
  // with how many treatments it takes, or the hint index.html gives it
  // (data-dica). The inputs of its parameters follow it, as the page reads
  // from left to right and the keyboard goes.
  function placeButtons(table) {
    table.forEach(function (kind) {
      var analysis = analysisOf(kind);
      var place = document.querySelector(".analises[data-entrada=" + analysis.input + "]");
      var several = analysis.input === "tratamentos";
      if (several && place.firstChild) place.append(document.createElement("br"), " ");
      var button = document.createElement("button");
      button.type = "button";
      button.id = analysis.button;
      button.disabled = true;
      write(button, said(kind.rotulo));
      place.append(button, " ");
      if (several) {
        var hint = document.querySelector("[data-dica=" + kind.nome + "]");
        if (hint) hint.hidden = false;
        else {
          hint = document.createElement("span");
          hint.className = "dica";
          write(hint, said("{0} a {1} tratamentos", String(kind.arquivos_min), String(kind.arquivos_max)));
        }
        place.append(hint, " ");
      }
      kind.parametros.forEach(function (p) { place.append($(p.entrada).closest("label"), " "); });
      analyses.push(analysis);
      $(analysis.input).addEventListener("change", enableButtons);
      button.addEventListener("click", guard(function () { return runAnalysis(analysis, Array.from($(analysis.input).files)); }, analysis.input));
    });
  }

  // Step 2 of "Como usar" (index.html) names the buttons: each kind's, in
  // the order the page shows them (the kinds of one file, then those of
  // several, each in the table's order), then Importar planilha, each in
  // bold as written on it. Written when the table arrives, and again at
  // each change of language, after i18n.js has put back index.html's
  // sentence, which stays until the table arrives or when the core cannot
  // start.
  function writeStepTwo() {
    if (!analyses.length) return;
    var bold = function (text) {
      var b = document.createElement("b");
      b.textContent = text;
      return b;
    };
    var byButton = {};
    analyses.forEach(function (a) { byButton[a.button] = a; });
    // The kinds joined by commas, as the three languages join a list; the
    // dictionary's sentence puts its "or" before the last button.
    var buttons = document.createDocumentFragment();
    Array.prototype.forEach.call(document.querySelectorAll(".analises > button"), function (b, i) {
      buttons.append(i ? ", " : "", bold(T(byButton[b.id].label)));
    });
    var places = [buttons, bold(T("Importar planilha"))], step = $("passo-analises");
    step.textContent = "";
    T("Clique em {0} ou {1}.").split(/\{(\d)\}/).forEach(function (part, i) {
      step.append(i % 2 ? places[Number(part)] : part);
    });
  }

  // The faunistic analysis, which the example and a data file dropped on the page run.
  function faunistic() { return analyses.find(function (a) { return a.kind === "faunistica"; }); }

  // A kind of one file names its downloads after it ("mata-diversidade");
  // a kind of several, after itself ("comparacao").
  function stemOf(analysis, input) {
    var kind = kinds[analysis.kind];
    return kind.arquivos_max === 1 ? stem(input[0].name) + kind.sufixo : kind.nome;
  }

  // The button waits for a file; a kind of several files takes any number,
  // and the core says when it is not the number the kind takes.
  function filesAccepted(analysis, count) {
    var kind = kinds[analysis.kind];
    return !!kind && count >= 1 && (kind.arquivos_max !== 1 || count === 1);
  }

  // The files are read first: a file the browser no longer reads leaves
  // the report shown as it was, with the message beside its input.
  async function runAnalysis(analysis, files) {
    var id = startJob(analysis.button, said("Calculando..."));
    message("");
    try {
      var started = performance.now();
      var input;
      try {
        input = await analysis.read(files);
      } catch (e) {
        if (!overtaken(id)) message(e && e.shown ? e.shown : said("Erro: o arquivo não pôde ser lido ({0})", String(e)), analysis.input);
        return;
      }
      if (overtaken(id)) return;
      var run = { kind: analysis.kind, files: input, parameters: analysis.parameters(), when: clock(),
        language: language() };
      var result = await callCore("run", run);
      if (overtaken(id)) return;
      message("");
      warning("");
      resetOutputs();
      if (result.status !== 0) return showFailure(result, analysis.input);
      showReport(result, run, stemOf(analysis, input), kinds[analysis.kind].xlsx);
      showCharts(result);
      window.zaviroLastRunMs = performance.now() - started;
    } finally {
      endJob(id, analysis.button);
    }
  }

  // Where the import's rows come from: the last one the researcher touched,
  // the spreadsheet file chosen or dropped, or the table pasted.
  var importSource = "planilha";

  // A spreadsheet file (CSV, TSV, or a workbook's sheet) or a pasted table
  // becomes a data file, which is then analysed like one chosen. A species
  // by collection sheet gives its total of collections itself.
  async function importAndRun() {
    // 0 one row per species, 1 one column per collection, 2 one row per record.
    var layout = Number($("forma").value);
    var perCollection = layout !== 0;
    var collections = perCollection ? 0 : Number($("coletas").value);
    if (!perCollection && (!Number.isInteger(collections) || collections < 1 || collections > 2147483647)) {
      message(said("Erro: digite o total de coletas do levantamento, um número inteiro maior que 0"), "coletas");
      return;
    }
    var sheet = $("planilha").files[0];
    var pasted = $("tabela").value;
    var usePasted = pasted.trim() !== "" && (importSource === "tabela" || !sheet);
    if (!usePasted && !sheet) return;
    var id = startJob("importar", said("Lendo a planilha..."));
    message("");
    var near = usePasted ? "tabela" : "planilha";
    try {
      var name = usePasted ? "tabela" : stem(sheet.name), source, kind, bytes, weather = null;
      try {
        if (usePasted) {
          source = said("Importado da tabela colada.");
          kind = "import";
          bytes = new TextEncoder().encode(pasted);
        } else if (await ZavWorkbook.isWorkbook(sheet)) {
          var chosen = $("escolha-folha").hidden ? "" : $("folha").value;
          source = chosen ? said("Importado da planilha {0}, folha {1}.", sheet.name, chosen) : said("Importado da planilha {0}.", sheet.name);
          ZavWorkbook.interrupt = function () { checkJob(id); };
          var rows = await ZavWorkbook.readSheet(sheet, chosen);
          kind = "importSheet";
          bytes = ZavWorkbook.encodeRows(rows);
          // The collections' weather from the workbook's sheet "clima" (any
          // case) beside the one imported, as the desktop takes it.
          if (perCollection) {
            var names = await ZavWorkbook.sheetNames(sheet), taken = chosen || names[0];
            var clima = names.find(function (n) { return n !== taken && n.replace(/^[\x00-\x20]+|[\x00-\x20]+$/g, "").toLowerCase() === "clima"; });
            if (clima !== undefined) {
              weather = { bytes: ZavWorkbook.encodeRows(await ZavWorkbook.readSheet(sheet, clima)), fromSheet: true, sheet: clima };
              source = said("{0} Clima da folha {1}.", source, clima);
            }
          }
        } else {
          source = said("Importado do arquivo {0}.", sheet.name);
          kind = "import";
          bytes = await readWhole(sheet);
        }
      } catch (e) {
        if (!overtaken(id)) message(e && e.shown ? e.shown : said("Erro: a planilha não pôde ser lida ({0})", String(e)), near);
        return;
      }
      if (overtaken(id)) return;
      var run = { kind: kind, bytes: bytes, layout: layout, weather: weather, collections: collections, name: name + ".txt", when: clock(),
        language: language() };
      var result = await callCore("run", run);
      if (overtaken(id)) return;
      message("");
      warning("");
      resetOutputs();
      write($("fonte"), source);
      $("fonte").hidden = false;
      if (result.status !== 0) return showFailure(result, near);
      showImport(result, run, name);
      $("baixar-dados").hidden = false;
    } finally {
      ZavWorkbook.interrupt = null;
      endJob(id, "importar");
    }
  }

  // A workbook chosen: its sheets offered when it has more than one.
  async function listSheets() {
    var file = $("planilha").files[0], choice = $("folha");
    choice.textContent = "";
    $("escolha-folha").hidden = true;
    running.add("importar");
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
    } catch (e) {
      message(e && e.shown ? e.shown : said("Erro: a planilha não pôde ser lida ({0})", String(e)), "planilha");
    } finally {
      running.delete("importar");
      enableButtons();
    }
  }

  // The decimal separator of the browser's language, as the desktop takes
  // the system's for the copied table.
  function decimalSeparator() {
    var part = new Intl.NumberFormat().formatToParts(1.5).find(function (p) { return p.type === "decimal"; });
    return part && part.value === "," ? "," : ".";
  }

  function guard(work, near) {
    return function () {
      Promise.resolve().then(work).catch(function (e) {
        if (e && e.cancelled) return;
        message(e && e.shown ? e.shown : said("Erro: {0}", e && e.message ? e.message : String(e)), near);
      });
    };
  }

  function enableButtons() {
    analyses.forEach(function (a) {
      var count = $(a.input).files.length;
      $(a.button).disabled = !core || running.has(a.button) || !filesAccepted(a, count);
    });
    $("exemplo").disabled = !core || running.has("calcular");
    $("importar").disabled = !core || running.has("importar") || ($("planilha").files.length === 0 && $("tabela").value.trim() === "");
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
      name.setAttribute("aria-label", T("Nome do tratamento T{0}", [i + 1]));
      item.appendChild(name);
      list.appendChild(item);
    });
    enableButtons();
  }

  $("exemplo").addEventListener("click", guard(function () {
    return runAnalysis(faunistic(), [new File([EXAMPLE], "dez-especies.txt", { type: "text/plain" })]);
  }, "arquivo"));
  $("tratamentos").addEventListener("change", listTreatments);
  $("planilha").addEventListener("change", function () { importSource = "planilha"; guard(listSheets, "planilha")(); });
  $("forma").addEventListener("change", function () { $("coletas").disabled = $("forma").value !== "0"; });
  $("tabela").addEventListener("input", function () { importSource = "tabela"; enableButtons(); });
  $("importar").addEventListener("click", guard(importAndRun, "planilha"));
  $("cancelar").addEventListener("click", function () {
    ++job;
    restartWorker();
    clearTimeout(busyTimer);
    $("ocupado").hidden = true;
    running.clear();
    enableButtons();
    warning(said("Cancelado: o resultado mostrado é o anterior."));
  });
  $("imprimir").addEventListener("click", function () { window.print(); });
  $("baixar-relatorio").addEventListener("click", function () {
    save(new Blob([last.report], { type: "application/octet-stream" }), last.stem + "-relatorio.txt");
  });
  $("baixar-json").addEventListener("click", function () {
    save(new Blob([last.json], { type: "application/json" }), last.stem + ".json");
  });
  $("baixar-csv").addEventListener("click", guard(async function () {
    var name = last.stem + ".csv";
    save(new Blob([await csvOfLast()], { type: "text/csv" }), name);
  }));
  // The species table as an .xlsx workbook: the CSV's columns, numbers as
  // numbers.
  $("baixar-xlsx").addEventListener("click", guard(async function () {
    var name = last.stem + "-tabela.xlsx";
    save(ZavWorkbook.speciesTableXlsx(utf8(await csvOfLast())), name);
  }));
  // The species table on the clipboard as tab-separated text and as an
  // HTML table: a spreadsheet or a word processor pastes it as a table.
  // Where the browser does not let the page write the clipboard, the table
  // is shown selected, for Ctrl+C.
  $("copiar-tabela").addEventListener("click", guard(async function () {
    var table = await callCore("table", { run: last.run, separator: decimalSeparator().charCodeAt(0) });
    var tsv = table.tsv, html = table.html;
    $("copia").hidden = true;
    try {
      await navigator.clipboard.write([new ClipboardItem({
        "text/plain": new Blob([tsv], { type: "text/plain" }),
        "text/html": new Blob([html], { type: "text/html" }),
      })]);
    } catch (e) {
      var box = $("copia-tabela");
      box.innerHTML = utf8(html);
      $("copia").hidden = false;
      var range = document.createRange();
      range.selectNodeContents(box);
      var selection = window.getSelection();
      selection.removeAllRanges();
      selection.addRange(range);
      var copied = false;
      try { copied = document.execCommand("copy"); } catch (ignored) { copied = false; }
      message("");
      warning(copied ? said("Tabela de espécies copiada.") :
        said("O navegador não deixou a página copiar a tabela: ela está selecionada abaixo; tecle Ctrl+C para copiá-la."));
      return;
    }
    message("");
    warning(said("Tabela de espécies copiada."));
  }));
  $("baixar-dados").addEventListener("click", function () {
    save(new Blob([last.dataFile], { type: "application/octet-stream" }), last.stem + ".txt");
  });

  // ---- Dropped files -----------------------------------------------------

  // Files go where they are dropped: on the treatments, they are the
  // treatments; on the spreadsheet part, the spreadsheet, imported at once;
  // anywhere else, a workbook or CSV is imported and a data file analysed
  // at once, and stays chosen for Diversidade.
  function dropTarget(e) {
    var fieldset = e.target && e.target.closest ? e.target.closest("fieldset") : null;
    if (fieldset && fieldset.contains($("tratamentos"))) return "tratamentos";
    if (fieldset && fieldset.contains($("planilha"))) return "planilha";
    return "arquivo";
  }
  function isSpreadsheetName(name) { return /\.(xlsx|ods|csv|tsv)$/i.test(name); }
  function clearDropMarks() {
    document.body.classList.remove("soltando");
    Array.prototype.forEach.call(document.querySelectorAll("fieldset.soltando"), function (f) { f.classList.remove("soltando"); });
  }
  document.addEventListener("dragover", function (e) {
    e.preventDefault();
    clearDropMarks();
    var target = dropTarget(e);
    if (target === "arquivo") document.body.classList.add("soltando");
    else $(target).closest("fieldset").classList.add("soltando");
  });
  document.addEventListener("dragleave", clearDropMarks);
  document.addEventListener("drop", function (e) {
    e.preventDefault();
    clearDropMarks();
    var files = e.dataTransfer ? e.dataTransfer.files : null;
    if (!core || !files || files.length === 0) return;
    var target = dropTarget(e);
    if (target === "arquivo" && isSpreadsheetName(files[0].name)) target = "planilha";
    var chosen = new DataTransfer();
    Array.prototype.slice.call(files, 0, target === "tratamentos" ? files.length : 1).forEach(function (f) { chosen.items.add(f); });
    $(target).files = chosen.files;
    if (target === "tratamentos") return listTreatments();
    if (target === "planilha") {
      importSource = "planilha";
      return guard(async function () {
        await listSheets();
        if (!$("importar").disabled) await importAndRun();
      }, "planilha")();
    }
    enableButtons();
    guard(function () { return runAnalysis(faunistic(), [files[0]]); }, "arquivo")();
  });

  // ---- Start -------------------------------------------------------------

  // A page that cannot start says what is missing.
  function cannotStart(text) {
    write($("relatorio"), text);
    message(text);
    document.body.dataset.falhou = "1";
  }
  // The page in its language first, so that even a page that cannot start
  // says so in it.
  if (typeof ZavLanguage !== "undefined") {
    ZavLanguage.onChange(function () {
      refresh();
      if (running.size === 0) relanguage();
    });
    ZavLanguage.start();
  }
  write($("relatorio"), said("Carregando... (se esta mensagem não mudar, o navegador não carregou os arquivos zaviro.js e app.js, " +
    "que ficam ao lado desta página)"));
  if (typeof ZAV_CORE_WORKER !== "string" || typeof ZavCharts === "undefined" || typeof ZavWorkbook === "undefined" ||
      typeof ZavLanguage === "undefined") {
    cannotStart(said("Erro: faltam arquivos da página (zaviro-worker.js, charts.js, workbook.js ou i18n.js), que devem ficar na " +
      "mesma pasta que index.html; copie a pasta inteira de novo."));
    return;
  }
  Promise.resolve().then(startWorker).then(function () { return callCore("kinds", null); }).then(function (table) {
    table.forEach(function (kind) { kinds[kind.nome] = kind; });
    placeButtons(table);
    writeStepTwo();
    core = true;
    window.zaviroReadyMs = performance.now();
    write($("relatorio"), said("Escolha um arquivo de dados e clique em Calcular (ou clique em Exemplo)."));
    document.body.dataset.pronto = "1";
    enableButtons();
  }, function (e) {
    cannotStart(said("Erro: o navegador não conseguiu iniciar o ZAVIRO ({0}); use uma versão recente do Chrome, Edge, Firefox ou " +
      "Safari, com WebAssembly ativado.", String(e)));
  });
})();
