// The charts of a result, drawn as SVG text from the core's JSON (never from
// the report text): the rank-abundance (Whittaker) curve, the species of each
// class, and the similarity quotients with their intervals. Each function
// returns a whole SVG document that the page shows and saves as it is.
"use strict";

var ZavCharts = (function () {
  var FONT = "DejaVu Sans, Arial, sans-serif";

  function esc(text) {
    return String(text).replace(/&/g, "&amp;").replace(/</g, "&lt;").replace(/>/g, "&gt;").replace(/"/g, "&quot;");
  }
  function num(x) { return Math.round(x * 100) / 100; }
  function text(x, y, content, attrs) {
    return '<text x="' + num(x) + '" y="' + num(y) + '"' + (attrs || "") + ">" + esc(content) + "</text>";
  }
  function line(x1, y1, x2, y2, attrs) {
    return '<line x1="' + num(x1) + '" y1="' + num(y1) + '" x2="' + num(x2) + '" y2="' + num(y2) + '"' + (attrs || ' stroke="#333"') + "/>";
  }
  function svg(width, height, title, body) {
    return '<svg xmlns="http://www.w3.org/2000/svg" width="' + width + '" height="' + height + '" viewBox="0 0 ' + width + " " + height +
      '" font-family="' + FONT + '" font-size="12">' + "<title>" + esc(title) + "</title>" +
      '<rect width="100%" height="100%" fill="#fff"/>' + text(width / 2, 22, title, ' text-anchor="middle" font-size="15" font-weight="bold"') +
      body + "</svg>";
  }
  // 1, 10, 100, 1000, then 10⁴, 10⁵...
  function powerOf10(p) {
    if (p < 4) return String(Math.pow(10, p));
    return "10" + String(p).replace(/\d/g, function (d) { return "⁰¹²³⁴⁵⁶⁷⁸⁹"[d]; });
  }
  function decimal(x, places) { return x.toFixed(places).replace(".", ","); }

  // Individuals by rank on a logarithmic axis; the predominant species are
  // labelled with their numbers, the super-abundant ones drawn as squares.
  function whittaker(result) {
    var species = result.especies.slice().sort(function (a, b) { return b.individuos - a.individuos || a.especie - b.especie; });
    var W = 720, H = 420, left = 74, right = 20, top = 40, bottom = 60;
    var maxLog = Math.max(1, Math.ceil(Math.log10(species[0].individuos)));
    var n = species.length;
    var x = function (rank) { return left + (n === 1 ? 0.5 : (rank - 1) / (n - 1)) * (W - left - right); };
    var y = function (value) { return H - bottom - (Math.log10(value) / maxLog) * (H - top - bottom); };
    var out = line(left, top, left, H - bottom) + line(left, H - bottom, W - right, H - bottom);
    for (var p = 0; p <= maxLog; ++p) {
      out += line(left - 5, y(Math.pow(10, p)), W - right, y(Math.pow(10, p)), ' stroke="#ddd"') +
        text(left - 8, y(Math.pow(10, p)) + 4, powerOf10(p), ' text-anchor="end"');
    }
    var ticks = Math.min(n, 10);
    for (var t = 0; t < ticks; ++t) {
      var rank = Math.round(1 + t * (n - 1) / Math.max(1, ticks - 1));
      out += line(x(rank), H - bottom, x(rank), H - bottom + 5) + text(x(rank), H - bottom + 18, String(rank), ' text-anchor="middle"');
    }
    var path = species.map(function (s, i) { return (i ? "L" : "M") + num(x(i + 1)) + " " + num(y(s.individuos)); }).join(" ");
    out += '<path d="' + path + '" fill="none" stroke="#2f5d34" stroke-width="1.5"/>';
    species.forEach(function (s, i) {
      var cx = x(i + 1), cy = y(s.individuos);
      out += s.abundancia === "sa"
        ? '<rect x="' + num(cx - 4) + '" y="' + num(cy - 4) + '" width="8" height="8" fill="#c0392b"/>'
        : '<circle cx="' + num(cx) + '" cy="' + num(cy) + '" r="' + (n > 200 ? 1.5 : 3) + '" fill="#2f5d34"/>';
      if (s.predominante) out += text(cx + 6, cy - 6, "*" + s.especie, ' font-size="11"');
    });
    out += text(left + (W - left - right) / 2, H - 18, "Posição da espécie (da mais abundante à menos abundante)", ' text-anchor="middle"');
    out += text(20, top + (H - top - bottom) / 2, "Indivíduos (escala log)", ' text-anchor="middle" transform="rotate(-90 20 ' + num(top + (H - top - bottom) / 2) + ')"');
    out += '<rect x="' + (W - 210) + '" y="' + (top + 2) + '" width="8" height="8" fill="#c0392b"/>' + text(W - 196, top + 10, "super abundante (sa)");
    out += text(W - 210, top + 26, "*N espécie predominante");
    return svg(W, H, "Curva de abundância (Whittaker)", out);
  }

  var CLASSES = [
    ["Dominância", "dominancia", ["SD", "D", "ND"]],
    ["Abundância", "abundancia", ["sa", "ma", "a", "c", "d", "r"]],
    ["Frequência", "frequencia", ["SF", "MF", "F", "PF"]],
    ["Constância", "constancia", ["W", "Y", "Z"]],
  ];

  // The number of species in each class, one group of bars per criterion.
  function classBars(result) {
    var W = 720, H = 360, left = 50, top = 50, bottom = 70, gap = 24;
    var slots = CLASSES.reduce(function (total, c) { return total + c[2].length; }, 0);
    var slot = (W - left - 20 - gap * (CLASSES.length - 1)) / slots;
    var max = 1;
    var counts = CLASSES.map(function (c) {
      return c[2].map(function (code) {
        var k = result.especies.filter(function (s) { return s[c[1]] === code; }).length;
        max = Math.max(max, k);
        return k;
      });
    });
    var y = function (k) { return H - bottom - k / max * (H - top - bottom); };
    var out = line(left, H - bottom, W - 20, H - bottom) + line(left, top, left, H - bottom);
    [0, 0.5, 1].forEach(function (f) {
      var k = Math.round(max * f);
      out += text(left - 6, y(k) + 4, String(k), ' text-anchor="end"');
    });
    var x0 = left + 4;
    CLASSES.forEach(function (c, g) {
      c[2].forEach(function (code, i) {
        var x = x0 + i * slot, k = counts[g][i];
        out += '<rect x="' + num(x + 3) + '" y="' + num(y(k)) + '" width="' + num(slot - 6) + '" height="' + num(H - bottom - y(k)) + '" fill="#4f8a4b"/>';
        out += text(x + slot / 2, y(k) - 4, String(k), ' text-anchor="middle" font-size="11"');
        out += text(x + slot / 2, H - bottom + 16, code, ' text-anchor="middle"');
      });
      out += text(x0 + c[2].length * slot / 2, H - bottom + 36, c[0], ' text-anchor="middle" font-weight="bold"');
      x0 += c[2].length * slot + gap;
    });
    out += text(W / 2, H - 12, "Número de espécies em cada classe", ' text-anchor="middle"');
    return svg(W, H, "Espécies por classe", out);
  }

  // Each pair's quotient (%) with its interval; the key gives the file of
  // each treatment. A pair without a quotient is listed with "-".
  function similarityWhiskers(result) {
    var pairs = result.pares, names = result.tratamentos;
    var rowH = 22, top = 46, left = 90, right = 30;
    var W = 720, plotH = pairs.length * rowH, keyTop = top + plotH + 50;
    var H = keyTop + names.length * 18 + 16;
    var x = function (v) { return left + v / 100 * (W - left - right); };
    var out = "";
    for (var v = 0; v <= 100; v += 20) {
      out += line(x(v), top - 6, x(v), top + plotH, ' stroke="#ddd"') + text(x(v), top + plotH + 16, String(v), ' text-anchor="middle"');
    }
    out += line(left, top + plotH, W - right, top + plotH);
    pairs.forEach(function (p, i) {
      var cy = top + i * rowH + rowH / 2;
      out += text(left - 8, cy + 4, p.par, ' text-anchor="end"');
      if (p.quociente === null) {
        out += text(x(0) + 6, cy + 4, "- (sem quociente)", ' fill="#777"');
        return;
      }
      if (p.intervalo) {
        var lo = Math.max(0, p.intervalo[0]), hi = Math.min(100, p.intervalo[1]);
        out += line(x(lo), cy, x(hi), cy, ' stroke="#2f5d34" stroke-width="1.5"') +
          line(x(lo), cy - 5, x(lo), cy + 5, ' stroke="#2f5d34"') + line(x(hi), cy - 5, x(hi), cy + 5, ' stroke="#2f5d34"');
      }
      out += '<circle cx="' + num(x(p.quociente)) + '" cy="' + num(cy) + '" r="4" fill="#c0392b"><title>' +
        esc(p.par + ": " + decimal(p.quociente, 2) + "%") + "</title></circle>";
    });
    out += text(left + (W - left - right) / 2, top + plotH + 34, "Quociente de similaridade de Sørensen (%) e intervalo", ' text-anchor="middle"');
    names.forEach(function (name, i) {
      out += text(left, keyTop + i * 18, "T" + (i + 1) + " = " + name);
    });
    return svg(W, H, "Similaridade entre tratamentos", out);
  }

  return { whittaker: whittaker, classBars: classBars, similarityWhiskers: similarityWhiskers };
})();
