// Debian's chromium, headless, driven by puppeteer-core: no browser is
// downloaded, no profile is shared, nothing is fetched from the network.
"use strict";

const fs = require("fs");
const os = require("os");
const path = require("path");
const puppeteer = require("puppeteer-core");

const root = path.resolve(__dirname, "..", "..");
const pageUrl = "file://" + path.join(root, "build", "web", "index.html");

async function openPage() {
  const profile = fs.mkdtempSync(path.join(os.tmpdir(), "zaviro-chromium-"));
  const downloads = fs.mkdtempSync(path.join(os.tmpdir(), "zaviro-downloads-"));
  const browser = await puppeteer.launch({
    executablePath: process.env.CHROMIUM || "/usr/bin/chromium",
    headless: true,
    args: ["--headless", "--no-sandbox", "--disable-gpu", "--disable-quic", "--no-first-run",
      "--disable-background-networking", "--disable-component-update", "--disable-sync",
      "--lang=pt-BR", "--user-data-dir=" + profile],
  });
  const page = await browser.newPage();
  const requests = [];
  page.on("request", (r) => requests.push(r.url()));
  const session = await browser.target().createCDPSession();
  await session.send("Browser.setDownloadBehavior", { behavior: "allow", downloadPath: downloads, eventsEnabled: true });
  await page.setViewport({ width: 1280, height: 900 });
  // A Brazilian researcher's browser (headless chromium ignores --lang):
  // its number formats, and its languages (navigator.languages), which the
  // page's language follows.
  const cdp = await page.createCDPSession();
  await cdp.send("Emulation.setLocaleOverride", { locale: "pt-BR" });
  const languages = (list) => browser.userAgent().then((userAgent) =>
    cdp.send("Emulation.setUserAgentOverride", { userAgent, acceptLanguage: list }));
  await languages("pt-BR,pt");
  const started = Date.now();
  await page.goto(pageUrl);
  await page.waitForSelector("body[data-pronto]");
  const loadMs = Date.now() - started;
  const close = async () => {
    await browser.close();
    fs.rmSync(profile, { recursive: true, force: true });
    fs.rmSync(downloads, { recursive: true, force: true });
  };
  return { browser, page, requests, downloads, loadMs, close, languages };
}

// Clicks a button and waits for the file it saves.
async function download(ctx, button, name) {
  const file = path.join(ctx.downloads, name);
  fs.rmSync(file, { force: true });
  await ctx.page.click(button);
  for (let i = 0; i < 200 && !fs.existsSync(file); ++i) await new Promise((r) => setTimeout(r, 50));
  await new Promise((r) => setTimeout(r, 100));
  return fs.readFileSync(file);
}

// Chooses files in an input and clicks the button that runs the analysis.
async function run(page, input, files, button) {
  const handle = await page.$(input);
  await handle.uploadFile(...files);
  await page.evaluate(() => { document.getElementById("relatorio").textContent = ""; });
  await page.click(button);
  await page.waitForFunction(() =>
    document.getElementById("relatorio").textContent !== "" || !document.getElementById("mensagem").hidden);
}

module.exports = { root, openPage, download, run };
