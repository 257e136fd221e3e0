// The page in a real browser: a survey chosen in the file input gives the
// golden report in #relatorio and, downloaded, its exact Windows-1252 CR LF
// bytes; JSON, CSV, charts, similarity, a spreadsheet, bad and huge files.
"use strict";

const assert = require("assert/strict");
const fs = require("fs");
const os = require("os");
const path = require("path");
const { execFileSync, spawnSync } = require("child_process");
const { root, openPage, download, run } = require("./browser");
const workbooks = require("./workbooks");

const golden = path.join(root, "tests", "analysis", "golden");
const similarityGolden = path.join(root, "tests", "similarity", "golden");
const diversityGolden = path.join(root, "tests", "diversity", "golden");
const comparisonGolden = path.join(root, "tests", "comparison", "golden");
const figuresGolden = path.join(root, "tests", "figures", "golden");
// The native command-line tool, for the bytes the page must give.
const nativeTool = process.env.ZAV_NATIVE_CLI || ["build-core", "build"].map((d) => path.join(root, d, "src", "cli", "zaviro-relatorio"))
  .find((f) => fs.existsSync(f));
function native(...args) { return execFileSync(nativeTool, args, { stdio: ["ignore", "pipe", "pipe"] }); }
const screenshot = process.argv[2] || path.join(root, "build", "web-test", "pagina.png");

