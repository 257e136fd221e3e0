// Figures of the page in headless chromium: page ready (the wasm compiled,
// from navigation start), the faunistic and the diversity report of a
// 900-species survey computed in the page (read, analysed, shown, charts
// drawn), as the median of runs.
"use strict";

const fs = require("fs");
const os = require("os");
const path = require("path");
const { execFileSync } = require("child_process");
const { root, openPage, run } = require("./browser");
const workbooks = require("./workbooks");

(async () => {
  const ready = [];
  for (let i = 0; i < 5; ++i) {
    const ctx = await openPage();
    ready.push(await ctx.page.evaluate(() => window.zaviroReadyMs));
    if (i < 4) await ctx.close();
    else {
      const file = path.join(fs.mkdtempSync(path.join(os.tmpdir(), "zaviro-bench-")), "novecentas.txt");
      let text = "900 40\r\n";
      for (let k = 1; k <= 900; ++k) text += ((k * 7919) % 5000 + 1) + " " + ((k * 31) % 40 + 1) + "\r\n";
      fs.writeFileSync(file, text);
      for (const [button, what] of [["#calcular", "relatorio"], ["#diversidade", "diversidade"]]) {
        const runs = [];
        for (let r = 0; r < 9; ++r) {
          await run(ctx.page, "#arquivo", [file], button);
          runs.push(await ctx.page.evaluate(() => window.zaviroLastRunMs));
        }
        console.log(what + " de 900 especies na pagina: " + median(runs).toFixed(1) + " ms (mediana de 9)");
      }
      await ctx.close();
      fs.rmSync(path.dirname(file), { recursive: true });
    }
  }
  console.log("pagina pronta (wasm compilado): " + median(ready).toFixed(0) + " ms (mediana de 5)");
  await styledWorkbook();
})().catch((e) => { console.error(e); process.exit(1); });

function median(values) {
  const s = values.slice().sort((a, b) => a - b);
  return s[Math.floor(s.length / 2)];
}

// A 7.7 MB .xlsx whose sheet holds ten species, then 97,000 rows of styled
// empty cells (88 MB of XML): imported in the page, and by the native tool.
async function styledWorkbook() {
  const dir = fs.mkdtempSync(path.join(os.tmpdir(), "zaviro-bench-"));
  const book = path.join(dir, "estilos.xlsx");
  const columns = Array.from({ length: 40 }, (_, k) => (k < 26 ? "" : "A") + String.fromCharCode(65 + (k % 26)));
  const rows = ['<row r="1"><c r="A1" t="s"><v>0</v></c><c r="B1" t="s"><v>1</v></c><c r="C1" t="s"><v>2</v></c></row>'];
  for (let r = 2; r <= 11; ++r) rows.push(`<row r="${r}"><c r="A${r}" t="s"><v>3</v></c><c r="B${r}"><v>${r * 3}</v></c><c r="C${r}"><v>2</v></c></row>`);
  for (let r = 12; r < 97000; ++r) {
    rows.push(`<row r="${r}" spans="1:40" s="${r % 7}" customFormat="1">` + columns.map((c) => `<c r="${c}${r}" s="${(r + c.length) % 13}"/>`).join("") + "</row>");
  }
  fs.writeFileSync(book, workbooks.xlsx({ Dados: rows.join("") }, ["<t>Espécie</t>", "<t>Indivíduos</t>", "<t>Coletas</t>", "<t>Apis</t>"]));
  const tool = ["build-core", "build"].map((d) => path.join(root, d, "src", "cli", "zaviro-relatorio")).find((f) => fs.existsSync(f));
  const nativeRuns = [];
  for (let r = 0; r < 3; ++r) {
    const t0 = process.hrtime.bigint();
    execFileSync(tool, ["--importar", book, "--coletas", "10"]);
    nativeRuns.push(Number(process.hrtime.bigint() - t0) / 1e6);
  }
  const ctx = await openPage();
  const { page } = ctx;
  const pageRuns = [];
  await (await page.$("#planilha")).uploadFile(book);
  await page.waitForFunction(() => !document.getElementById("importar").disabled, { timeout: 120000 });
  await page.$eval("#coletas", (e) => { e.value = "10"; });
  for (let r = 0; r < 3; ++r) {
    await page.evaluate(() => { document.getElementById("relatorio").textContent = ""; window.started = performance.now(); });
    await page.click("#importar");
    await page.waitForFunction(() => document.getElementById("relatorio").textContent !== "", { timeout: 300000 });
    pageRuns.push(await page.evaluate(() => performance.now() - window.started));
  }
  await ctx.close();
  fs.rmSync(dir, { recursive: true });
  console.log("pasta de 7,7 MB de celulas vazias com estilo: pagina " + median(pageRuns).toFixed(0) + " ms, nativo " +
    median(nativeRuns).toFixed(0) + " ms (medianas de 3)");
}
