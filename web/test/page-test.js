// The page in a real browser: a survey chosen in the file input gives the
// golden report in #relatorio and, downloaded, its exact Windows-1252 CR LF
// bytes; JSON, CSV, charts, similarity, a spreadsheet, bad and huge files.
"use strict";

const assert = require("assert/strict");
const fs = require("fs");
const os = require("os");
const path = require("path");
const { root, openPage, download, run } = require("./browser");

const golden = path.join(root, "tests", "analysis", "golden");
const similarityGolden = path.join(root, "tests", "similarity", "golden");
const screenshot = process.argv[2] || path.join(root, "build", "web-test", "pagina.png");

// The golden bytes as the page writes them: the file named by its name
// alone (a browser never sees the path), the date line left out.
function asThePageWrites(bytes, name) {
  let text = bytes.toString("latin1");
  text = text.replace(/\r\nArquivo: [^\r]*\r\n/, "\r\nArquivo: " + name + "\r\n");
  return withoutDate(text);
}
function withoutDate(text) { return text.replace(/Data: [^\r\n]*/, "Data:").replace(/"data": "[^"]*"/, '"data":'); }
function check(name, fn) { return fn().then(() => console.log("ok   " + name), (e) => { console.log("FAIL " + name); throw e; }); }

(async () => {
  const ctx = await openPage();
  const { page } = ctx;
  const tmp = fs.mkdtempSync(path.join(os.tmpdir(), "zaviro-page-"));
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

    await check("graficos a partir do JSON, salvos em SVG e PNG", async () => {
      const titles = await page.$$eval("#graficos svg title", (t) => t.map((e) => e.textContent));
      assert.deepEqual(titles.slice(0, 1), ["Curva de abundância (Whittaker)"]);
      assert.ok(titles.includes("Espécies por classe"));
      const svg = await download(ctx, "figure[data-nome=whittaker] button:nth-of-type(1)", "dez-especies-whittaker.svg");
      assert.match(svg.toString(), /^<svg xmlns="http:\/\/www.w3.org\/2000\/svg"/);
      assert.equal((svg.toString().match(/<circle|<rect x/g) || []).length >= 10, true);
      const png = await download(ctx, "figure[data-nome=classes] button:nth-of-type(2)", "dez-especies-classes.png");
      assert.deepEqual([...png.subarray(1, 4)], [0x50, 0x4e, 0x47]);
    });

    await check("arquivo com erro: a mensagem do programa", async () => {
      const bad = path.join(tmp, "ruim.txt");
      fs.writeFileSync(bad, "2 10\r\n5 x\r\n1 1\r\n");
      await run(page, "#arquivo", [bad], "#calcular");
      assert.equal(await page.$eval("#mensagem", (e) => e.textContent),
        'Error: Verifique o arquivo de dados!\nLinha 2: "x" não é um número inteiro');
      assert.equal(await page.$eval("#baixar-relatorio", (e) => e.disabled), true);
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
      const key = await page.$$eval("#graficos svg text", (t) => t.map((e) => e.textContent).filter((s) => s.startsWith("T")));
      assert.deepEqual(key.slice(-3), ["T1 = t1.txt", "T2 = t2.txt", "T3 = t3.txt"]);
      await run(page, "#tratamentos", files.slice(0, 2), "#similaridade");
      assert.equal(await page.$eval("#mensagem", (e) => e.textContent), "Erro: Digite 3 ou mais conjuntos de dados");
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

    await check("nada sai da pagina", async () => {
      const outside = ctx.requests.filter((u) => !/^(file|data|blob):/.test(u));
      assert.deepEqual(outside, []);
    });

    // The page as a researcher sees it, for a person to look at.
    await run(page, "#arquivo", [path.join(golden, "levantamento-30-coletas.txt")], "#calcular");
    fs.mkdirSync(path.dirname(screenshot), { recursive: true });
    await page.screenshot({ path: screenshot, fullPage: true });
    console.log("imagem da pagina: " + screenshot);
  } finally {
    await ctx.close();
    fs.rmSync(tmp, { recursive: true, force: true });
  }
})().catch((e) => { console.error(e); process.exit(1); });
