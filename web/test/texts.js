// The page's dictionary (web/i18n.js), without a browser: every text in
// Portuguese, English and Spanish with the same "{n}" put in; every text
// the scripts write through it (T, said, sheetError) is there; no other
// sentence is written by the scripts untranslated; and no text of the
// dictionary is left over. The page test checks the texts of index.html
// in the page itself.
// Given the browser build's worker (node texts.js build/web/zaviro-worker.js),
// also the buttons the page makes from the core's table of run kinds: each
// label in the dictionary, each parameter an input the page reads.
"use strict";

const assert = require("assert/strict");
const fs = require("fs");
const path = require("path");
const vm = require("vm");
const ZavLanguage = require("../i18n.js");

// The core's table of run kinds as the page receives it: the worker's text
// (scripts/build-web.sh) started as a browser starts it, asked for "kinds".
function runKinds(workerFile) {
  const globals = { WebAssembly, TextDecoder, TextEncoder, atob, console, setTimeout, clearTimeout, performance, URL };
  const page = vm.createContext({ ...globals });
  vm.runInContext(fs.readFileSync(workerFile, "utf8"), page);
  const worker = vm.createContext({ ...globals, importScripts() {}, location: { href: "file:///" } });
  worker.self = worker;
  return new Promise((resolve, reject) => {
    // Plain values of this realm, as the page's structured clone gives them.
    worker.postMessage = (m) => ("error" in m ? reject(new Error(m.error)) : resolve(JSON.parse(JSON.stringify(m.result))));
    vm.runInContext(page.ZAV_CORE_WORKER, worker);
    worker.onmessage({ data: { id: 1, op: "kinds" } });
  });
}

const web = path.resolve(__dirname, "..");
const failures = [];
function check(name, fn) {
  try {
    fn();
    console.log("ok   " + name);
  } catch (e) {
    console.log("FAIL " + name + "\n" + e.message);
    failures.push(name);
  }
}

