// Figures of the page in headless chromium: page ready (the wasm compiled,
// from navigation start), the faunistic and the diversity report of a
// 900-species survey computed in the page (read, analysed, shown, charts
// drawn), as the median of runs.
"use strict";

const fs = require("fs");
const os = require("os");
const path = require("path");
const { openPage, run } = require("./browser");

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
})().catch((e) => { console.error(e); process.exit(1); });

function median(values) {
  const s = values.slice().sort((a, b) => a - b);
  return s[Math.floor(s.length / 2)];
}
