// Workbooks made for the page's tests (deflated ZIP parts written by node),
// and the cells of an .xlsx read back, to compare the page's with the
// native tool's.
"use strict";

const zlib = require("zlib");

// A ZIP of deflated parts: {name: text}.
function zip(parts) {
  const locals = [], central = [];
  let offset = 0;
  for (const [name, text] of Object.entries(parts)) {
    const data = Buffer.from(text, "utf8"), packed = zlib.deflateRawSync(data), nameBytes = Buffer.from(name);
    const crc = zlib.crc32(data);
    const local = Buffer.alloc(30);
    local.writeUInt32LE(0x04034b50, 0);
    local.writeUInt16LE(20, 4);
    local.writeUInt16LE(8, 8);
    local.writeUInt32LE(crc, 14);
    local.writeUInt32LE(packed.length, 18);
    local.writeUInt32LE(data.length, 22);
    local.writeUInt16LE(nameBytes.length, 26);
    const entry = Buffer.alloc(46);
    entry.writeUInt32LE(0x02014b50, 0);
    entry.writeUInt16LE(20, 4);
    entry.writeUInt16LE(20, 6);
    entry.writeUInt16LE(8, 10);
    entry.writeUInt32LE(crc, 16);
    entry.writeUInt32LE(packed.length, 20);
    entry.writeUInt32LE(data.length, 24);
    entry.writeUInt16LE(nameBytes.length, 28);
    entry.writeUInt32LE(offset, 42);
    locals.push(local, nameBytes, packed);
    central.push(entry, nameBytes);
    offset += 30 + nameBytes.length + packed.length;
  }
  const dir = Buffer.concat(central), end = Buffer.alloc(22);
  end.writeUInt32LE(0x06054b50, 0);
  end.writeUInt16LE(Object.keys(parts).length, 8);
  end.writeUInt16LE(Object.keys(parts).length, 10);
  end.writeUInt32LE(dir.length, 12);
  end.writeUInt32LE(offset, 16);
  return Buffer.concat([...locals, dir, end]);
}

const MAIN = "http://schemas.openxmlformats.org/spreadsheetml/2006/main";
const REL = "http://schemas.openxmlformats.org/officeDocument/2006/relationships";

// An .xlsx of named sheets, each given as its <sheetData> XML, with shared
// strings; the sheets' parts named in reverse so that only the
// relationships find them. Optionally the cell styles (the XML inside
// <styleSheet>) and the 1904 date system.
function xlsx(sheets, shared, { styles = "", date1904 = false } = {}) {
  const names = Object.keys(sheets);
  const parts = {
    "xl/workbook.xml": `<?xml version="1.0"?><workbook xmlns="${MAIN}" xmlns:r="${REL}">` +
      (date1904 ? '<workbookPr date1904="1"/>' : "") + "<sheets>" +
      names.map((n, i) => `<sheet name="${n}" sheetId="${i + 1}" r:id="rId${i + 1}"/>`).join("") + "</sheets></workbook>",
    "xl/_rels/workbook.xml.rels": '<?xml version="1.0"?><Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">' +
      names.map((n, i) => `<Relationship Id="rId${i + 1}" Type="${REL}/worksheet" Target="worksheets/sheet${names.length - i}.xml"/>`).join("") +
      "</Relationships>",
    "xl/sharedStrings.xml": `<?xml version="1.0"?><sst xmlns="${MAIN}">` + shared.map((s) => `<si>${s}</si>`).join("") + "</sst>",
  };
  if (styles) parts["xl/styles.xml"] = `<?xml version="1.0"?><styleSheet xmlns="${MAIN}">${styles}</styleSheet>`;
  names.forEach((n, i) => {
    parts[`xl/worksheets/sheet${names.length - i}.xml`] = `<?xml version="1.0"?><worksheet xmlns="${MAIN}"><sheetData>${sheets[n]}</sheetData></worksheet>`;
  });
  return zip(parts);
}

// An .ods whose content.xml holds `tables`.
function ods(tables) {
  return zip({
    mimetype: "application/vnd.oasis.opendocument.spreadsheet",
    "content.xml": '<?xml version="1.0" encoding="UTF-8"?><office:document-content ' +
      'xmlns:office="urn:oasis:names:tc:opendocument:xmlns:office:1.0" ' +
      'xmlns:table="urn:oasis:names:tc:opendocument:xmlns:table:1.0" ' +
      'xmlns:text="urn:oasis:names:tc:opendocument:xmlns:text:1.0" ' +
      'xmlns:calcext="urn:org:documentfoundation:names:experimental:calc:xmlns:calcext:1.0"><office:body><office:spreadsheet>' +
      tables + "</office:spreadsheet></office:body></office:document-content>",
  });
}

// The parts of a ZIP (stored or deflated) by name, their CRC-32 checked.
function unzip(bytes) {
  const end = bytes.lastIndexOf(Buffer.from([0x50, 0x4b, 5, 6]));
  const count = bytes.readUInt16LE(end + 10);
  const parts = {};
  for (let at = bytes.readUInt32LE(end + 16), k = 0; k < count; ++k) {
    const method = bytes.readUInt16LE(at + 10), packed = bytes.readUInt32LE(at + 20);
    const nameLength = bytes.readUInt16LE(at + 28), header = bytes.readUInt32LE(at + 42);
    const name = bytes.toString("utf8", at + 46, at + 46 + nameLength);
    const start = header + 30 + bytes.readUInt16LE(header + 26) + bytes.readUInt16LE(header + 28);
    const data = bytes.subarray(start, start + packed);
    const unpacked = method === 8 ? zlib.inflateRawSync(data) : data;
    if (zlib.crc32(unpacked) !== bytes.readUInt32LE(at + 16)) throw new Error(name + ": CRC-32 errado");
    parts[name] = unpacked.toString("utf8");
    at += 46 + nameLength + bytes.readUInt16LE(at + 30) + bytes.readUInt16LE(at + 32);
  }
  return parts;
}

// The first sheet's cells of an .xlsx: "A1 n 12", "B1 s nome", "K2 b 1".
function xlsxCells(bytes) {
  const parts = unzip(bytes);
  const unescape = (t) => t.replace(/&lt;/g, "<").replace(/&gt;/g, ">").replace(/&quot;/g, '"').replace(/&amp;/g, "&");
  const shared = [...(parts["xl/sharedStrings.xml"] || "").matchAll(/<si>([^]*?)<\/si>/g)]
    .map((m) => unescape([...m[1].matchAll(/<t[^>]*>([^<]*)<\/t>/g)].map((t) => t[1]).join("")));
  const sheet = Object.keys(parts).find((n) => n.startsWith("xl/worksheets/"));
  return [...parts[sheet].matchAll(/<c r="([A-Z]+\d+)"([^>]*?)(?:\/>|>([^]*?)<\/c>)/g)].map(([, ref, attrs, body = ""]) => {
    const type = (/t="(\w+)"/.exec(attrs) || [])[1] || "n";
    const value = unescape((/<v>([^<]*)<\/v>/.exec(body) || [])[1] || "");
    if (type === "s") return `${ref} s ${shared[Number(value)]}`;
    if (type === "inlineStr") return `${ref} s ${unescape((/<t[^>]*>([^<]*)<\/t>/.exec(body) || [])[1] || "")}`;
    return `${ref} ${type} ${type === "n" ? Number(value) : value}`;
  });
}

module.exports = { zip, xlsx, ods, xlsxCells };