// The string literals of a script, comments left out; a run of literals
// joined by "+" is one text; `call` is the function it is handed to, if
// one of the dictionary's.
const LITERAL = /"(?:[^"\\\n]|\\.)*"|'(?:[^'\\\n]|\\.)*'/y;
function texts(source) {
  const found = [];
  for (let i = 0; i < source.length;) {
    if (source.startsWith("//", i)) { i = source.indexOf("\n", i) + 1 || source.length; continue; }
    if (source.startsWith("/*", i)) { i = source.indexOf("*/", i) + 2; continue; }
    // A regular expression's literal: skipped to its end.
    if (source[i] === "/" && /[(,=:!&|?;{}]\s*$/.test(source.slice(Math.max(0, i - 20), i))) {
      const end = /\/(?:[^/\\\n[]|\\.|\[(?:[^\]\\\n]|\\.)*\])*\/[a-z]*/y;
      end.lastIndex = i;
      if (end.exec(source)) { i = end.lastIndex; continue; }
    }
    LITERAL.lastIndex = i;
    const first = LITERAL.exec(source);
    if (!first) { ++i; continue; }
    const call = (/(\w+)\(\s*$/.exec(source.slice(Math.max(0, i - 40), i)) || [])[1] || "";
    let text = "", at = i, m = first;
    for (;;) {
      text += m[0][0] === '"' ? JSON.parse(m[0]) : JSON.parse('"' + m[0].slice(1, -1).replace(/\\'/g, "'").replace(/"/g, '\\"') + '"');
      at = LITERAL.lastIndex;
      const plus = /\s*\+\s*/y;
      plus.lastIndex = at;
      if (!plus.exec(source)) break;
      LITERAL.lastIndex = plus.lastIndex;
      m = LITERAL.exec(source);
      if (!m) break;
    }
    found.push({ text, call });
    i = at;
  }
  return found;
}

const scripts = ["app.js", "workbook.js"].map((f) => ({ file: f, texts: texts(fs.readFileSync(path.join(web, f), "utf8")) }));
const DICTIONARY_CALLS = ["T", "said", "sheetError"];
const keysUsed = new Set();
scripts.forEach((s) => s.texts.filter((t) => DICTIONARY_CALLS.includes(t.call)).forEach((t) => keysUsed.add(t.text)));
const html = fs.readFileSync(path.join(web, "index.html"), "utf8").replace(/\s+/g, " ");
// Without the core's table: the texts its kinds of run may give the buttons.
const coreTexts = new Set();

(async () => {
const kinds = process.argv[2] ? await runKinds(process.argv[2]) : null;
if (kinds) {
  check("os botoes das analises: cada rotulo do nucleo no dicionario, cada parametro lido pela pagina", () => {
    assert.ok(kinds.some((k) => k.nome === "faunistica"), JSON.stringify(kinds));
    assert.deepEqual(kinds.map((k) => k.rotulo).filter((label) => !(label in ZavLanguage.TEXTS)), []);
    kinds.forEach((k) => keysUsed.add(k.rotulo));
    // The inputs the page reads (app.js, PARAMETERS), each in index.html.
    const app = fs.readFileSync(path.join(web, "app.js"), "utf8");
    const block = /var PARAMETERS = \{([^]*?)\n {2}\};/.exec(app)[1];
    const read = Array.from(block.matchAll(/^ {4}"?([\w-]+)"?:/gm), (m) => m[1]);
    const inputs = [].concat(...kinds.map((k) => k.parametros.map((p) => p.entrada)));
    assert.deepEqual(inputs.filter((i) => !read.includes(i) || !html.includes('id="' + i + '"')), []);
  });
} else {
  console.log("sem a tabela das analises (node texts.js build/web/zaviro-worker.js): rotulos dos botoes nao verificados");
  // The buttons' labels are then those the kinds' units of the core may
  // give (a title or a menu's text, its "&" left out): none of them is
  // called left over.
  const runs = path.join(web, "..", "src", "runs");
  fs.readdirSync(runs).filter((f) => f.endsWith(".cpp")).forEach((f) => {
    const source = fs.readFileSync(path.join(runs, f), "utf8");
    for (const m of source.matchAll(/QT_TRANSLATE_NOOP\("Zav", "([^"]*)"\)/g)) coreTexts.add(m[1].replace(/&/g, ""));
  });
}

check("cada texto nas tres linguas, com o mesmo {n}", () => {
  const bad = [];
  const holes = (t) => (t.match(/\{\d+\}/g) || []).sort().join();
  Object.entries(ZavLanguage.TEXTS).forEach(([pt, other]) => {
    if (!Array.isArray(other) || other.length !== 2 || other.some((t) => typeof t !== "string" || t.trim() === "" || holes(t) !== holes(pt)))
      bad.push(pt);
    // Markup stays the same (a sentence of index.html with <b> or <code>).
    else if (other.some((t) => (t.match(/<[^>]*>/g) || []).length !== (pt.match(/<[^>]*>/g) || []).length)) bad.push(pt);
  });
  assert.deepEqual(bad, []);
  // English is never the Portuguese left as it is, but for a few words
  // that read the same.
  const same = Object.entries(ZavLanguage.TEXTS).filter(([pt, [en]]) => en === pt).map(([pt]) => pt);
  assert.deepEqual(same, []);
});

check("todo texto dos scripts dado a T, said ou sheetError esta no dicionario", () => {
  assert.ok(keysUsed.size > 20, String(keysUsed.size));
  assert.deepEqual([...keysUsed].filter((k) => !(k in ZavLanguage.TEXTS)), []);
});

check("nenhuma frase dos scripts escrita sem o dicionario", () => {
  // What a script writes that is not a sentence for a person: markup.
  const notForPeople = (t) => t === "use strict" || /<[/?]?[a-z]/i.test(t);
  const loose = [];
  scripts.forEach((s) => s.texts.forEach((t) => {
    if (DICTIONARY_CALLS.includes(t.call) || notForPeople(t.text)) return;
    if (/\p{L}{2,} \p{L}{2,}/u.test(t.text)) loose.push(s.file + ": " + t.text);
  }));
  assert.deepEqual(loose, []);
});

check("nenhum texto do dicionario sobrando", () => {
  const unused = Object.keys(ZavLanguage.TEXTS).filter((k) => !keysUsed.has(k) && !coreTexts.has(k) && !html.includes(k));
  assert.deepEqual(unused, []);
});

check("a lingua do navegador: en* ingles, es* espanhol, as outras portugues", () => {
  const cases = [[["en-US", "pt-BR"], "en"], [["EN"], "en"], [["es-419"], "es"], [["es"], "es"], [["pt-BR"], "pt"],
    [["pt-PT"], "pt"], [["fr-FR", "en"], "pt"], [[], "pt"], [undefined, "pt"]];
  cases.forEach(([languages, code]) => assert.equal(ZavLanguage.ofBrowser(languages), code, JSON.stringify(languages)));
});

console.log(failures.length ? failures.length + " failed" : "all passed");
process.exit(failures.length ? 1 : 0);
})().catch((e) => { console.error(e); process.exit(1); });
