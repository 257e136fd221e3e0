// The core in a Web Worker, so that the page never waits on it: the page
// posts {id, op, args} and gets {id, result} or {id, error}. Each request
// is whole in itself (a run carries its files' bytes and its clock), so a
// worker stopped by "Cancelar" and started anew has lost nothing: the CSV
// and the species table of a report are made by running it again.
// scripts/build-web.sh puts this file after the module (createZaviro) into
// the text the page starts the worker from.
"use strict";

var SLOT = { report: 0, json: 1, csv: 2, message: 3, dataFile: 4, warning: 5, tableTsv: 6, tableHtml: 7, figures: 8 };
var core = null;
var ready = createZaviro().then(function (module) { core = module; });

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
// Calls fn with pointers to each argument's copy in the module's memory,
// and frees them after.
function call(fn, allocations) {
  try { return fn(allocations); } finally { allocations.forEach(function (p) { core._free(p); }); }
}

// A run of the kind named `kind` (zav_web_run) on data files, each {name,
// bytes}, with the run's parameters (integers, as zav_web_run reads them).
function runKind(kind, files, parameters, clock) {
  var data = files.map(function (f) { return put(f.bytes); });
  var names = files.map(function (f) { return putText(f.name); });
  var a = data.concat(names);
  var kindName = putText(kind), dataList = putInts(data), sizes = putInts(files.map(function (f) { return f.bytes.length; }));
  var nameList = putInts(names), given = putInts(parameters.length ? parameters : [0]), when = putInts(clock);
  a.push(kindName, dataList, sizes, nameList, given, when);
  return call(function () {
    return core._zav_web_run(kindName, files.length, dataList, sizes, nameList, given, parameters.length, when);
  }, a);
}
// The kinds of run of the core's table (zav_web_run_kinds).
function runKinds() {
  core._zav_web_run_kinds();
  return JSON.parse(new TextDecoder("utf-8").decode(output(SLOT.json)));
}
// A spreadsheet's text, or a workbook's rows as ZavWorkbook.encodeRows
// gives them (`fromSheet`), to the data file (zav_web_import_with): its
// layout (0 one row per species, 1 one column per collection, 2 one row
// per record), and the weather, when given: {bytes, fromSheet, sheet}.
function importData(a) {
  var layout = a.layout !== undefined ? a.layout : a.perCollection ? 1 : 0;
  var weather = a.weather || null, w = weather ? weather.bytes : new Uint8Array(0);
  var source = !weather ? 0 : weather.fromSheet ? 2 : 1;
  var p = [put(a.bytes), put(w), putText(weather && weather.sheet ? weather.sheet : "")];
  return call(function () {
    return core._zav_web_import_with(p[0], a.bytes.length, a.kind === "importSheet" ? 1 : 0, layout, a.collections || 0,
      p[1], w.length, source, p[2]);
  }, p);
}

// What a run leaves, with the figures of its charts (zav_web_figures).
function outputs(status) {
  core._zav_web_figures();
  return { status: status, report: output(SLOT.report), json: output(SLOT.json), warning: output(SLOT.warning),
    message: output(SLOT.message), hasCsv: core._zav_web_has_csv() === 1, figures: output(SLOT.figures) };
}

// One run: `kind` names a kind of the core's table (files and parameters
// given), or is import or importSheet (the data file made, then its
// faunistic analysis); its report and charts in `language` ("pt", "en" or
// "es", as --idioma), Portuguese when not given.
function run(a) {
  var code = [putText(a.language || "pt")];
  call(function () {
    core._zav_web_language(code[0]);
    // The core's messages and warnings in it too, where the module says them.
    if (core._zav_web_message_language) core._zav_web_message_language(code[0]);
  }, code);
  if (a.kind !== "import" && a.kind !== "importSheet") return outputs(runKind(a.kind, a.files, a.parameters || [], a.when));
  var status = importData(a);
  if (status !== 0) return outputs(status);
  var dataFile = output(SLOT.dataFile), notice = output(SLOT.warning);
  var result = outputs(runKind("faunistica", [{ name: a.name, bytes: dataFile }], [], a.when));
  result.dataFile = dataFile;
  result.notice = notice;
  return result;
}

var operations = {
  ready: function () { return true; },
  kinds: runKinds,
  // How many lines the reader of a data file takes (zav_web_lines_needed).
  lines: function (a) {
    var p = [put(a.bytes)];
    return call(function () { return core._zav_web_lines_needed(p[0], a.bytes.length); }, p);
  },
  run: run,
  csv: function (a) {
    run(a.run);
    core._zav_web_csv();
    return output(SLOT.csv);
  },
  // The charts of the last run again with a fluctuation's choices (the
  // weather variable's index, the series' code), without running it again.
  figures: function (a) {
    var code = [putText(a.language || "pt"), putText(a.series || "individuos")];
    call(function () {
      core._zav_web_language(code[0]);
      core._zav_web_figures_with(a.variable || 0, code[1]);
    }, code);
    return output(SLOT.figures);
  },
  table: function (a) {
    run(a.run);
    // Its headings in the run's language (0 pt, 1 en, 2 es), where the module writes them.
    core._zav_web_species_table(a.separator, Math.max(0, ["pt", "en", "es"].indexOf(a.run.language || "pt")));
    return { tsv: output(SLOT.tableTsv), html: output(SLOT.tableHtml) };
  },
};

self.onmessage = function (e) {
  var id = e.data.id;
  ready.then(function () { return operations[e.data.op](e.data.args); }).then(function (result) {
    self.postMessage({ id: id, result: result });
  }, function (error) {
    self.postMessage({ id: id, error: String(error && error.message ? error.message : error) });
  });
};
