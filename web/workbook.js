// Workbooks in the page. The rows of one sheet of an Excel (.xlsx) or
// OpenDocument (.ods) file, read here as the desktop reads them
// (src/sheets/workbook.cpp) and handed to the core's import as cells; and
// the species table written as an .xlsx workbook.
//
// The ZIP container is read with the browser's DecompressionStream and each
// part streamed and cut into its rows: a sheet costs only its first rows,
// and the tab keeps answering while a large workbook is read. The bounds are
// the desktop's: a file over 64 MiB, a part that unpacks beyond 256 MiB, a
// row over 64 KiB of text are refused with its messages.
"use strict";

var ZavWorkbook = (function () {
  var api = { interrupt: null };
  var MAX_FILE = 64 * 1024 * 1024;   // kMaxWorkbookBytes
  var MAX_PART = 256 * 1024 * 1024;  // kMaxWorkbookPartBytes, unpacked
  var MAX_LINE = 64 * 1024;          // LineReader::kMaxLineBytes
  var ROWS_KEPT = 900 + 3;           // a header, kMaxSpecies species, a totals row and one more
  var MAX_COLUMNS = 16384;           // Excel's last column, XFD
  // One row's XML, however many empty cells it holds: beyond this it cannot
  // be a row the import takes.
  var MAX_ELEMENT = 16 * 1024 * 1024;
  // The packed bytes of a part are read by FEED_SLICE and inflated by FEED:
  // deflate unpacks at most about 1032 times, so a piece gives 4 MiB at most.
  var FEED_SLICE = 256 * 1024;
  var FEED = 4 * 1024;

  // An error the page shows as it is: the desktop's message, a text of the
  // page's dictionary (i18n.js) with what it puts in, in the page's language.
  function sheetError(key) {
    var args = Array.prototype.slice.call(arguments, 1).map(String);
    var e = new Error(typeof ZavLanguage !== "undefined" ? ZavLanguage.text(key, args) : key);
    e.shown = { key: key, args: args };
    return e;
  }
  function notAWorkbook() {
    throw sheetError("Erro: planilha: o arquivo não é uma pasta de trabalho .xlsx ou .ods legível; grave-a de novo no Excel ou no " +
      "LibreOffice, ou como CSV");
  }
  function rowTooLong(row) {
    throw sheetError("Erro: planilha, linha {0}: a linha passa de {1} caracteres", row, MAX_LINE);
  }

  // ---- The ZIP container ---------------------------------------------------

  async function bytesAt(file, start, end) { return new Uint8Array(await file.slice(start, end).arrayBuffer()); }

  // Whether the file is a workbook (a ZIP container), by its first bytes.
  async function isWorkbook(file) {
    var magic = await bytesAt(file, 0, 4);
    return magic.length === 4 && magic[0] === 0x50 && magic[1] === 0x4b && magic[2] === 3 && magic[3] === 4;
  }

  // The parts of the container by name, from its central directory: where
  // each one's header is, how it is packed, its sizes.
  async function openZip(file) {
    if (file.size > MAX_FILE) throw sheetError("Erro: planilha: a pasta de trabalho passa de {0} MiB", MAX_FILE >> 20);
    var tailStart = Math.max(0, file.size - (65535 + 22));
    var tail = await bytesAt(file, tailStart, file.size);
    var t = new DataView(tail.buffer), end = -1;
    for (var i = tail.length - 22; i >= 0 && end < 0; --i) if (t.getUint32(i, true) === 0x06054b50) end = i;
    if (end < 0) notAWorkbook();
    var count = t.getUint16(end + 10, true), size = t.getUint32(end + 12, true), offset = t.getUint32(end + 16, true);
    if (count === 0xffff || size === 0xffffffff || offset === 0xffffffff) {
      // ZIP64: the directory's place in a record of its own.
      var locator = end - 20;
      if (locator < 0 || t.getUint32(locator, true) !== 0x07064b50) notAWorkbook();
      var at64 = Number(t.getBigUint64(locator + 8, true));
      var record = await bytesAt(file, at64, at64 + 56);
      if (record.length < 56) notAWorkbook();
      var r = new DataView(record.buffer);
      if (r.getUint32(0, true) !== 0x06064b50) notAWorkbook();
      count = Number(r.getBigUint64(32, true));
      size = Number(r.getBigUint64(40, true));
      offset = Number(r.getBigUint64(48, true));
    }
    if (offset + size > file.size) notAWorkbook();
    var dir = await bytesAt(file, offset, offset + size), d = new DataView(dir.buffer);
    var parts = new Map();
    for (var at = 0, k = 0; k < count; ++k) {
      if (at + 46 > dir.length || d.getUint32(at, true) !== 0x02014b50) notAWorkbook();
      var nameLength = d.getUint16(at + 28, true), extraLength = d.getUint16(at + 30, true);
      var entry = {
        flags: d.getUint16(at + 8, true), method: d.getUint16(at + 10, true),
        packed: d.getUint32(at + 20, true), size: d.getUint32(at + 24, true), header: d.getUint32(at + 42, true),
      };
      if (at + 46 + nameLength + extraLength > dir.length) notAWorkbook();
      zip64Sizes(entry, new DataView(dir.buffer, at + 46 + nameLength, extraLength));
      parts.set(new TextDecoder("utf-8").decode(dir.subarray(at + 46, at + 46 + nameLength)), entry);
      at += 46 + nameLength + extraLength + d.getUint16(at + 32, true);
    }
    return { file: file, parts: parts };
  }

  // The sizes and place a ZIP64 extra field gives for those marked so.
  function zip64Sizes(entry, extra) {
    for (var at = 0; at + 4 <= extra.byteLength;) {
      var id = extra.getUint16(at, true), length = extra.getUint16(at + 2, true), p = at + 4;
      if (id === 1) {
        ["size", "packed", "header"].forEach(function (field) {
          if (entry[field] !== 0xffffffff || p + 8 > at + 4 + length) return;
          entry[field] = Number(extra.getBigUint64(p, true));
          p += 8;
        });
      }
      at += 4 + length;
    }
  }

  // Hands the text of a part, piece by piece as it unpacks, to take(text),
  // which returns false once it has what it needs.
  async function streamPart(zip, name, take) {
    var entry = zip.parts.get(name);
    if (!entry) notAWorkbook();
    if (entry.size > MAX_PART) throw sheetError("Erro: planilha: a pasta de trabalho passa de {0} MiB descompactada", MAX_PART >> 20);
    if (entry.flags & 1) notAWorkbook(); // encrypted
    var header = await bytesAt(zip.file, entry.header, entry.header + 30);
    var h = new DataView(header.buffer);
    if (header.length < 30 || h.getUint32(0, true) !== 0x04034b50) notAWorkbook();
    var start = entry.header + 30 + h.getUint16(26, true) + h.getUint16(28, true);
    if (start + entry.packed > zip.file.size) notAWorkbook();
    var packed = zip.file.slice(start, start + entry.packed), reader, stop = function () {};
    if (entry.method === 8) {
      // The packed bytes go in by small pieces, each only when the text
      // before it was taken: a part that unpacks far beyond the size it
      // gives (a few KiB becoming gigabytes) is stopped at that size, a
      // few pieces in, as the desktop's reader stops.
      var inflate = new DecompressionStream("deflate-raw"), writer = inflate.writable.getWriter(), stopped = false;
      reader = inflate.readable.getReader();
      stop = function () { stopped = true; writer.abort().catch(function () {}); reader.cancel().catch(function () {}); };
      (async function () {
        for (var at = 0; at < packed.size && !stopped; at += FEED_SLICE) {
          var block = new Uint8Array(await packed.slice(at, at + FEED_SLICE).arrayBuffer());
          for (var k = 0; k < block.length && !stopped; k += FEED) await writer.write(block.subarray(k, k + FEED));
        }
        if (!stopped) await writer.close();
      })().catch(function () {});
    } else if (entry.method === 0) {
      reader = packed.stream().getReader();
      stop = function () { reader.cancel().catch(function () {}); };
    } else {
      notAWorkbook();
    }
    var decoder = new TextDecoder("utf-8"), unpacked = 0;
    try {
      for (;;) {
        var piece;
        try {
          piece = await reader.read();
        } catch (e) {
          notAWorkbook();
        }
        if (piece.done) break;
        unpacked += piece.value.length;
        if (unpacked > entry.size) notAWorkbook();
        await pause();
        if ((await take(decoder.decode(piece.value, { stream: true }), false)) === false) return;
      }
    } finally {
      stop();
    }
    if (unpacked !== entry.size) notAWorkbook();
    await take(decoder.decode(), true);
  }

  // ---- XML, element by element ---------------------------------------------

  // Where the tag that opens at `from` closes, quotes minded; -1 when the
  // text does not reach it yet.
  function tagEnd(text, from) {
    for (var i = from + 1, quote = ""; i < text.length; ++i) {
      var c = text[i];
      if (quote) { if (c === quote) quote = ""; }
      else if (c === '"' || c === "'") quote = c;
      else if (c === ">") return i;
    }
    return -1;
  }
  function localName(qualified) { return qualified.slice(qualified.indexOf(":") + 1); }

  // Lets the page answer between stretches of reading.
  // The page's `interrupt`, when set, throws to stop a reading no longer
  // wanted.
  var lastPause = 0;
  async function pause() {
    if (api.interrupt) api.interrupt();
    if (performance.now() - lastPause < 30) return;
    await new Promise(function (resolve) { setTimeout(resolve, 0); });
    lastPause = performance.now();
  }

  // A reader of a part's text, fed piece by piece: each whole element named
  // in `wanted` (none of them inside another) goes parsed to
  // onElement(name, element), or with null when it grows past MAX_ELEMENT;
  // every other tag goes to onTag(name, element of its attributes, or null
  // for an end tag). A callback returning false stops the reading. The
  // elements are parsed in batches, one parse for many; those `keep`
  // refuses, when given, are passed over unparsed; for those `light` gives
  // a value (other than null), that value goes to onElement unparsed.
  function elementReader(wanted, onElement, onTag, keep, light) {
    var text = "", namespaces = null, resumeAt = 0, batch = [], batchSize = 0;
    function parse(xml) {
      var doc = new DOMParser().parseFromString("<zav" + namespaces + ">" + xml + "</zav>", "application/xml");
      if (doc.getElementsByTagName("parsererror").length > 0) notAWorkbook();
      return doc.documentElement;
    }
    // Hands the elements gathered to onElement; false when it stops.
    async function flush() {
      if (batch.length === 0) return true;
      var heavy = batch.filter(function (b) { return b[2] === null; });
      var element = heavy.length ? parse(heavy.map(function (b) { return b[1]; }).join("")).firstElementChild : null;
      var items = batch;
      batch = [];
      batchSize = 0;
      for (var i = 0; i < items.length; ++i) {
        var value = items[i][2];
        if (value === null) {
          value = element;
          element = element.nextElementSibling;
        }
        if (onElement(items[i][0], value) === false) return false;
      }
      await pause();
      return true;
    }
    return async function (piece, last) {
      text += piece;
      var pos = 0, stopped = false;
      for (var step = 1; ; ++step) {
        if (step % 1024 === 0) await pause();
        var lt = text.indexOf("<", pos);
        if (lt < 0) { pos = text.length; break; }
        pos = lt;
        var skip = [["<!--", "-->"], ["<![CDATA[", "]]>"], ["<?", "?>"]].find(function (s) { return text.startsWith(s[0], lt); });
        if (skip) {
          var after = text.indexOf(skip[1], lt + skip[0].length);
          if (after < 0) break;
          pos = after + skip[1].length;
          continue;
        }
        var close = tagEnd(text, lt);
        if (close < 0) break;
        var tag = text.slice(lt, close + 1);
        var qualified = (/^<\/?([^\s/>]+)/.exec(tag) || [])[1];
        if (!qualified || tag[1] === "!") { pos = close + 1; continue; }
        var isEnd = tag[1] === "/", name = localName(qualified);
        if (!isEnd && namespaces === null) {
          namespaces = (tag.match(/\sxmlns(:[^\s=]+)?\s*=\s*("[^"]*"|'[^']*')/g) || []).join("");
        }
        var selfClosing = /\/\s*>$/.test(tag);
        if (!isEnd && wanted.includes(name)) {
          var xml;
          if (selfClosing) {
            xml = tag;
            pos = close + 1;
          } else {
            var endTag = "</" + qualified, found = -1;
            for (var from = Math.max(close + 1, resumeAt); ;) {
              found = text.indexOf(endTag, from);
              if (found < 0 || /[\s>]/.test(text[found + endTag.length] || "")) break;
              from = found + 1;
            }
            var gt = found < 0 ? -1 : text.indexOf(">", found);
            if (gt < 0) {
              if (text.length - lt > MAX_ELEMENT) {
                if (!(await flush())) return false;
                onElement(name, null);
                notAWorkbook();
              }
              resumeAt = Math.max(0, text.length - lt - endTag.length);
              break;
            }
            xml = text.slice(lt, gt + 1);
            pos = gt + 1;
          }
          resumeAt = 0;
          if (keep && !keep()) continue;
          var given = light ? light(name, xml) : null;
          batch.push([name, xml, given]);
          batchSize += given === null ? xml.length : 64;
          if (batchSize > (1 << 20) && !(await flush())) { stopped = true; break; }
          continue;
        }
        pos = close + 1;
        if (!onTag) continue;
        if (!(await flush())) { stopped = true; break; }
        if (onTag(name, isEnd ? null : parse(selfClosing ? tag : tag.replace(/>$/, "/>")).firstElementChild) === false) {
          stopped = true;
          break;
        }
      }
      text = text.slice(pos);
      if (stopped || !(await flush())) return false;
      if (text.length > MAX_ELEMENT || (last && text.trim() !== "")) notAWorkbook();
      return true;
    };
  }

  // An attribute by its name without prefix, as the desktop finds it.
  function attribute(element, name) {
    for (var i = 0; i < element.attributes.length; ++i) {
      if (element.attributes[i].localName === name) return element.attributes[i].value;
    }
    return null;
  }
  function child(element, name) {
    for (var c = element.firstElementChild; c; c = c.nextElementSibling) if (c.localName === name) return c;
    return null;
  }
  function children(element, names) {
    var out = [];
    for (var c = element.firstElementChild; c; c = c.nextElementSibling) if (names.includes(c.localName)) out.push(c);
    return out;
  }
  // The nodes of an element as the desktop's XML reader keeps them: a text
  // of white space alone only when it is the only one.
  function nodes(element) {
    var all = Array.prototype.filter.call(element.childNodes, function (n) { return n.nodeType !== 7 && n.nodeType !== 8; });
    if (all.length < 2) return all;
    return all.filter(function (n) { return n.nodeType !== 3 || /[^ \t\r\n]/.test(n.nodeValue); });
  }
  // An element's first text.
  function textOf(element) {
    if (!element) return "";
    var first = nodes(element).find(function (n) { return n.nodeType === 3 || n.nodeType === 4; });
    return first ? first.nodeValue : "";
  }
  // A whole number at the start of an attribute (as strtoll reads it), or
  // `fallback` when there is no attribute.
  function integerAttribute(element, name, fallback) {
    var value = attribute(element, name);
    if (value === null) return fallback;
    var m = /^\s*([+-]?\d+)/.exec(value);
    return m ? Number(m[1]) : 0;
  }

  // ---- The rows of a sheet -------------------------------------------------

  // A decimal number's text as the native reader takes it (from_chars).
  var NUMBER = /^-?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?$/;

  // A number as the import reads it: a whole one as its digits, others with
  // "." in fixed notation, digits as few as give the value back.
  function numberText(text) {
    if (!NUMBER.test(text)) return text;
    var value = Number(text);
    if (!Number.isFinite(value)) return text;
    if (Number.isInteger(value)) return Math.abs(value) < 1e15 ? String(value === 0 ? 0 : value) : BigInt(value).toString();
    var shortest = String(value), m = /^(-?)(\d)(?:\.(\d+))?e([+-]\d+)$/.exec(shortest);
    if (!m) return shortest;
    // Only a small fraction is written with an exponent here: 1.5e-7.
    return m[1] + "0." + "0".repeat(-Number(m[4]) - 1) + m[2] + (m[3] || "");
  }

  // A whole number of an attribute as the native reader bounds it: `fallback`
  // when it is none, else kept within low and high.
  function boundedNumber(text, fallback, low, high) {
    if (text === null || text === "") return fallback;
    if (!/^-?\d+$/.test(text)) return fallback;
    var value = BigInt(text);
    return value < BigInt(low) ? low : value > BigInt(high) ? high : Number(value);
  }

  // Whether a number format shows a date or a time: the built-in ones, or a
  // code with a day, month, year, hour or second outside quotes and
  // brackets ([h], [mm], [ss] are elapsed time), as the desktop decides.
  function isDateFormat(id, code) {
    if ((id >= 14 && id <= 22) || (id >= 27 && id <= 36) || (id >= 45 && id <= 47) || (id >= 50 && id <= 58)) return true;
    if (id < 164) return false;
    var quoted = false, bracket = false;
    for (var i = 0; i < code.length; ++i) {
      var c = code[i];
      if (quoted) {
        quoted = c !== '"';
      } else if (bracket) {
        if (c === "]") bracket = false;
      } else if (c === '"') {
        quoted = true;
      } else if (c === "[") {
        var close = code.indexOf("]", i), inside = close < 0 ? "" : code.slice(i + 1, close);
        if (/^[hHmMsS]+$/.test(inside)) return true;
        bracket = true;
      } else if (c === "\\" || c === "_" || c === "*") {
        ++i;
      } else if ("dDmMyYhHsS".includes(c)) {
        return true;
      }
    }
    return false;
  }

  // For each cell style (a cell's s=""), whether it shows a date: from the
  // number formats of xl/styles.xml.
  async function xlsxDateStyles(zip) {
    var dates = [], dateFormats = new Set(), inCellXfs = false;
    if (!zip.parts.has("xl/styles.xml")) return dates;
    await streamPart(zip, "xl/styles.xml", elementReader(["numFmt", "xf"], function (name, element) {
      if (!element) notAWorkbook();
      if (name === "numFmt") {
        var id = boundedNumber(attribute(element, "numFmtId"), -1, -1, 1 << 20);
        if (isDateFormat(id, attribute(element, "formatCode") || "") && dateFormats.size < (1 << 16)) dateFormats.add(id);
      } else if (inCellXfs) {
        if (dates.length >= (1 << 20)) notAWorkbook();
        var format = boundedNumber(attribute(element, "numFmtId"), 0, -1, 1 << 20);
        dates.push(isDateFormat(format, "") || dateFormats.has(format));
      }
    }, function (name, element) {
      if (name === "cellXfs") inCellXfs = element !== null;
    }));
    return dates;
  }

  // A date cell's serial number as the date it shows, "2024-03-01", with
  // " 12:00" when it has a time; days from 1899-12-30, or from 1904-01-01
  // in the 1904 system, the 1900 system counting 1900 as a leap year.
  function dateText(serialText, date1904) {
    if (!NUMBER.test(serialText)) return serialText;
    var serial = Number(serialText);
    if (!(serial >= 0 && serial < 2958466)) return serialText;
    // To the second, so that 23:59:59.7 is the next day's midnight.
    var total = Math.round(serial * 86400), days = Math.floor(total / 86400), seconds = total % 86400;
    if (date1904) days += 1462;
    else if (days < 61) days += 1;
    var day = new Date((days - 25569) * 86400000), two = function (n) { return String(n).padStart(2, "0"); };
    var text = String(day.getUTCFullYear()).padStart(4, "0") + "-" + two(day.getUTCMonth() + 1) + "-" + two(day.getUTCDate());
    return seconds > 0 ? text + " " + two(Math.floor(seconds / 3600)) + ":" + two(Math.floor(seconds / 60) % 60) : text;
  }

  function utf8Length(text) {
    var n = 0;
    for (var i = 0; i < text.length; ++i) {
      var c = text.charCodeAt(i);
      n += c < 0x80 ? 1 : c < 0x800 ? 2 : c >= 0xd800 && c < 0xdc00 ? (++i, 4) : 3;
    }
    return n;
  }

  // The sheet's rows that hold something, kept within the import's bounds
  // as they come: [{number, cells, numeric}].
  function RowCollector() {
    this.rows = [];
    this.bytes = 0;
  }
  RowCollector.prototype.cell = function (row, column, text, numeric) {
    if (text === "") return;
    var last = this.rows[this.rows.length - 1];
    if (!last || last.number !== row) {
      if (this.full()) return;
      last = { number: row, cells: [], numeric: [] };
      this.rows.push(last);
      this.bytes = 0;
    }
    if (column >= MAX_COLUMNS) rowTooLong(row);
    this.bytes += utf8Length(text) + 1;
    if (column + 1 > last.cells.length) this.bytes += column + 1 - last.cells.length;
    if (this.bytes > MAX_LINE) rowTooLong(row);
    while (last.cells.length < column + 1) { last.cells.push(""); last.numeric.push(false); }
    last.cells[column] = text;
    last.numeric[column] = numeric;
  };
  RowCollector.prototype.full = function () { return this.rows.length >= ROWS_KEPT; };

  function noSuchSheet(wanted, names) {
    throw sheetError('Erro: planilha: não há a planilha "{0}"; a pasta de trabalho tem {1}', wanted,
      names.map(function (n) { return '"' + n + '"'; }).join(", "));
  }

  // Excel: the sheets in the workbook's order, each with its part.
  async function xlsxSheets(zip) {
    var targets = new Map(), sheets = [];
    if (zip.parts.has("xl/_rels/workbook.xml.rels")) {
      await streamPart(zip, "xl/_rels/workbook.xml.rels", elementReader(["Relationship"], function (name, rel) {
        if (!rel) return;
        var target = attribute(rel, "Target") || "";
        target = target.startsWith("/") ? target.slice(1) : "xl/" + target;
        targets.set(attribute(rel, "Id") || "", target);
      }));
    }
    await streamPart(zip, "xl/workbook.xml", elementReader(["sheet"], function (name, sheet) {
      if (!sheet) notAWorkbook();
      var part = targets.get(attribute(sheet, "id") || "") || "xl/worksheets/sheet" + (sheets.length + 1) + ".xml";
      sheets.push({ name: attribute(sheet, "name") || "", part: part });
    }, function (name, element) {
      // The dates' system, given before the sheets.
      if (name === "workbookPr" && element) {
        var flag = attribute(element, "date1904");
        sheets.date1904 = flag === "1" || flag === "true";
      }
      return !(name === "sheets" && element === null);
    }));
    if (sheets.length === 0) notAWorkbook();
    return sheets;
  }

  // A string item's text: its <t>, or the <t> of each run.
  function itemText(item) {
    var text = "";
    for (var part = item ? item.firstElementChild : null; part; part = part.nextElementSibling) {
      if (part.localName === "t") text += textOf(part);
      else if (part.localName === "r") text += textOf(child(part, "t"));
    }
    return text;
  }

  // A row whose cells hold no value, no inline string and no formula's
  // cached text: {valueless, number (its r, or null)}, passed over without
  // parsing. Null for any other row. A row of styled empty cells costs only
  // this look.
  function valuelessRow(name, xml) {
    if (/<(?:[\w.-]+:)?(?:v|is|t|f)[\s>\/]/.test(xml.slice(1))) return null;
    var open = /^<[^>]*>/.exec(xml)[0], r = /\sr\s*=\s*["']\s*([+-]?\d+)/.exec(open);
    if (!r && /\sr\s*=/.test(open)) return null; // an r the parse reads as 0
    var ref = /\s(?:[\w.-]+:)?r\s*=/.test(open);
    if (ref && !r) return null;
    return { valueless: true, number: r ? Number(r[1]) : null };
  }

  // Column letters to a 0-based index: "A1" gives 0, "AB7" 27.
  function columnOf(reference) {
    var m = /^[A-Z]{1,3}(?![A-Z])/.exec(reference);
    if (!m) return null;
    var column = 0;
    for (var i = 0; i < m[0].length; ++i) column = column * 26 + (m[0].charCodeAt(i) - 64);
    return column - 1;
  }

  async function readXlsx(zip, wanted) {
    var sheets = await xlsxSheets(zip);
    var sheet = wanted ? sheets.find(function (s) { return s.name === wanted; }) : sheets[0];
    if (!sheet) noSuchSheet(wanted, sheets.map(function (s) { return s.name; }));
    var shared = [];
    if (zip.parts.has("xl/sharedStrings.xml")) {
      await streamPart(zip, "xl/sharedStrings.xml", elementReader(["si"], function (name, item) {
        if (!item) notAWorkbook();
        shared.push(itemText(item));
      }));
    }
    var dates = await xlsxDateStyles(zip), date1904 = sheets.date1904 === true;
    var rows = new RowCollector(), rowNumber = 0;
    await streamPart(zip, sheet.part, elementReader(["row"], function (name, row) {
      if (!row) rowTooLong(rowNumber + 1);
      if (row.valueless) {
        // A row with no value in any cell (styled empty cells): only its number.
        rowNumber = row.number !== null ? row.number : rowNumber + 1;
        if (rowNumber < 1) notAWorkbook();
        return true;
      }
      rowNumber = attribute(row, "r") !== null ? integerAttribute(row, "r", 0) : rowNumber + 1;
      if (rowNumber < 1) notAWorkbook();
      var column = 0;
      children(row, ["c"]).forEach(function (cell) {
        var at = attribute(cell, "r");
        if (at !== null) {
          column = columnOf(at);
          if (column === null) notAWorkbook();
        }
        var type = attribute(cell, "t") || "", value = textOf(child(cell, "v")), text = "", numeric = false;
        if (type === "s") {
          var m = /^\s*([+-]?)(\d*)/.exec(value), index = m[2] === "" ? 0 : Number(m[2]);
          if (m[1] !== "-" || index === 0) text = shared[index] || "";
        } else if (type === "inlineStr") {
          text = itemText(child(cell, "is"));
        } else if (type === "str" || type === "e" || type === "d") {
          text = value;
        } else if (type === "b") {
          text = value === "1" ? "1" : "0";
        } else if (NUMBER.test(value) && Number.isFinite(Number(value))) {
          // A number, or a date when its style's format shows one.
          numeric = !dates[boundedNumber(attribute(cell, "s"), 0, 0, 1 << 20)];
          text = numeric ? numberText(value) : dateText(value, date1904);
        } else {
          text = value; // as it stands, for the import to refuse
        }
        rows.cell(rowNumber, column, text, numeric);
        ++column;
      });
      return !rows.full();
    }, null, null, valuelessRow));
    return rows.rows;
  }

  // OpenDocument: a paragraph's text, spans, spaces, tabs and line breaks.
  function paragraphText(node) {
    var out = "";
    nodes(node).forEach(function (part) {
      if (part.nodeType === 3 || part.nodeType === 4) out += part.nodeValue;
      else if (part.localName === "s") out += " ".repeat(Math.min(Math.max(0, integerAttribute(part, "c", 1)), 1024));
      else if (part.localName === "tab") out += "\t";
      else if (part.localName === "line-break") out += "\n";
      else out += paragraphText(part);
    });
    return out;
  }

  function odsCell(cell) {
    var type = attribute(cell, "value-type") || "";
    if (type === "float" || type === "percentage" || type === "currency") return [numberText(attribute(cell, "value") || ""), true];
    if (type === "boolean") return [attribute(cell, "boolean-value") === "true" ? "1" : "0", false];
    // A date as the native reader gives it: "2024-03-01", " 12:00" after it when it has a time.
    var date = type === "date" ? /^(\d{4}-\d\d-\d\d)(?:T(\d\d:\d\d))?/.exec(attribute(cell, "date-value") || "") : null;
    if (date) return [date[1] + (date[2] && date[2] !== "00:00" ? " " + date[2] : ""), false];
    var text = "";
    children(cell, ["p"]).forEach(function (p) {
      if (text !== "") text += "\n";
      text += paragraphText(p);
    });
    return [text, false];
  }

  // The names of the tables of content.xml, in order; the rows of the one
  // wanted (its name, or the first) go to `rows`, and the reading stops
  // after it. With `allNames`, only the names, of every table.
  async function readOds(zip, wanted, rows, allNames) {
    var names = [], inWanted = false, found = false, done = false, rowNumber = 0;
    var onRow = function (name, row) {
      if (!inWanted) return true;
      if (!row) rowTooLong(rowNumber + 1);
      if (rows.full()) return false;
      var repeated = Math.max(1, integerAttribute(row, "number-rows-repeated", 1));
      var cells = [], column = 0;
      children(row, ["table-cell", "covered-table-cell"]).forEach(function (cell) {
        var times = Math.min(Math.max(integerAttribute(cell, "number-columns-repeated", 1), 1), 1 << 20);
        var content = odsCell(cell);
        if (content[0] !== "") for (var t = 0; t < times && column + t < MAX_COLUMNS + 1; ++t) cells.push([column + t, content]);
        column += times;
      });
      if (cells.length === 0) {
        rowNumber += repeated;
        return true;
      }
      for (var t = 0; t < repeated && !rows.full(); ++t) {
        ++rowNumber;
        cells.forEach(function (c) { rows.cell(rowNumber, c[0], c[1][0], c[1][1]); });
      }
      return true;
    };
    var onTag = function (name, element) {
      if (name !== "table") return true;
      if (element) {
        names.push(attribute(element, "name") || "");
        inWanted = !allNames && !found && (wanted ? names[names.length - 1] === wanted : names.length === 1);
        found = found || inWanted;
        return true;
      }
      if (inWanted) { inWanted = false; done = true; }
      return allNames || !done;
    };
    await streamPart(zip, "content.xml", elementReader(["table-row"], onRow, onTag, function () { return inWanted; }));
    if (names.length === 0) notAWorkbook();
    if (wanted && !found && !allNames) noSuchSheet(wanted, names);
    return names;
  }

  function isOds(zip) { return zip.parts.has("content.xml") && !zip.parts.has("xl/workbook.xml"); }

  // The names of the workbook's sheets, in its order.
  async function sheetNames(file) {
    var zip = await openZip(file);
    if (isOds(zip)) return readOds(zip, "", new RowCollector(), true);
    if (!zip.parts.has("xl/workbook.xml")) notAWorkbook();
    return (await xlsxSheets(zip)).map(function (s) { return s.name; });
  }

  // The rows of one sheet (the first, or the one named `sheet`) that hold
  // something: {number, cells (texts), numeric (cells that held numbers)}.
  async function readSheet(file, sheet) {
    var zip = await openZip(file);
    if (isOds(zip)) {
      var rows = new RowCollector();
      await readOds(zip, sheet || "", rows, false);
      return rows.rows;
    }
    if (!zip.parts.has("xl/workbook.xml")) notAWorkbook();
    return readXlsx(zip, sheet || "");
  }

  // Those rows as the core's import reads them: per row, its count of
  // cells, its number, then each cell marked 1 when it held a number; texts
  // UTF-8 after their length, counts little-endian 32 bits.
  function encodeRows(rows) {
    var encoder = new TextEncoder(), pieces = [], size = 4;
    var u32 = function (n) { var b = new Uint8Array(4); new DataView(b.buffer).setUint32(0, n, true); pieces.push(b); size += 4; };
    var text = function (t) { var b = encoder.encode(t); u32(b.length); pieces.push(b); size += b.length; };
    u32(rows.length);
    rows.forEach(function (row) {
      u32(row.cells.length);
      text(String(row.number));
      row.cells.forEach(function (cell, i) {
        pieces.push(new Uint8Array([row.numeric[i] ? 1 : 0]));
        size += 1;
        text(cell);
      });
    });
    var out = new Uint8Array(size), at = 0;
    pieces.forEach(function (p) { out.set(p, at); at += p.length; });
    return out;
  }

  // ---- The species table as .xlsx -------------------------------------------

  var crcTable = null;
  function crc32(bytes) {
    if (!crcTable) {
      crcTable = new Uint32Array(256);
      for (var n = 0; n < 256; ++n) {
        var c = n;
        for (var k = 0; k < 8; ++k) c = c & 1 ? 0xedb88320 ^ (c >>> 1) : c >>> 1;
        crcTable[n] = c >>> 0;
      }
    }
    var crc = 0xffffffff;
    for (var i = 0; i < bytes.length; ++i) crc = crcTable[(crc ^ bytes[i]) & 0xff] ^ (crc >>> 8);
    return (crc ^ 0xffffffff) >>> 0;
  }

  // A ZIP of stored (unpacked) parts, each {name, bytes}, dated 1980-01-01
  // so that the same table gives the same bytes.
  function zipStored(files) {
    var encoder = new TextEncoder(), locals = [], central = [], offset = 0;
    files.forEach(function (f) {
      var name = encoder.encode(f.name), crc = crc32(f.bytes);
      // The local header (30 bytes) and the central one (46), each followed
      // by the name; the central one has its version made by before the
      // same fields, then the local header's place.
      var header = function (isCentral) {
        var size = isCentral ? 46 : 30, p = isCentral ? 2 : 0;
        var b = new Uint8Array(size + name.length), v = new DataView(b.buffer);
        v.setUint32(0, isCentral ? 0x02014b50 : 0x04034b50, true);
        if (isCentral) v.setUint16(4, 20, true);
        v.setUint16(4 + p, 20, true);     // version needed
        v.setUint16(12 + p, 0x21, true);  // date: 1980-01-01; time 0, stored, no flags
        v.setUint32(14 + p, crc, true);
        v.setUint32(18 + p, f.bytes.length, true);
        v.setUint32(22 + p, f.bytes.length, true);
        v.setUint16(26 + p, name.length, true);
        if (isCentral) v.setUint32(42, offset, true);
        b.set(name, size);
        return b;
      };
      central.push(header(true));
      var local = header(false);
      locals.push(local, f.bytes);
      offset += local.length + f.bytes.length;
    });
    var dirSize = central.reduce(function (n, b) { return n + b.length; }, 0);
    var end = new Uint8Array(22), e = new DataView(end.buffer);
    e.setUint32(0, 0x06054b50, true);
    e.setUint16(8, files.length, true);
    e.setUint16(10, files.length, true);
    e.setUint32(12, dirSize, true);
    e.setUint32(16, offset, true);
    return new Blob(locals.concat(central, [end]), { type: "application/vnd.openxmlformats-officedocument.spreadsheetml.sheet" });
  }

  function escapeXml(text) {
    return text.replace(/[\x00-\x08\x0b\x0c\x0e-\x1f\ufffe\uffff]/g, "").replace(/&/g, "&amp;").replace(/</g, "&lt;")
      .replace(/>/g, "&gt;").replace(/"/g, "&quot;");
  }

  // The cells of a CSV as the core writes it (quotes doubled inside quoted
  // fields, CR LF or LF).
  function csvRows(text) {
    var rows = [], row = [], cell = "", quoted = false;
    for (var i = 0; i < text.length; ++i) {
      var c = text[i];
      if (quoted) {
        if (c !== '"') cell += c;
        else if (text[i + 1] === '"') { cell += '"'; ++i; }
        else quoted = false;
      } else if (c === '"') quoted = true;
      else if (c === ",") { row.push(cell); cell = ""; }
      else if (c === "\n") { row.push(cell.replace(/\r$/, "")); rows.push(row); row = []; cell = ""; }
      else cell += c;
    }
    if (cell !== "" || row.length > 0) { row.push(cell); rows.push(row); }
    return rows;
  }

  var NUMBER_COLUMNS = ["especie", "individuos", "coletas", "percentual", "limite_dominancia"];
  var TRUTH_COLUMNS = ["predominante"];

  // The species table of the core's CSV as an .xlsx workbook, as the
  // desktop writes it: one sheet, "especies", the CSV's header row, then
  // its rows, numbers as numbers, "predominante" as a truth value, empty
  // cells where the CSV has them.
  function speciesTableXlsx(csvText) {
    var rows = csvRows(csvText), header = rows[0] || [];
    var letters = function (i) { return i < 26 ? String.fromCharCode(65 + i) : String.fromCharCode(64 + Math.floor(i / 26)) + String.fromCharCode(65 + (i % 26)); };
    var sheet = rows.map(function (cells, r) {
      return '<row r="' + (r + 1) + '">' + cells.map(function (value, c) {
        var ref = letters(c) + (r + 1), column = header[c];
        if (value === "") return "";
        if (r > 0 && NUMBER_COLUMNS.includes(column) && /^-?\d+(\.\d+)?(e[+-]?\d+)?$/i.test(value)) return '<c r="' + ref + '"><v>' + value + "</v></c>";
        if (r > 0 && TRUTH_COLUMNS.includes(column)) return '<c r="' + ref + '" t="b"><v>' + (value === "true" ? 1 : 0) + "</v></c>";
        return '<c r="' + ref + '" t="inlineStr"><is><t xml:space="preserve">' + escapeXml(value) + "</t></is></c>";
      }).join("") + "</row>";
    }).join("");
    var xml = '<?xml version="1.0" encoding="UTF-8" standalone="yes"?>\r\n';
    var main = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
    var rel = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";
    var encoder = new TextEncoder();
    var part = function (name, text) { return { name: name, bytes: encoder.encode(xml + text) }; };
    return zipStored([
      part("[Content_Types].xml", '<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">' +
        '<Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>' +
        '<Default Extension="xml" ContentType="application/xml"/>' +
        '<Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>' +
        '<Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>' +
        "</Types>"),
      part("_rels/.rels", '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">' +
        '<Relationship Id="rId1" Type="' + rel + '/officeDocument" Target="xl/workbook.xml"/></Relationships>'),
      part("xl/workbook.xml", '<workbook xmlns="' + main + '" xmlns:r="' + rel + '"><sheets>' +
        '<sheet name="especies" sheetId="1" r:id="rId1"/></sheets></workbook>'),
      part("xl/_rels/workbook.xml.rels", '<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">' +
        '<Relationship Id="rId1" Type="' + rel + '/worksheet" Target="worksheets/sheet1.xml"/></Relationships>'),
      part("xl/worksheets/sheet1.xml", '<worksheet xmlns="' + main + '"><sheetData>' + sheet + "</sheetData></worksheet>"),
    ]);
  }

  api.isWorkbook = isWorkbook;
  api.sheetNames = sheetNames;
  api.readSheet = readSheet;
  api.encodeRows = encodeRows;
  api.speciesTableXlsx = speciesTableXlsx;
  api.crc32 = crc32;
  return api;
})();
