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

// A run of one data file (zav_web_survey, zav_web_diversity).
function oneFile(entry, bytes, name, when) {
  var a = [put(bytes), putText(name), putInts(when)];
  return call(function () { return entry(a[0], bytes.length, a[1], a[2]); }, a);
}
// A run of treatment files, each {name, bytes} (zav_web_similarity,
// zav_web_comparison); `extra` goes before the clock.
function treatmentRun(entry, files, extra, clock) {
  var data = files.map(function (f) { return put(f.bytes); });
  var names = files.map(function (f) { return putText(f.name); });
  var a = data.concat(names);
  var dataList = putInts(data), sizes = putInts(files.map(function (f) { return f.bytes.length; }));
  var nameList = putInts(names), when = putInts(clock);
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

// What a run leaves, with the figures of its charts (zav_web_figures).
function outputs(status) {
  core._zav_web_figures(0);
  return { status: status, report: output(SLOT.report), json: output(SLOT.json), warning: output(SLOT.warning),
    message: output(SLOT.message), hasCsv: core._zav_web_has_csv() === 1, figures: output(SLOT.figures) };
}

// One run: `kind` survey, diversity, similarity, comparison, or import and
// importSheet (the data file made, then its faunistic analysis).
function run(a) {
  if (a.kind === "survey") return outputs(oneFile(core._zav_web_survey, a.bytes, a.name, a.when));
  if (a.kind === "diversity") return outputs(oneFile(core._zav_web_diversity, a.bytes, a.name, a.when));
  if (a.kind === "similarity") return outputs(treatmentRun(core._zav_web_similarity, a.files, [], a.when));
  if (a.kind === "comparison") return outputs(treatmentRun(core._zav_web_comparison, a.files, [a.brayCurtis], a.when));
  var entry = a.kind === "importSheet" ? core._zav_web_import_sheet : core._zav_web_import;
  var status = importSheet(entry, a.bytes, a.perCollection, a.collections);
  if (status !== 0) return outputs(status);
  var dataFile = output(SLOT.dataFile), notice = output(SLOT.warning);
  var result = outputs(oneFile(core._zav_web_survey, dataFile, a.name, a.when));
  result.dataFile = dataFile;
  result.notice = notice;
  return result;
}

var operations = {
  ready: function () { return true; },
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
  table: function (a) {
    run(a.run);
    core._zav_web_species_table(a.separator);
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