// The golden bytes as the page writes them: the file named by its name
// alone (a browser never sees the path), the date line left out.
function asThePageWrites(bytes, name) {
  let text = bytes.toString("latin1");
  text = text.replace(/\r\nArquivo: [^\r]*\r\n/, "\r\nArquivo: " + name + "\r\n");
  return withoutDate(text);
}
function withoutDate(text) { return text.replace(/Data: [^\r\n]*/, "Data:").replace(/"data": "[^"]*"/, '"data":'); }
// Imports a spreadsheet chosen in the page (its sheet `sheet` when given),
// and gives the page's message, or else its data file and warning.
// `layout`: 0 one row per species, 1 one column per collection, 2 one row per record.
async function importSheet(ctx, file, { sheet = "", collections = "10", layout = 0 } = {}) {
  const { page } = ctx;
  await page.$eval("#tabela", (e) => { e.value = ""; e.dispatchEvent(new Event("input")); });
  await (await page.$("#planilha")).uploadFile(file);
  // The sheets are listed before Importar is enabled again.
  await page.waitForFunction(() => !document.getElementById("importar").disabled);
  const sheets = await page.$$eval("#folha option", (o) => o.map((e) => e.value));
  if (sheet) await page.select("#folha", sheet);
  await page.$eval("#coletas", (e, c) => { e.value = c; }, collections);
  await page.select("#forma", String(layout));
  await page.evaluate(() => { document.getElementById("relatorio").textContent = ""; });
  await page.click("#importar");
  await page.waitForFunction(() => document.getElementById("relatorio").textContent !== "" || !document.getElementById("mensagem").hidden);
  const shown = await page.$eval("#mensagem", (e) => (e.hidden ? "" : e.textContent));
  if (shown) return { message: shown, sheets };
  const name = path.basename(file).replace(/\.[^.]*$/, "") + ".txt";
  return { data: await download(ctx, "#baixar-dados", name), warning: await page.$eval("#aviso", (e) => (e.hidden ? "" : e.textContent)), sheets };
}
// What the page drew of each chart: its title, the labels of its axes, its
// series' styles and number of points, its bars' values; and the same read
// from the figures the native core gives (tests/figures/golden).
async function drawnCharts(page) {
  return page.$$eval("#graficos figure svg", (svgs) => svgs.map((svg) => ({
    title: svg.querySelector("title").textContent,
    x: Array.from(svg.querySelectorAll("text.marca-x"), (t) => t.textContent),
    y: Array.from(svg.querySelectorAll("text.marca-y"), (t) => t.textContent),
    y2: Array.from(svg.querySelectorAll("text.marca-y2"), (t) => t.textContent),
    series: Array.from(svg.querySelectorAll("g.serie"), (g) => g.dataset.estilo + " " + g.dataset.pontos),
    bars: Array.from(svg.querySelectorAll("rect.barra"), (r) => Number(r.dataset.valor)),
  })));
}
function goldenCharts(file) {
  return JSON.parse(fs.readFileSync(path.join(figuresGolden, file), "utf8")).map((f) => ({
    title: f.titulo, x: f.x.marcas.map((m) => m[1]), y: f.y.marcas.map((m) => m[1]), y2: f.y2 ? f.y2.marcas.map((m) => m[1]) : [],
    series: f.series.map((s) => s.estilo + " " + s.pontos.length),
    bars: [].concat(...f.series.filter((s) => s.estilo === "barras").map((s) => s.pontos.map((p) => p[1]))),
  }));
}
// The core's table of run kinds as the page receives it, from a worker of its own.
function runKinds(page) {
  return page.evaluate(() => new Promise((resolve) => {
    const worker = new Worker(URL.createObjectURL(new Blob([ZAV_CORE_WORKER], { type: "text/javascript" })));
    worker.onmessage = (e) => { worker.terminate(); resolve(e.data.result); };
    worker.postMessage({ id: 1, op: "kinds" });
  }));
}
// Step 2 of "Como usar": its text, and what it puts in bold.
function stepTwo(page) {
  return page.$eval("#passo-analises", (e) => ({ text: e.textContent, bold: Array.from(e.querySelectorAll("b"), (b) => b.textContent) }));
}
// ZAV_PAGE_CHECKS=regex runs only the checks whose names match it.
const only = process.env.ZAV_PAGE_CHECKS ? new RegExp(process.env.ZAV_PAGE_CHECKS) : null;
function check(name, fn) {
  if (only && !only.test(name)) return Promise.resolve();
  return fn().then(() => console.log("ok   " + name), (e) => { console.log("FAIL " + name); throw e; });
}

(async () => {
  const ctx = await openPage();
  const { page } = ctx;
  const tmp = fs.mkdtempSync(path.join(os.tmpdir(), "zaviro-page-"));
  fs.mkdirSync(path.dirname(screenshot), { recursive: true });
  try {
    await check("relatorio e download byte a byte", async () => {
      await run(page, "#arquivo", [path.join(golden, "dez-especies.txt")], "#calcular");
      const expected = asThePageWrites(fs.readFileSync(path.join(golden, "dez-especies.relatorio")), "dez-especies.txt");
      const shown = await page.$eval("#relatorio", (e) => e.textContent);
      assert.equal(withoutDate(shown), Buffer.from(expected, "latin1").toString("latin1").replace(/[\x80-\xff]/g, (c) => new TextDecoder("windows-1252").decode(Buffer.from(c, "latin1"))));
      const saved = await download(ctx, "#baixar-relatorio", "dez-especies-relatorio.txt");
      assert.equal(withoutDate(saved.toString("latin1")), expected);
      assert.match(saved.toString("latin1"), /\r\nData: \d+\/\d+\/\d{4} - \d+:\d+:\d+:\d+\r\n/);
    });

    await check("JSON e CSV", async () => {
      const json = JSON.parse((await download(ctx, "#baixar-json", "dez-especies.json")).toString("utf8"));
      assert.equal(json.arquivo, "dez-especies.txt");
      assert.equal(json.numero_especies, 10);
      assert.equal(json.shannon.H, 2.0498407203926647);
      const csv = await download(ctx, "#baixar-csv", "dez-especies.csv");
      assert.deepEqual(csv, fs.readFileSync(path.join(golden, "dez-especies.csv")));
    });

    await check("graficos iguais aos do programa: as figuras do nucleo, desenhadas na mesma ordem e com os mesmos valores", async () => {
      assert.equal(await page.evaluate(() => window.zaviroLastFigures), fs.readFileSync(path.join(figuresGolden, "dez-especies.figuras.json"), "utf8"));
      assert.deepEqual(await drawnCharts(page), goldenCharts("dez-especies.figuras.json"));
      // The desktop's order of the classes, from the lowest.
      assert.deepEqual((await drawnCharts(page))[2].x, ["r", "d", "c", "a", "ma", "sa"]);
    });

    await check("graficos a partir das figuras, salvos em SVG e PNG", async () => {
      const titles = await page.$$eval("#graficos svg > title", (t) => t.map((e) => e.textContent));
      assert.deepEqual(titles, ["Abundância das espécies por posição (Whittaker)", "Dominância", "Abundância", "Frequência", "Constância"]);
      const svg = await download(ctx, "figure[data-nome=whittaker] button:nth-of-type(1)", "dez-especies-whittaker.svg");
      assert.match(svg.toString(), /^<svg xmlns="http:\/\/www.w3.org\/2000\/svg"/);
      assert.equal((svg.toString().match(/<circle|<rect x/g) || []).length >= 10, true);
      const png = await download(ctx, "figure[data-nome=dominancia] button:nth-of-type(2)", "dez-especies-dominancia-85mm.png");
      assert.deepEqual([...png.subarray(1, 4)], [0x50, 0x4e, 0x47]);
      // 85 mm at 300 dpi: 1004 pixels wide, the resolution in its pHYs chunk.
      assert.equal(png.readUInt32BE(16), 1004);
      assert.equal(png.toString("latin1", 37, 41), "pHYs");
      assert.equal(png.readUInt32BE(41), 11811);
      const wide = await download(ctx, "figure[data-nome=dominancia] button:nth-of-type(3)", "dez-especies-dominancia-175mm.png");
      assert.equal(wide.readUInt32BE(16), 2067);
      assert.equal(await page.$eval("figure[data-nome=dominancia] button:nth-of-type(1)", (e) => e.getAttribute("aria-label")),
        "Salvar SVG do gráfico Dominância");
    });

    await check("nomes das especies: lidos apos as linhas, no grafico e em Copiar tabela", async () => {
      const named = path.join(tmp, "nomes.txt");
      const names = Array.from({ length: 10 }, (_, k) => "Espécie " + "ABCDEFGHIJ"[k]);
      fs.writeFileSync(named, Buffer.concat([fs.readFileSync(path.join(golden, "dez-especies.txt")),
        Buffer.from("[nomes]\r\n" + names.join("\r\n") + "\r\nnunca lido\r\n", "latin1")]));
      await run(page, "#arquivo", [named], "#calcular");
      const json = JSON.parse((await download(ctx, "#baixar-json", "nomes.json")).toString("utf8"));
      assert.deepEqual(json.especies.map((s) => s.nome), json.especies.map((s) => names[s.especie - 1]));
      const labels = await page.$$eval("figure[data-nome=whittaker] svg text.rotulo", (t) => t.map((e) => e.textContent));
      assert.deepEqual(labels.sort(), json.especies.filter((s) => s.predominante).map((s) => s.nome).sort());
      assert.ok(labels.length > 0);
      // The clipboard as the page fills it.
      await page.evaluate(() => {
        navigator.clipboard.write = async (items) => {
          window.copied = {};
          for (const type of items[0].types) window.copied[type] = await (await items[0].getType(type)).text();
        };
      });
      await page.click("#copiar-tabela");
      await page.waitForFunction(() => window.copied);
      const copied = await page.evaluate(() => window.copied);
      const rows = copied["text/plain"].trim().split("\n").map((r) => r.split("\t"));
      assert.equal(rows.length, 11);
      assert.ok(rows[1].includes(names[0]));
      assert.match(copied["text/html"], /<table[^]*Espécie A[^]*<\/table>/);
      // Decimals as the browser's language writes them (pt-BR), as the
      // desktop copies them in the system's.
      assert.match(copied["text/plain"], /\t\d+,\d{4}\t/);
      assert.doesNotMatch(copied["text/plain"], /\d\.\d/);
      // The species table as .xlsx: the native tool's cells, and read back
      // by the native import as its own.
      const book = path.join(tmp, "nomes-tabela.xlsx");
      fs.writeFileSync(book, await download(ctx, "#baixar-xlsx", "nomes-tabela.xlsx"));
      const nativeBook = path.join(tmp, "nativa.xlsx");
      fs.writeFileSync(nativeBook, native("--xlsx", named));
      // Both write the CSV's digits (as many as give the number back),
      // each with its own shortest printing: the same to 15.
      const fifteen = (c) => c.replace(/ n (\S+)$/, (m, v) => " n " + Number(Number(v).toPrecision(15)));
      const cells = workbooks.xlsxCells(fs.readFileSync(book));
      assert.deepEqual(cells.map(fifteen), workbooks.xlsxCells(fs.readFileSync(nativeBook)).map(fifteen));
      assert.ok(cells.some((c) => /^C2 n \d+$/.test(c)));
      assert.ok(cells.some((c) => /^E2 n \d+\.\d+$/.test(c)) && cells.some((c) => /^K2 b [01]$/.test(c)));
      assert.deepEqual(native("--importar", book, "--coletas", "10"), native("--importar", nativeBook, "--coletas", "10"));
    });

    await check("arquivo com erro: a mensagem do programa", async () => {
      const bad = path.join(tmp, "ruim.txt");
      fs.writeFileSync(bad, "2 10\r\n5 x\r\n1 1\r\n");
      await run(page, "#arquivo", [bad], "#calcular");
      assert.equal(await page.$eval("#mensagem", (e) => e.textContent),
        'Erro: Verifique o arquivo de dados!\nLinha 2: "x" não é um número inteiro');
      // Beside the input that caused it.
      assert.equal(await page.$eval("#mensagem", (e) => e.closest("fieldset")?.contains(document.getElementById("arquivo"))), true);
      assert.equal(await page.$eval("#baixar-relatorio", (e) => e.disabled), true);
      // A spreadsheet saved as CSV: the page's own part named, not the desktop's menu.
      fs.writeFileSync(bad, "Espécie;Indivíduos;Coletas\r\nApis;3;1\r\n");
      await run(page, "#arquivo", [bad], "#calcular");
      assert.equal(await page.$eval("#mensagem", (e) => e.textContent), "Erro: Verifique o arquivo de dados!\nLinha 1: o arquivo " +
        "parece uma planilha; importe-o em \u201c3. Planilha ou tabela colada\u201d, nesta página");
    });

    await check("arquivo enorme: so as linhas prometidas sao lidas", async () => {
      const huge = path.join(tmp, "enorme.txt");
      const fd = fs.openSync(huge, "w");
      fs.writeSync(fd, "3 10\r\n5 2\r\n3 1\r\n9 4\r\n");
      const block = Buffer.alloc(8 << 20, "lixo que nunca é lido\r\n");
      for (let i = 0; i < 64; ++i) fs.writeSync(fd, block); // 512 MiB after the promised lines
      fs.closeSync(fd);
      await run(page, "#arquivo", [huge], "#calcular");
      assert.match(await page.$eval("#relatorio", (e) => e.textContent), /Número de espécies {11}=> 3/);
      fs.rmSync(huge);
    });

    await check("similaridade com a legenda dos tratamentos", async () => {
      const files = ["t1.txt", "t2.txt", "t3.txt"].map((f) => path.join(similarityGolden, f));
      await run(page, "#tratamentos", files, "#similaridade");
      const saved = await download(ctx, "#baixar-relatorio", "similaridade-relatorio.txt");
      assert.equal(withoutDate(saved.toString("latin1")),
        withoutDate(fs.readFileSync(path.join(similarityGolden, "tres-tratamentos.relatorio")).toString("latin1")));
      assert.deepEqual(await drawnCharts(page), goldenCharts("similaridade.figuras.json"));
      const key = await page.$$eval("#graficos svg text.chave", (t) => t.map((e) => e.textContent));
      assert.deepEqual(key.slice(0, 4), ["Tratamentos", "T1 = t1.txt", "T2 = t2.txt", "T3 = t3.txt"]);
      await run(page, "#tratamentos", files.slice(0, 2), "#similaridade");
      assert.equal(await page.$eval("#mensagem", (e) => e.textContent), "Erro: Digite 3 ou mais conjuntos de dados");
    });

    await check("flutuacao: relatorio e CSV iguais aos da linha de comando, com a defasagem", async () => {
      const file = path.join(diversityGolden, "dez-especies-coletas.txt");
      await page.$eval("#defasagem", (e) => { e.value = "1"; });
      await run(page, "#arquivo", [file], "#flutuacao");
      assert.equal(await page.$eval("#mensagem", (e) => (e.hidden ? "" : e.textContent)), "");
      const shown = await page.$eval("#relatorio", (e) => e.textContent);
      assert.match(shown, /^ZAVIRO - FLUTUAÇÃO POPULACIONAL/m);
      assert.match(shown, /defasagem de 1 coleta\)/);
      const expected = asThePageWrites(native("--flutuacao", "--defasagem", "1", file), "dez-especies-coletas.txt");
      const saved = await download(ctx, "#baixar-relatorio", "dez-especies-coletas-flutuacao-relatorio.txt");
      assert.equal(withoutDate(saved.toString("latin1")), expected);
      const csv = await download(ctx, "#baixar-csv", "dez-especies-coletas-flutuacao.csv");
      assert.deepEqual(csv, native("--flutuacao", "--csv", "--defasagem", "1", file));
      await page.$eval("#defasagem", (e) => { e.value = "0"; });
      // Its charts: the native core's figures, drawn with the dates and the weather's axis.
      await run(page, "#arquivo", [file], "#flutuacao");
      assert.equal(await page.evaluate(() => window.zaviroLastFigures), fs.readFileSync(path.join(figuresGolden, "flutuacao.figuras.json"), "utf8"));
      assert.deepEqual(await drawnCharts(page), goldenCharts("flutuacao.figuras.json"));
      // The third variable and the first predominant species chosen: the
      // native core's figures for them, without running the analysis again.
      const chosen = JSON.parse(fs.readFileSync(path.join(figuresGolden, "flutuacao-escolhas.figuras.json"), "utf8"));
      await page.select("#grafico-clima", "2");
      const species = await page.$$eval("#grafico-serie option", (o) => o.map((e) => e.value));
      await page.select("#grafico-serie", species[2]);
      await page.waitForFunction((t) => Array.from(document.querySelectorAll("#graficos svg > title")).some((e) => e.textContent === t),
        {}, chosen[chosen.length - 1].titulo);
      assert.match(chosen[chosen.length - 1].titulo, / × /);
      assert.equal(await page.evaluate(() => window.zaviroLastFigures), fs.readFileSync(path.join(figuresGolden, "flutuacao-escolhas.figuras.json"), "utf8"));
      assert.deepEqual(await drawnCharts(page), goldenCharts("flutuacao-escolhas.figuras.json"));
    });

    await check("diversidade: relatorio igual ao da linha de comando, JSON, CSV e curvas", async () => {
      const file = path.join(diversityGolden, "girdled.txt");
      await run(page, "#arquivo", [file], "#diversidade");
      const expected = asThePageWrites(native("--diversidade", file), "girdled.txt");
      const shown = await page.$eval("#relatorio", (e) => e.textContent);
      assert.match(shown, /^ZAVIRO - DIVERSIDADE/m);
      const saved = await download(ctx, "#baixar-relatorio", "girdled-diversidade-relatorio.txt");
      assert.equal(withoutDate(saved.toString("latin1")), expected);
      const json = (await download(ctx, "#baixar-json", "girdled-diversidade.json")).toString("utf8");
      assert.equal(withoutDate(json), withoutDate(native("--diversidade", "--json", file).toString("utf8")
        .replace(/"arquivo": "[^"]*"/, '"arquivo": "girdled.txt"')));
      const csv = await download(ctx, "#baixar-csv", "girdled-diversidade.csv");
      assert.deepEqual(csv, native("--diversidade", "--csv", file));
      assert.deepEqual(await drawnCharts(page), goldenCharts("girdled.figuras.json"));
      const titles = await page.$$eval("#graficos svg > title", (t) => t.map((e) => e.textContent));
      assert.deepEqual(titles, ["Números de Hill por indivíduos", "Riqueza por coletas (q\u00a0=\u00a00)", "Cobertura da amostra por indivíduos"]);
      // Each Hill curve: a solid and a dashed part, a dot at the sample, a band.
      const hill = await page.$eval("figure[data-nome=hill] svg", (e) => ({
        solid: e.querySelectorAll('path[stroke-width="2"]:not([stroke-dasharray])').length,
        dashed: e.querySelectorAll('path[stroke-dasharray="6 4"]').length,
        bands: e.querySelectorAll("path[fill-opacity]").length,
        dots: Array.from(e.querySelectorAll("circle > title"), (t) => t.textContent),
      }));
      assert.deepEqual(hill, { solid: 3, dashed: 3, bands: 3,
        dots: ["q = 0 (riqueza): 26.00", "q = 1 (exp de Shannon): 12.06", "q = 2 (inverso de Simpson): 7.84"].map((t) => t.replace(/ = /, "\u00a0=\u00a0")) });
      const svg = await download(ctx, "figure[data-nome=coletas] button:nth-of-type(1)", "girdled-diversidade-coletas.svg");
      assert.match(svg.toString(), /^<svg xmlns="http:\/\/www.w3.org\/2000\/svg"[^]*Riqueza por coletas/);
      const png = await download(ctx, "figure[data-nome=hill] button:nth-of-type(2)", "girdled-diversidade-hill-85mm.png");
      assert.deepEqual([...png.subarray(1, 4)], [0x50, 0x4e, 0x47]);
      await page.$eval("figure[data-nome=hill]", (e) => e.scrollIntoView());
      await page.screenshot({ path: screenshot.replace(/\.png$/, "-diversidade.png") });
    });

    await check("comparacao de 3 tratamentos nomeados: relatorio, JSON e dendrograma", async () => {
      const files = ["t1.txt", "t2.txt", "t3.txt"].map((f) => path.join(similarityGolden, f));
      await page.$eval("#indice", (e) => { e.value = "sorensen"; });
      await run(page, "#tratamentos", files, "#comparacao");
      const saved = await download(ctx, "#baixar-relatorio", "comparacao-relatorio.txt");
      assert.equal(withoutDate(saved.toString("latin1")), withoutDate(native("--comparacao", ...files).toString("latin1")));
      const json = (await download(ctx, "#baixar-json", "comparacao.json")).toString("utf8");
      assert.equal(json, native("--comparacao", "--json", ...files).toString("utf8"));
      // The leaves in the tree's order, as on the desktop.
      assert.deepEqual(await drawnCharts(page), goldenCharts("comparacao.figuras.json"));
      const leaves = await page.$$eval("figure[data-nome=dendrograma] svg text", (t) => t.map((e) => e.textContent));
      assert.deepEqual(leaves.filter((s) => /^T\d = /.test(s)), ["T1 = t1.txt", "T2 = t2.txt", "T3 = t3.txt"]);
      const r = JSON.parse(json).dendrograma.correlacao_cofenetica;
      assert.ok(leaves.includes("Correlação cofenética: " + r.toFixed(4)));
      // Names typed for the treatments go to the report and the leaves.
      await page.$$eval("#lista-tratamentos input", (inputs) => inputs.forEach((e, i) => { e.value = ["Mata ciliar 2023/24", "Pasto", "Milho"][i]; }));
      await page.$eval("#indice", (e) => { e.value = "bray-curtis"; });
      await page.click("#comparacao");
      await page.waitForFunction(() => (document.querySelector("figure[data-nome=dendrograma] svg")?.textContent || "").includes("Mata"));
      const named = await page.$$eval("figure[data-nome=dendrograma] svg text", (t) => t.map((e) => e.textContent));
      assert.deepEqual(named.filter((s) => /^T\d = /.test(s)), ["T1 = Mata ciliar 2023/24", "T2 = Pasto", "T3 = Milho"]);
      assert.ok(named.includes("Dissimilaridade de Bray-Curtis"));
      assert.match(await page.$eval("#relatorio", (e) => e.textContent), /T1 = Mata ciliar 2023\/24\r?\n/);
      await page.$eval("figure[data-nome=dendrograma]", (e) => e.scrollIntoView());
      await page.screenshot({ path: screenshot.replace(/\.png$/, "-dendrograma.png") });
      await run(page, "#tratamentos", files.slice(0, 1), "#comparacao");
      assert.equal(await page.$eval("#mensagem", (e) => e.textContent), "Erro: Digite 2 ou mais conjuntos de dados");
    });

    await check("comunidades de 3 tratamentos: relatorio, JSON, ordenacao e indicadoras", async () => {
      const files = ["mata.txt", "borda.txt", "pasto.txt"].map((f) => path.join(root, "tests", "communities", "data", f));
      await page.$eval("#indice-comunidades", (e) => { e.value = "jaccard"; });
      await page.$eval("#permutacoes", (e) => { e.value = "199"; });
      await run(page, "#tratamentos", files, "#comunidades");
      const options = ["--comunidades", "--indice", "jaccard", "--permutacoes", "199"];
      const saved = await download(ctx, "#baixar-relatorio", "comunidades-relatorio.txt");
      assert.equal(withoutDate(saved.toString("latin1")), withoutDate(native(...options, ...files).toString("latin1")));
      const json = (await download(ctx, "#baixar-json", "comunidades.json")).toString("utf8");
      // The native tool gives the files' whole paths, the page their names.
      const named = (t) => withoutDate(t).replace(/("arquivo": ")[^"]*\//g, "$1");
      assert.equal(named(json), named(native(...options, "--json", ...files).toString("utf8")));
      // The charts of the default index and permutations, as the native core gives them.
      await page.$eval("#indice-comunidades", (e) => { e.value = "bray-curtis"; });
      await page.$eval("#permutacoes", (e) => { e.value = "999"; });
      await page.click("#comunidades");
      await page.waitForFunction(() => (document.querySelector("figure[data-nome=ordenacao] svg")?.textContent || "").includes("Bray-Curtis"));
      assert.deepEqual(await drawnCharts(page), goldenCharts("comunidades.figuras.json"));
      await page.$eval("figure[data-nome=ordenacao]", (e) => e.scrollIntoView());
      await page.screenshot({ path: screenshot.replace(/\.png$/, "-comunidades.png") });
      await run(page, "#tratamentos", [files[0], path.join(root, "tests", "communities", "data", "sem-coletas.txt")], "#comunidades");
      assert.match(await page.$eval("#mensagem", (e) => e.textContent), /sem-coletas\.txt não tem o bloco \[coletas\]/);
    });

    await check("aviso de tratamentos com numeros diferentes de linhas", async () => {
      const files = ["t1.txt", "t2.txt", "curto.txt"].map((f) => path.join(similarityGolden, f));
      await run(page, "#tratamentos", files, "#similaridade");
      const expected = spawnSync(nativeTool, ["--similaridade", ...files]).stderr.toString("utf8").trim();
      assert.ok(expected.startsWith("Aviso"));
      assert.equal(await page.$eval("#aviso", (e) => !e.hidden && e.textContent), expected);
    });

    await check("tabela colada vira arquivo de dados", async () => {
      await page.$eval("#coletas", (e) => { e.value = "10"; });
      await page.$eval("#tabela", (e) => { e.value = "Espécie\tIndivíduos\tColetas\nApis\t12\t3\nBombus\t4\t1\n"; e.dispatchEvent(new Event("input")); });
      await page.click("#importar");
      await page.waitForSelector("#baixar-dados:not([hidden])");
      const data = await download(ctx, "#baixar-dados", "tabela.txt");
      // The names column goes to the data file's names block.
      assert.equal(data.toString("latin1"), "2      10\r\n12     3\r\n4      1\r\n[nomes]\r\nApis\r\nBombus\r\n");
      assert.match(await page.$eval("#relatorio", (e) => e.textContent), /Arquivo: tabela\.txt/);
    });

    await check("pasta de trabalho .xlsx: a planilha escolhida, formulas pelos valores, igual a --importar", async () => {
      const book = path.join(tmp, "campo.xlsx");
      const shared = ["Nº", "Espécie", "N° de indivíduos", "Col.", "<r><t xml:space=\"preserve\">Ápis </t></r><r><rPr><b/></rPr><t>mellifera</t></r>",
        "Trigona &amp; spinipes", "Total", "3,0", "Melipona"].map((t) => (t.startsWith("<r>") ? t : `<t>${t}</t>`));
      const s = (ref, i) => `<c r="${ref}" t="s"><v>${i}</v></c>`, n = (ref, v, f) => `<c r="${ref}">${f ? `<f>${f}</f>` : ""}<v>${v}</v></c>`;
      fs.writeFileSync(book, workbooks.xlsx({
        Notas: '<row r="1"><c r="A1" t="inlineStr"><is><t>sem espécies</t></is></c></row>',
        Mata: `<row r="1">${s("A1", 0)}${s("B1", 1)}${s("C1", 2)}${s("D1", 3)}</row>` +
          `<row r="2">${n("A2", 1)}${s("B2", 4)}${n("C2", 1234)}${s("D2", 7)}</row>` +
          `<row r="3" spans="1:4">${n("A3", 2)}${s("B3", 5)}<c r="C3" s="1"/><c r="D3" s="1"/></row>` +
          `<row r="4">${n("A4", 3)}${s("B4", 8)}${n("C4", 7)}${n("D4", "1.0")}</row>` +
          `<row r="5">${s("B5", 6)}${n("C5", 1241, "SUM(C2:C4)")}${n("D5", 4, "SUM(D2:D4)")}</row>`,
      }, shared));
      const mata = await importSheet(ctx, book, { sheet: "Mata" });
      assert.deepEqual(mata.sheets, ["Notas", "Mata"]);
      const expected = spawnSync(nativeTool, ["--importar", book, "--planilha", "Mata", "--coletas", "10"]);
      assert.equal(mata.data.toString("latin1"), expected.stdout.toString("latin1"));
      assert.match(mata.data.toString("latin1"), /^3 +10\r\n1234 +3\r\n0 +0\r\n7 +1\r\n\[nomes\]\r\nÁpis mellifera\r\nTrigona & spinipes\r\nMelipona\r\n$/);
      assert.equal(mata.warning, expected.stderr.toString("utf8").trim());
      // The first sheet, chosen by default, has no species: the native message.
      const again = path.join(tmp, "campo-de-novo.xlsx");
      fs.copyFileSync(book, again);
      const first = await importSheet(ctx, again);
      assert.equal(first.message, spawnSync(nativeTool, ["--importar", book, "--coletas", "10"]).stderr.toString("utf8").trim());
      await page.$eval("#entrada", (e) => e.scrollIntoView());
      await importSheet(ctx, book, { sheet: "Mata" });
      await page.screenshot({ path: screenshot.replace(/\.png$/, "-planilha.png") });
    });

    await check("pasta de trabalho .xlsx do programa e .ods de especies por coletas, iguais a --importar", async () => {
      const made = path.join(tmp, "tabela.xlsx"); // written by the native tool
      fs.writeFileSync(made, native("--xlsx", path.join(golden, "dez-especies.txt")));
      const fromTable = await importSheet(ctx, made);
      assert.deepEqual(fromTable.sheets, ["especies"]);
      assert.equal(await page.$eval("#escolha-folha", (e) => e.hidden), true);
      assert.deepEqual(fromTable.data, native("--importar", made, "--coletas", "10"));
      const book = path.join(tmp, "campo.ods");
      const cell = (t) => `<table:table-cell office:value-type="string"><text:p>${t}</text:p></table:table-cell>`;
      fs.writeFileSync(book, workbooks.ods(
        '<table:table table:name="Campo"><table:table-header-rows><table:table-row>' + cell("Espécie") + cell("C1") + cell("C2") + cell("C3") +
        '<table:table-cell table:number-columns-repeated="16000"/></table:table-row></table:table-header-rows>' +
        "<table:table-row>" + cell('Apis<text:s text:c="2"/>mellifera') +
        '<table:table-cell table:number-columns-repeated="3" office:value-type="float" office:value="1" calcext:value-type="float"><text:p>1</text:p></table:table-cell></table:table-row>' +
        '<table:table-row table:number-rows-repeated="2">' + cell("Bombus <text:span>terrestris</text:span>") +
        '<table:table-cell office:value-type="float" office:value="4"/><table:covered-table-cell/><table:table-cell office:value-type="float" office:value="2.0"/></table:table-row>' +
        '<table:table-row table:number-rows-repeated="1048000"><table:table-cell table:number-columns-repeated="1024"/></table:table-row></table:table>' +
        '<table:table table:name="Outra"><table:table-row>' + cell("x") + "</table:table-row></table:table>"));
      const ods = await importSheet(ctx, book, { collections: "", layout: 1 });
      assert.deepEqual(ods.sheets, ["Campo", "Outra"]);
      assert.equal(ods.data.toString("latin1"), native("--importar", book, "--por-coleta").toString("latin1"));
      assert.match(ods.data.toString("latin1"), /^3 +3\r\n3 +3\r\n6 +2\r\n6 +2\r\n\[nomes\]\r\nApis mellifera\r\nBombus terrestris\r\n/);
    });

    await check("datas das celulas .xlsx e planilha clima: por coleta igual a --importar --por-coleta", async () => {
      // Styles: 1 a built-in date (14), 2 a date of its own format, 3 a
      // number format with a quoted "d" (no date), 4 elapsed hours.
      const styles = '<numFmts count="3"><numFmt numFmtId="164" formatCode="dd/mm/yyyy\\ hh:mm"/>' +
        '<numFmt numFmtId="165" formatCode="0.0&quot; d&quot;"/><numFmt numFmtId="166" formatCode="[h]:mm"/></numFmts>' +
        '<cellXfs count="5"><xf numFmtId="0"/><xf numFmtId="14" applyNumberFormat="1"/><xf numFmtId="164"/><xf numFmtId="165"/><xf numFmtId="166"/></cellXfs>';
      const t = (ref, text) => `<c r="${ref}" t="inlineStr"><is><t>${text}</t></is></c>`;
      const n = (ref, v, style = 0) => `<c r="${ref}"${style ? ` s="${style}"` : ""}><v>${v}</v></c>`;
      const book = path.join(tmp, "coletas-datas.xlsx");
      fs.writeFileSync(book, workbooks.xlsx({
        Campo: `<row r="1">${t("A1", "Espécie")}${n("B1", 45352, 1)}${n("C1", "45366.5", 2)}${n("D1", 45380, 1)}</row>` +
          `<row r="2">${t("A2", "Apis mellifera")}${n("B2", 3, 3)}${n("C2", 0, 3)}${n("D2", 5)}</row>` +
          `<row r="3">${t("A3", "Bombus")}${n("B3", 1)}${n("C3", 2)}${n("D3", 0)}</row>`,
        " CLIMA": `<row r="1">${t("A1", "Data")}${t("B1", "chuva")}${t("C1", "temp max")}</row>` +
          `<row r="2">${n("A2", 45352, 1)}${n("B2", "12.5")}${n("C2", 30)}</row>` +
          `<row r="3">${n("A3", "45366.5", 2)}${n("B3", 0)}${n("C3", "27.25")}</row>` +
          `<row r="4">${n("A4", 45380, 1)}${n("B4", 40)}${n("C4", 25)}</row>`,
      }, [], { styles }));
      const expected = spawnSync(nativeTool, ["--importar", book, "--por-coleta"]);
      const imported = await importSheet(ctx, book, { sheet: "Campo", collections: "", layout: 1 });
      assert.equal(imported.message, undefined);
      assert.equal(imported.data.toString("latin1"), expected.stdout.toString("latin1"));
      assert.match(imported.data.toString("latin1"), /\[coletas\]\r\n2024-03-01 3 1\r\n2024-03-15 0 2\r\n2024-03-29 5 0\r\n\[clima\]\r\nchuva temp_max\r\n12,5 30\r\n0 27,25\r\n/);
      assert.equal(imported.warning, expected.stderr.toString("utf8").trim());
      assert.match(imported.warning, /^Clima lido da planilha " CLIMA": 2 variáveis/);
      assert.equal(await page.$eval("#fonte", (e) => e.textContent), "Importado da planilha coletas-datas.xlsx, folha Campo. Clima da folha  CLIMA.");
      // A species sheet takes no weather, as the native import.
      const lines = await importSheet(ctx, book, { sheet: "Campo", layout: 0 });
      assert.ok(lines.message);
      assert.equal(lines.message, spawnSync(nativeTool, ["--importar", book, "--coletas", "10"]).stderr.toString("utf8").trim());
      // In the 1904 system, records of a workbook: dates in a date column,
      // a time of day, elapsed hours.
      const records = path.join(tmp, "registros-1904.xlsx");
      fs.writeFileSync(records, workbooks.xlsx({
        Registros: `<row r="1">${t("A1", "Data")}${t("B1", "Espécie")}${t("C1", "Indivíduos")}</row>` +
          `<row r="2">${n("A2", 43890, 1)}${t("B2", "Apis")}${n("C2", 2)}</row>` +
          `<row r="3">${n("A3", "43890.75", 2)}${t("B3", "Bombus")}${n("C3", 1)}</row>` +
          `<row r="4">${n("A4", 43904, 4)}${t("B4", "Apis")}${n("C4", 4)}</row>`,
      }, [], { styles, date1904: true }));
      const fromRecords = await importSheet(ctx, records, { collections: "", layout: 2 });
      assert.equal(fromRecords.message, undefined);
      assert.equal(fromRecords.data.toString("latin1"), native("--importar", records, "--registros").toString("latin1"));
      assert.match(fromRecords.data.toString("latin1"), /\[coletas\]\r\n2024-03-01 2 1\r\n2024-03-15 4 0\r\n$/);
    });

    await check("registros em CSV: igual a --importar --registros; o erro do nucleo", async () => {
      const file = path.join(tmp, "registros.csv");
      fs.writeFileSync(file, "Data;Espécie;Indivíduos\r\n01/03/2024;Apis mellifera;3\r\n01/03/2024;Bombus;1\r\n" +
        "2024-03-15;Apis mellifera;2\r\n15/03/2024;Apis mellifera;1\r\n29/03/2024;Melipona;4\r\n");
      const imported = await importSheet(ctx, file, { collections: "", layout: 2 });
      assert.equal(imported.message, undefined);
      assert.equal(imported.data.toString("latin1"), native("--importar", file, "--registros").toString("latin1"));
      assert.match(imported.data.toString("latin1"), /^3 +3\r\n6 +2\r\n1 +1\r\n4 +1\r\n/);
      fs.writeFileSync(file, "Data;Espécie;Indivíduos\r\n31/02/2024;Apis;3\r\n");
      const refused = await importSheet(ctx, file, { collections: "", layout: 2 });
      assert.equal(refused.message, spawnSync(nativeTool, ["--importar", file, "--registros"]).stderr.toString("utf8").trim());
    });

    await check("nucleo da pagina: registros com o clima de um CSV, igual a --importar --registros --clima", async () => {
      const records = path.join(tmp, "registros-clima.csv"), weather = path.join(tmp, "clima.csv");
      fs.writeFileSync(records, "Data;Espécie;Indivíduos\r\n01/03/2024;Apis;3\r\n15/03/2024;Bombus;1\r\n29/03/2024;Apis;2\r\n");
      // The core's worker, as the page starts it, asked directly.
      const ask = (weatherText) => page.evaluate(async (data, text) => {
        const worker = new Worker(URL.createObjectURL(new Blob([ZAV_CORE_WORKER], { type: "text/javascript" })));
        const answer = await new Promise((resolve) => {
          worker.onmessage = (e) => resolve(e.data);
          worker.postMessage({ id: 1, op: "run", args: { kind: "import", bytes: new TextEncoder().encode(data), layout: 2, collections: 0,
            weather: { bytes: new TextEncoder().encode(text), fromSheet: false }, name: "registros-clima.txt", when: [8, 12, 2026, 1, 0, 0, 0] } });
        });
        worker.terminate();
        const r = answer.result;
        return { status: r.status, dataFile: r.status === 0 ? new TextDecoder("latin1").decode(r.dataFile) : "", message: new TextDecoder().decode(r.message) };
      }, fs.readFileSync(records, "utf8"), weatherText);
      const weatherText = "Data;chuva;umidade relativa\r\n29/03/2024;3;80\r\n01/03/2024;12,5;-\r\n15/03/2024;0;75,5\r\n";
      fs.writeFileSync(weather, weatherText);
      const given = await ask(weatherText);
      assert.equal(given.message, "");
      assert.equal(given.dataFile, native("--importar", records, "--registros", "--clima", weather).toString("latin1"));
      assert.match(given.dataFile, /\[clima\]\r\nchuva umidade_relativa\r\n12,5 -\r\n0 75,5\r\n3 80\r\n$/);
      fs.writeFileSync(weather, weatherText.replace("75,5", "abc"));
      const refused = await ask(weatherText.replace("75,5", "abc"));
      assert.equal(refused.status, 1);
      assert.equal(refused.message, spawnSync(nativeTool, ["--importar", records, "--registros", "--clima", weather]).stderr.toString("utf8").trim());
    });

    await check("pasta de trabalho ruim: a mensagem do programa", async () => {
      const bad = path.join(tmp, "ruim.xlsx");
      fs.writeFileSync(bad, workbooks.zip({ "leia.txt": "nada aqui" }));
      const page1 = await importSheet(ctx, bad);
      assert.equal(page1.message, spawnSync(nativeTool, ["--importar", bad, "--coletas", "10"]).stderr.toString("utf8").trim());
      const cut = path.join(tmp, "cortada.xlsx");
      fs.writeFileSync(cut, fs.readFileSync(path.join(tmp, "campo.xlsx")).subarray(0, 300));
      assert.equal((await importSheet(ctx, cut)).message, page1.message);
      // A count typed as the text "1.000" is refused as the native import
      // refuses it (a thousands separator), though the number 1 beside it
      // is read.
      const typed = path.join(tmp, "milhar.xlsx");
      fs.writeFileSync(typed, workbooks.xlsx({ A: '<row r="1"><c r="A1" t="inlineStr"><is><t>1.000</t></is></c><c r="B1"><v>1</v></c></row>' +
        '<row r="2"><c r="A2"><v>3</v></c><c r="B2"><v>1.0</v></c></row>' }, []));
      const refused = spawnSync(nativeTool, ["--importar", typed, "--coletas", "10"]).stderr.toString("utf8").trim();
      assert.match(refused, /separador de milhar/);
      assert.equal((await importSheet(ctx, typed)).message, refused);
      // The bounds: a part that says it unpacks beyond 256 MiB, a file over 64 MiB.
      const inflated = workbooks.ods('<table:table table:name="a"></table:table>');
      const end = inflated.lastIndexOf(Buffer.from([0x50, 0x4b, 5, 6]));
      const content = inflated.indexOf("content.xml", inflated.readUInt32LE(end + 16)) - 46;
      inflated.writeUInt32LE(300 << 20, content + 24);
      const huge = path.join(tmp, "inflada.ods");
      fs.writeFileSync(huge, inflated);
      assert.equal((await importSheet(ctx, huge)).message, "Erro: planilha: a pasta de trabalho passa de 256 MiB descompactada");
      const big = path.join(tmp, "enorme.xlsx");
      fs.writeFileSync(big, "PK\x03\x04");
      fs.truncateSync(big, (64 << 20) + 1);
      assert.equal((await importSheet(ctx, big)).message, spawnSync(nativeTool, ["--importar", big, "--coletas", "10"]).stderr.toString("utf8").trim());
      assert.equal(spawnSync(nativeTool, ["--importar", huge, "--coletas", "10"]).stderr.toString("utf8").trim(),
        "Erro: planilha: a pasta de trabalho passa de 256 MiB descompactada");
    });

    await check("exemplo, ajuda, versao, elementos ocultos", async () => {
      await page.evaluate(() => { document.getElementById("relatorio").textContent = ""; });
      await page.click("#exemplo");
      await page.waitForFunction(() => document.getElementById("relatorio").textContent !== "");
      const expected = asThePageWrites(fs.readFileSync(path.join(golden, "dez-especies.relatorio")), "dez-especies.txt");
      const saved = await download(ctx, "#baixar-relatorio", "dez-especies-relatorio.txt");
      assert.equal(withoutDate(saved.toString("latin1")), expected);
      assert.ok(fs.readFileSync(path.join(root, "examples", "dez-especies.txt")).equals(fs.readFileSync(path.join(golden, "dez-especies.txt"))));
      assert.match(await page.$eval("#versao", (e) => e.textContent), /^\d+\.\d+\.\d+$/);
      // The core runs in its worker, not in the page's thread.
      assert.equal(await page.evaluate(() => typeof createZaviro), "undefined");
      const help = await page.$$eval("dl.classes dd", (d) => d.map((e) => e.textContent).join(", ").split(", ").map((c) => c.split(" ")[0]));
      assert.deepEqual(help, ["SD", "D", "ND", "sa", "ma", "a", "c", "d", "r", "SF", "MF", "F", "PF", "W", "Y", "Z"]);
      const shownHidden = await page.$$eval("[hidden]", (all) => all.filter((e) => getComputedStyle(e).display !== "none").map((e) => e.id));
      assert.deepEqual(shownHidden, []);
      assert.ok(await page.$eval("#escolha-folha", (e) => e.hidden));
      // A browser that refuses the clipboard: the table is shown selected, for Ctrl+C.
      await page.evaluate(() => {
        navigator.clipboard.write = async () => { throw new DOMException("negado", "NotAllowedError"); };
        document.execCommand = () => false;
      });
      await page.click("#copiar-tabela");
      await page.waitForSelector("#copia:not([hidden])");
      assert.match(await page.$eval("#aviso", (e) => e.textContent), /não deixou a página copiar a tabela[^]*Ctrl\+C/);
      assert.match(await page.evaluate(() => window.getSelection().toString()), /100\s/);
    });

    await check("arquivo regravado entre dois cliques: a mensagem, e o relatorio fica", async () => {
      const file = path.join(tmp, "campo.txt");
      fs.copyFileSync(path.join(golden, "dez-especies.txt"), file);
      await run(page, "#arquivo", [file], "#calcular");
      const before = await page.$eval("#relatorio", (e) => e.textContent);
      assert.match(before, /Número de espécies {11}=> 10/);
      await new Promise((r) => setTimeout(r, 1100));
      fs.writeFileSync(file, "3 10\r\n5 2\r\n3 1\r\n9 4\r\n");
      await page.click("#calcular");
      await page.waitForFunction(() => !document.getElementById("mensagem").hidden);
      assert.equal(await page.$eval("#mensagem", (e) => e.textContent),
        "O arquivo campo.txt mudou (ou foi movido) depois de escolhido, e o navegador não o lê mais: escolha-o de novo.");
      assert.equal(await page.$eval("#relatorio", (e) => e.textContent), before);
      assert.equal(await page.$eval("#baixar-relatorio", (e) => e.disabled), false);
      await run(page, "#arquivo", [file], "#calcular");
      assert.match(await page.$eval("#relatorio", (e) => e.textContent), /Número de espécies {11}=> 3/);
    });

    await check("cabecalho de 2^31 - 1 especies: a leitura para na 901a", async () => {
      const file = path.join(tmp, "promete.txt");
      const fd = fs.openSync(file, "w");
      fs.writeSync(fd, "2147483647 10\r\n" + "0 0\r\n".repeat(5) + "1 1\r\n".repeat(1000));
      const block = Buffer.alloc(8 << 20, "1 1\r\n");
      for (let i = 0; i < 8; ++i) fs.writeSync(fd, block);
      fs.closeSync(fd);
      await page.evaluate(() => {
        const slice = Blob.prototype.slice;
        window.readBytes = 0;
        Blob.prototype.slice = function (...args) { const b = slice.apply(this, args); window.readBytes += b.size; return b; };
      });
      await run(page, "#arquivo", [file], "#calcular");
      const expected = spawnSync(nativeTool, [file]).stderr.toString("utf8").trim().replace(/^Error: /, "Erro: ");
      assert.match(expected, /mais de 900 espécies/);
      assert.equal(await page.$eval("#mensagem", (e) => e.textContent), expected);
      assert.ok(await page.evaluate(() => window.readBytes) < 1 << 20);
    });

    await check("rotulos do Whittaker sem sobreposicao, com a nota dos que couberam", async () => {
      const placed = await page.evaluate(() => {
        // 60 predominant species, the first five set apart, every second named.
        const pontos = Array.from({ length: 60 }, (_, k) => [k + 1, 600 - k * 9]);
        const figure = { nome: "whittaker", titulo: "Whittaker", notas: [], chave: [], notas_da_chave: 0,
          x: { titulo: "posição", min: 0, max: 61, escala: "linear", marcas: [[1, "1"], [60, "60"]] },
          y: { titulo: "indivíduos", min: 10, max: 1000, escala: "log", marcas: [[10, "10"], [100, "100"], [1000, "1000"]] },
          series: [{ nome: "Espécies", estilo: "linha", cor: "especies", pontos },
            { nome: "Super", estilo: "quadrados", cor: "super", pontos: pontos.slice(0, 5) },
            { nome: "Predominantes", estilo: "estrelas", cor: "predominantes", pontos,
              rotulos: pontos.map((p, k) => [[k % 2 ? "Espécie de nome longo " + k : String(k + 1), k % 2 === 1]]) }],
          notas_de_rotulos: pontos.map((p, k) => "rótulos: as " + k + " mais abundantes de 60 espécies predominantes") };
        const holder = document.createElement("div");
        holder.innerHTML = ZavCharts.draw(figure);
        document.body.appendChild(holder);
        const boxes = Array.from(holder.querySelectorAll("text.rotulo"), (t) => t.getBBox());
        const texts = Array.from(holder.querySelectorAll("text"), (t) => t.textContent);
        holder.remove();
        const overlapping = boxes.some((a, i) => boxes.some((b, j) => i < j &&
          a.x < b.x + b.width && b.x < a.x + a.width && a.y < b.y + b.height && b.y < a.y + a.height));
        return { count: boxes.length, overlapping, note: texts.find((t) => t.startsWith("rótulos:")) };
      });
      assert.equal(placed.overlapping, false);
      assert.ok(placed.count > 2 && placed.count < 60, String(placed.count));
      assert.equal(placed.note, "rótulos: as " + placed.count + " mais abundantes de 60 espécies predominantes");
    });

    await check("soltar arquivos: cada um onde cai; a ultima fonte escolhida vale", async () => {
      const drop = (selector, files) => page.evaluate((sel, list) => {
        const dt = new DataTransfer();
        list.forEach(([name, text]) => dt.items.add(new File([text], name)));
        document.querySelector(sel).dispatchEvent(new DragEvent("drop", { dataTransfer: dt, bubbles: true, cancelable: true }));
      }, selector, files);
      const read = (f) => [f, fs.readFileSync(path.join(similarityGolden, f), "latin1")];
      await drop("#lista-tratamentos", ["t1.txt", "t2.txt", "t3.txt"].map(read));
      assert.deepEqual(await page.$$eval("#lista-tratamentos input", (i) => i.map((e) => e.value)), ["t1.txt", "t2.txt", "t3.txt"]);
      assert.equal(await page.$eval("#similaridade", (e) => e.disabled), false);
      await page.evaluate(() => { document.getElementById("relatorio").textContent = ""; });
      await drop("header", [read("t1.txt")]);
      await page.waitForFunction(() => document.getElementById("relatorio").textContent !== "");
      assert.match(await page.$eval("#relatorio", (e) => e.textContent), /Arquivo: t1\.txt/);
      assert.equal(await page.$eval("#diversidade", (e) => e.disabled), false);
      // Old text in the paste box, then a workbook: the workbook is imported.
      await page.$eval("#tabela", (e) => { e.value = "Espécie\tIndivíduos\tColetas\nApis\t12\t3\n"; e.dispatchEvent(new Event("input")); });
      const made = path.join(tmp, "tabela-solta.xlsx");
      fs.writeFileSync(made, native("--xlsx", path.join(golden, "dez-especies.txt")));
      await page.$eval("#coletas", (e) => { e.value = "10"; });
      await page.evaluate(() => { document.getElementById("relatorio").textContent = ""; });
      await page.evaluate((bytes) => {
        const dt = new DataTransfer();
        dt.items.add(new File([Uint8Array.from(atob(bytes), (c) => c.charCodeAt(0))], "tabela-solta.xlsx"));
        document.getElementById("planilha").dispatchEvent(new DragEvent("drop", { dataTransfer: dt, bubbles: true, cancelable: true }));
      }, fs.readFileSync(made).toString("base64"));
      await page.waitForFunction(() => document.getElementById("relatorio").textContent !== "");
      assert.match(await page.$eval("#relatorio", (e) => e.textContent), /Número de espécies {11}=> 10/);
      assert.equal(await page.$eval("#fonte", (e) => e.textContent), "Importado da planilha tabela-solta.xlsx.");
      await page.$eval("#tabela", (e) => { e.value = ""; e.dispatchEvent(new Event("input")); });
    });

    await check("celular de 390 px: nada transborda; o relatorio rola na sua caixa", async () => {
      await page.setViewport({ width: 390, height: 844 });
      await run(page, "#arquivo", [path.join(golden, "levantamento-30-coletas.txt")], "#calcular");
      const sizes = await page.evaluate(() => ({ page: document.documentElement.scrollWidth,
        box: document.getElementById("relatorio").clientWidth, report: document.getElementById("relatorio").scrollWidth }));
      await page.screenshot({ path: screenshot.replace(/\.png$/, "-celular.png") });
      await page.setViewport({ width: 1280, height: 900 });
      assert.ok(sizes.page <= 390, JSON.stringify(sizes));
      assert.ok(sizes.report > sizes.box, JSON.stringify(sizes));
    });

    await check("impressao: o relatorio inteiro e os graficos, sem os controles", async () => {
      assert.equal(await page.$eval("#imprimir", (e) => e.disabled), false);
      await page.emulateMediaType("print");
      const printed = await page.evaluate(() => {
        const shown = (id) => getComputedStyle(document.getElementById(id)).display !== "none";
        const report = document.getElementById("relatorio");
        return { controls: ["entrada", "acoes"].some(shown), whole: report.scrollHeight <= report.clientHeight + 1 && report.scrollWidth <= report.clientWidth + 1,
          charts: Array.from(document.querySelectorAll("figure.grafico svg"), (e) => e.getBoundingClientRect().height > 100),
          buttons: Array.from(document.querySelectorAll("figure button"), (e) => e.getBoundingClientRect().height) };
      });
      await page.emulateMediaType(null);
      assert.deepEqual(printed, { controls: false, whole: true, charts: [true, true, true, true, true], buttons: new Array(15).fill(0) });
    });

    await check("uma importacao em curso nao substitui o Calcular feito depois", async () => {
      // Shared strings enough to take a while, then a sheet of ten species.
      const many = Array.from({ length: 400000 }, (_, k) => "<t>texto " + k + "</t>");
      const rows = '<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1"><v>1</v></c></row>' +
        Array.from({ length: 10 }, (_, k) => `<row r="${k + 2}"><c r="A${k + 2}"><v>${k + 1}</v></c><c r="B${k + 2}"><v>1</v></c></row>`).join("");
      const book = path.join(tmp, "lenta.xlsx");
      fs.writeFileSync(book, workbooks.xlsx({ Lenta: rows }, many));
      await page.$eval("#tabela", (e) => { e.value = ""; e.dispatchEvent(new Event("input")); });
      await (await page.$("#planilha")).uploadFile(book);
      await page.waitForFunction(() => !document.getElementById("importar").disabled);
      await page.$eval("#coletas", (e) => { e.value = "10"; });
      await page.click("#importar");
      assert.equal(await page.$eval("#importar", (e) => e.disabled), true);
      await page.waitForFunction(() => !document.getElementById("ocupado").hidden);
      await run(page, "#arquivo", [path.join(similarityGolden, "t2.txt")], "#calcular");
      assert.match(await page.$eval("#relatorio", (e) => e.textContent), /Arquivo: t2\.txt/);
      await page.waitForFunction(() => !document.getElementById("importar").disabled, { timeout: 60000 });
      await new Promise((r) => setTimeout(r, 200));
      assert.match(await page.$eval("#relatorio", (e) => e.textContent), /Arquivo: t2\.txt/);
      assert.equal(await page.$eval("#ocupado", (e) => e.hidden), true);
      // Cancelar stops it too, the report shown staying.
      await page.click("#importar");
      await page.waitForFunction(() => !document.getElementById("ocupado").hidden);
      await page.click("#cancelar");
      await page.waitForFunction(() => !document.getElementById("importar").disabled);
      await new Promise((r) => setTimeout(r, 200));
      assert.match(await page.$eval("#relatorio", (e) => e.textContent), /Arquivo: t2\.txt/);
      assert.equal(await page.$eval("#aviso", (e) => e.textContent), "Cancelado: o resultado mostrado é o anterior.");
    });

    await check("parte do zip que mente o tamanho: recusada, sem travar a pagina", async () => {
      const book = workbooks.zip({ mimetype: "application/vnd.oasis.opendocument.spreadsheet",
        "content.xml": "<office:document-content>" + " ".repeat(192 << 20) });
      // content.xml says it unpacks to 1000 bytes.
      const central = book.lastIndexOf(Buffer.concat([Buffer.from([0x50, 0x4b, 1, 2])]));
      book.writeUInt32LE(1000, central + 24);
      const local = book.indexOf("content.xml") - 30;
      book.writeUInt32LE(1000, local + 22);
      const lying = path.join(tmp, "mentirosa.ods");
      fs.writeFileSync(lying, book);
      await page.evaluate(() => {
        window.longest = 0;
        new PerformanceObserver((list) => list.getEntries().forEach((e) => { window.longest = Math.max(window.longest, e.duration); }))
          .observe({ type: "longtask" });
      });
      const shown = (await importSheet(ctx, lying)).message;
      assert.equal(shown, spawnSync(nativeTool, ["--importar", lying, "--coletas", "10"]).stderr.toString("utf8").trim());
      const longest = await page.evaluate(() => window.longest);
      assert.ok(longest < 200, "tarefa mais longa: " + longest + " ms");
    });

    await check("botoes das analises: um por tipo da tabela do nucleo, na ordem, cada um seguido dos seus parametros", async () => {
      const table = await runKinds(page);
      const expected = { arquivo: [], tratamentos: [] };
      table.forEach((k) => expected[k.arquivos_max === 1 ? "arquivo" : "tratamentos"].push(
        (k.nome === "faunistica" ? "calcular" : k.nome) + " " + k.rotulo, ...k.parametros.map((p) => p.entrada)));
      const shown = await page.evaluate(() => {
        const place = (input) => Array.from(document.querySelectorAll(".analises[data-entrada=" + input + "] :is(button, input, select)"),
          (e) => (e.tagName === "BUTTON" ? e.id + " " + e.textContent : e.id));
        return { arquivo: place("arquivo"), tratamentos: place("tratamentos") };
      });
      assert.deepEqual(shown, expected);
      assert.deepEqual(await page.evaluate((labels) => labels.filter((l) => !(l in ZavLanguage.TEXTS)), table.map((k) => k.rotulo)), []);
    });

    await check("a pagina em ingles e espanhol: textos, <html lang>, relatorios como --idioma, a escolha lembrada", async () => {
      // Every text of index.html has its English and Spanish (or reads the same in the three).
      assert.deepEqual(await page.evaluate(() => ZavLanguage.pageTexts().filter((t) => !(t in ZavLanguage.TEXTS) && !ZavLanguage.SAME.includes(t))), []);
      const shown = () => page.evaluate(() => {
        const text = (id) => document.getElementById(id).textContent;
        return { lang: document.documentElement.lang, title: document.title, h1: document.querySelector("h1").textContent, calcular: text("calcular"),
          diversidade: text("diversidade"), legend: document.querySelector("legend").textContent, pressed: document.querySelector("[aria-pressed=true]").dataset.idioma };
      });
      assert.deepEqual(await shown(), { lang: "pt-BR", title: "ZAVIRO - Análise Faunística", h1: "ZAVIRO - Análise Faunística", calcular: "Calcular",
        diversidade: "Diversidade", legend: "1. Levantamento", pressed: "pt" });
      // Step 2 names every kind's button of the core's table, in the page's
      // language, in the order the page shows them: those of one file, then those of several.
      const table = await runKinds(page);
      const labels = table.filter((k) => k.arquivos_max === 1).concat(table.filter((k) => k.arquivos_max !== 1)).map((k) => k.rotulo);
      const inEnglish = await page.evaluate((l) => l.map((k) => ZavLanguage.TEXTS[k][0]).concat("Import spreadsheet"), labels);
      assert.deepEqual(await stepTwo(page), { bold: labels.concat("Importar planilha"),
        text: "Clique em " + labels.join(", ") + " ou Importar planilha." });
      // The native tool's report in a language, the file named alone as the page names it.
      fs.copyFileSync(path.join(golden, "dez-especies.txt"), path.join(tmp, "dez-especies.txt"));
      const anyDate = (text) => text.replace(/(Data|Date|Fecha): [^\r\n]*/, "$1:");
      const nativeIn = (...args) => anyDate(execFileSync(nativeTool, args, { cwd: tmp }).toString("latin1").split(tmp + path.sep).join(""));
      const titles = () => page.$$eval("#graficos svg > title", (t) => t.map((e) => e.textContent));
      await run(page, "#arquivo", [path.join(tmp, "dez-especies.txt")], "#calcular");
      // The language changed with a report shown: the report and charts in it, the file still chosen.
      await page.click("[data-idioma=en]");
      await page.waitForFunction(() => document.getElementById("relatorio").textContent.startsWith("FAUNISTIC ANALYSIS"));
      assert.deepEqual(await shown(), { lang: "en", title: "ZAVIRO - Faunistic Analysis", h1: "ZAVIRO - Faunistic Analysis", calcular: "Calculate",
        diversidade: "Diversity", legend: "1. Survey", pressed: "en" });
      assert.deepEqual(await stepTwo(page), { bold: inEnglish,
        text: "Click " + inEnglish.slice(0, -1).join(", ") + " or Import spreadsheet." });
      const english = await download(ctx, "#baixar-relatorio", "dez-especies-relatorio.txt");
      assert.equal(anyDate(english.toString("latin1")), nativeIn("--idioma", "en", "dez-especies.txt"));
      assert.deepEqual(await titles(), ["Species abundance by rank (Whittaker plot)", "Dominance", "Abundance", "Frequency", "Constancy"]);
      assert.equal(await page.$eval("figure[data-nome=dominancia] button", (e) => e.getAttribute("aria-label")), "Save SVG of the chart Dominance");
      assert.equal(await page.$eval("#arquivo", (e) => e.files.length), 1);
      // The page's own message, written again when the language changes.
      await page.$eval("#tabela", (e) => { e.value = "Apis\t12\t3\n"; e.dispatchEvent(new Event("input")); });
      await page.$eval("#coletas", (e) => { e.value = ""; });
      await page.click("#importar");
      assert.equal(await page.$eval("#mensagem", (e) => e.textContent), "Error: type the survey's total of collections, a whole number greater than 0");
      await page.click("[data-idioma=es]");
      await page.waitForFunction(() => document.getElementById("relatorio").textContent.startsWith("ANÁLISIS FAUNÍSTICO"));
      assert.equal(await page.$eval("#mensagem", (e) => e.textContent), "Error: escriba el total de colectas del levantamiento, un número entero mayor que 0");
      assert.deepEqual(await titles(), ["Abundancia de las especies por rango (Whittaker)", "Dominancia", "Abundancia", "Frecuencia", "Constancia"]);
      await page.$eval("#tabela", (e) => { e.value = ""; e.dispatchEvent(new Event("input")); });
      // A run started in Spanish: the native tool's --idioma es, and no
      // other report shown before it.
      await page.evaluate(() => {
        const report = document.getElementById("relatorio");
        window.reportsShown = [];
        new MutationObserver(() => window.reportsShown.push(report.textContent.split("\r\n")[0])).observe(report, { childList: true });
      });
      await run(page, "#arquivo", [path.join(tmp, "dez-especies.txt")], "#diversidade");
      const spanish = await download(ctx, "#baixar-relatorio", "dez-especies-diversidade-relatorio.txt");
      const expected = nativeIn("--diversidade", "--idioma", "es", "dez-especies.txt");
      assert.equal(anyDate(spanish.toString("latin1")), expected);
      const firstLine = Buffer.from(expected.split("\r\n")[0], "latin1");
      assert.deepEqual(await page.evaluate(() => window.reportsShown.filter((t) => t !== "")), [new TextDecoder("windows-1252").decode(firstLine)]);
      // The longer texts fit a phone and a desktop, in each language; the
      // pictures left for a person to look at.
      for (const code of ["en", "es"]) {
        await page.click("[data-idioma=" + code + "]");
        await run(page, "#arquivo", [path.join(golden, "levantamento-30-coletas.txt")], "#calcular");
        for (const width of [360, 1280]) {
          await page.setViewport({ width, height: 900 });
          const sizes = await page.evaluate(() => ({ page: document.documentElement.scrollWidth,
            selector: document.getElementById("idiomas").getBoundingClientRect().right }));
          await page.screenshot({ path: screenshot.replace(/\.png$/, "-" + code + "-" + width + ".png"), fullPage: true });
          assert.ok(sizes.page <= width && sizes.selector <= width, code + " " + width + ": " + JSON.stringify(sizes));
        }
        await page.setViewport({ width: 1280, height: 900 });
      }
      // Remembered: the page opened again is in Spanish, whatever the browser's language.
      await page.click("[data-idioma=es]");
      await page.reload();
      await page.waitForSelector("body[data-pronto]");
      assert.deepEqual(await shown(), { lang: "es", title: "ZAVIRO - Análisis Faunístico", h1: "ZAVIRO - Análisis Faunístico", calcular: "Calcular",
        diversidade: "Diversidad", legend: "1. Levantamiento", pressed: "es" });
      // Nothing chosen: the browser's first language.
      await page.evaluate(() => localStorage.clear());
      for (const [languages, lang] of [["en-US,en", "en"], ["es-AR,es", "es"], ["fr-FR,en", "pt-BR"], ["pt-BR,pt", "pt-BR"]]) {
        await ctx.languages(languages);
        await page.reload();
        await page.waitForSelector("body[data-pronto]");
        assert.equal(await page.evaluate(() => document.documentElement.lang), lang, languages);
      }
    });

    await check("nada sai da pagina", async () => {
      const outside = ctx.requests.filter((u) => !/^(file|data|blob):/.test(u));
      assert.deepEqual(outside, []);
    });

    // The page as a researcher sees it, for a person to look at.
    await run(page, "#arquivo", [path.join(golden, "levantamento-30-coletas.txt")], "#calcular");
    await page.screenshot({ path: screenshot, fullPage: true });
    console.log("imagem da pagina: " + screenshot);
  } finally {
    await ctx.close();
    fs.rmSync(tmp, { recursive: true, force: true });
  }
})().catch((e) => { console.error(e); process.exit(1); });
