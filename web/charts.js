// The charts of a result, drawn as SVG text from the core's JSON (never from
// the report text): the rank-abundance (Whittaker) curve, the species of each
// class, the similarity quotients with their intervals, the diversity curves
// with their 95 % bands, and the comparison's UPGMA dendrogram. Each function
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
  // A value that rounds to zero is written without sign ("0,00", never "-0,00").
  function decimal(x, places) { return x.toFixed(places).replace(/^-(?=0(\.0*)?$)/, "").replace(".", ","); }

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
    var markers = [], wanted = [];
    species.forEach(function (s, i) {
      var cx = x(i + 1), cy = y(s.individuos), radius = s.abundancia === "sa" ? 4 : n > 200 ? 1.5 : 3;
      out += s.abundancia === "sa"
        ? '<rect x="' + num(cx - 4) + '" y="' + num(cy - 4) + '" width="8" height="8" fill="#c0392b"/>'
        : '<circle cx="' + num(cx) + '" cy="' + num(cy) + '" r="' + radius + '" fill="#2f5d34"/>';
      markers.push(box(cx - radius, cy - radius, 2 * radius, 2 * radius));
      if (s.predominante) {
        var label = "*" + (s.nome || s.especie);
        wanted.push({ x: cx, y: cy, radius: radius, text: label, italic: Boolean(s.nome), w: label.length * LABEL_CHAR, h: LABEL_HEIGHT });
      }
    });
    // The legend's corner is kept clear too.
    var around = { area: box(left, top, W - left - right, H - top - bottom), keep: markers.concat([box(W - 212, top, 202, 32)]),
      curve: species.map(function (s, i) { return [x(i + 1), y(s.individuos)]; }) };
    // Beyond the first 80 there is no room in 720 px whatever the data.
    var placed = mostLabels(wanted.slice(0, 80), around);
    placed.forEach(function (p, i) {
      var l = wanted[i];
      if (p.leader) out += line(p.leader[0], p.leader[1], p.leader[2], p.leader[3], ' stroke="#777" stroke-width="0.7"');
      out += text(p.x, p.y + p.h - 3, l.text, ' font-size="11" class="rotulo"' + (l.italic ? ' font-style="italic"' : ""));
    });
    var note = labelledNote(placed.length, wanted.length);
    if (note) out += text(left + (W - left - right) / 2, H - 3, note, ' text-anchor="middle" font-size="11" fill="#555"');
    out += text(left + (W - left - right) / 2, H - 18, "Posição da espécie (da mais abundante à menos abundante)", ' text-anchor="middle"');
    out += text(20, top + (H - top - bottom) / 2, "Indivíduos (escala log)", ' text-anchor="middle" transform="rotate(-90 20 ' + num(top + (H - top - bottom) / 2) + ')"');
    out += '<rect x="' + (W - 210) + '" y="' + (top + 2) + '" width="8" height="8" fill="#c0392b"/>' + text(W - 196, top + 10, "super abundante (sa)");
    out += text(W - 210, top + 26, "*N ou *nome: predominante");
    return svg(W, H, "Curva de abundância (Whittaker)", out);
  }

  // ---- Labels beside their points ------------------------------------------
  //
  // Each label beside its own point, inside the plot, over no other label,
  // no marker and no stretch of the curve; else a little further off with a
  // leader; else not at all. As many of the first labels (the most abundant
  // species first) as can all be placed are drawn, and a note says how
  // many of how many.

  var LABEL_CHAR = 6.7;   // the widest average character of 11 px DejaVu Sans
  var LABEL_HEIGHT = 13;
  var GAP = 2;
  // Directions tried around a point, degrees anticlockwise from the right:
  // above and to the right first, where a falling curve leaves room.
  var DIRECTIONS = [45, 67.5, 22.5, 90, 0, 112.5, 135, 157.5, 180, -22.5, -45, -67.5, -90, -112.5, -135, -157.5];
  var REACH = 3, STEP = 0.5; // how far off, in heights of the text, and in what steps

  function box(x, y, w, h) { return { x: x, y: y, w: w, h: h }; }
  function overlaps(a, b) { return a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h; }
  function inside(a, area) { return a.x >= area.x && a.y >= area.y && a.x + a.w <= area.x + area.w && a.y + a.h <= area.y + area.h; }
  // Whether the segment passes through the box (Liang-Barsky clipping).
  function crosses(s, b) {
    var dx = s[2] - s[0], dy = s[3] - s[1], p = [-dx, dx, -dy, dy];
    var q = [s[0] - b.x, b.x + b.w - s[0], s[1] - b.y, b.y + b.h - s[1]], enter = 0, leave = 1;
    for (var i = 0; i < 4; ++i) {
      if (p[i] === 0) { if (q[i] < 0) return false; continue; }
      var t = q[i] / p[i];
      if (p[i] < 0) enter = Math.max(enter, t); else leave = Math.min(leave, t);
      if (enter > leave) return false;
    }
    return true;
  }
  function segmentsCross(a, b) {
    var d = function (p, q, r) { return (q[0] - p[0]) * (r[1] - p[1]) - (q[1] - p[1]) * (r[0] - p[0]); };
    var a1 = [a[0], a[1]], a2 = [a[2], a[3]], b1 = [b[0], b[1]], b2 = [b[2], b[3]];
    return d(a1, a2, b1) * d(a1, a2, b2) < 0 && d(b1, b2, a1) * d(b1, b2, a2) < 0;
  }

  // The places of labels (in order) or null for one that finds none.
  function placeLabels(labels, around) {
    var boxes = [], leaders = [];
    function free(b, leader) {
      if (!inside(b, around.area)) return false;
      var spaced = box(b.x - GAP, b.y - GAP, b.w + 2 * GAP, b.h + 2 * GAP);
      if (boxes.some(function (o) { return overlaps(spaced, o); })) return false;
      if (around.keep.some(function (o) { return overlaps(spaced, o); })) return false;
      if (leaders.some(function (o) { return crosses(o, spaced); })) return false;
      if (leader && (boxes.some(function (o) { return crosses(leader, o); }) || leaders.some(function (o) { return segmentsCross(leader, o); })))
        return false;
      var c = around.curve;
      for (var i = 0; i + 1 < c.length; ++i) {
        if (c[i + 1][0] < spaced.x || c[i][0] > spaced.x + spaced.w) continue;
        if (crosses([c[i][0], c[i][1], c[i + 1][0], c[i + 1][1]], spaced)) return false;
      }
      return true;
    }
    return labels.map(function (l) {
      var nearest = l.radius + GAP + 0.5, farthest = nearest + REACH * l.h + 1e-9;
      for (var d = nearest; d <= farthest; d += STEP * l.h) {
        for (var k = 0; k < DIRECTIONS.length; ++k) {
          var angle = DIRECTIONS[k] * Math.PI / 180, cx = Math.cos(angle), cy = -Math.sin(angle), s = Infinity;
          if (Math.abs(cx) > 1e-9) s = Math.min(s, (d + l.w / 2) / Math.abs(cx));
          if (Math.abs(cy) > 1e-9) s = Math.min(s, (d + l.h / 2) / Math.abs(cy));
          var b = box(l.x + cx * s - l.w / 2, l.y + cy * s - l.h / 2, l.w, l.h), leader = null;
          if (d > nearest) {
            var px = Math.min(Math.max(l.x, b.x), b.x + b.w), py = Math.min(Math.max(l.y, b.y), b.y + b.h);
            var length = Math.hypot(px - l.x, py - l.y);
            if (length <= l.radius) continue;
            var f = l.radius / length;
            leader = [l.x + (px - l.x) * f, l.y + (py - l.y) * f, px, py];
          }
          if (!free(b, leader)) continue;
          boxes.push(b);
          if (leader) leaders.push(leader);
          b.leader = leader;
          return b;
        }
      }
      return null;
    });
  }

  // The places of the most labels, from the first, that can all be placed
  // (a binary search on their count: fewer labels leave those kept as much
  // room or more).
  function mostLabels(wanted, around) {
    var best = [], low = 0, high = wanted.length;
    var tryFirst = function (count) {
      var placed = placeLabels(wanted.slice(0, count), around);
      if (placed.some(function (p) { return p === null; })) return false;
      best = placed;
      return true;
    };
    if (tryFirst(high)) return best;
    while (low + 1 < high) {
      var middle = Math.floor((low + high) / 2);
      if (tryFirst(middle)) low = middle; else high = middle;
    }
    if (best.length !== low) tryFirst(low);
    return best;
  }

  // Under the plot, which predominant species carry a label: the
  // `labelled` most abundant of the `predominant`. Empty when all do.
  function labelledNote(labelled, predominant) {
    if (labelled >= predominant) return "";
    return labelled === 0 ? "sem rótulos: " + predominant + " espécies predominantes, sem espaço"
      : labelled === 1 ? "rótulo: a mais abundante de " + predominant + " espécies predominantes"
        : "rótulos: as " + labelled + " mais abundantes de " + predominant + " espécies predominantes";
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

  // ---- Diversity curves ----------------------------------------------------

  // Round steps for an axis from 0 to max: about five of them.
  function ticksUpTo(max) {
    var raw = max / 5, p = Math.pow(10, Math.floor(Math.log10(raw))), step = p;
    [1, 2, 2.5, 5, 10].some(function (f) { step = f * p; return step >= raw; });
    var out = [];
    for (var v = 0; v <= max + step * 1e-9; v += step) out.push(v);
    return out;
  }
  function tickText(v) { return Number.isInteger(v) ? String(v) : decimal(v, Math.abs(v) < 1 ? 2 : 1); }
  function finite(v) { return typeof v === "number" && isFinite(v); }

  // Curves over a sample size, each with its band: the part up to the
  // sample (`sample`) solid (rarefaction), the part beyond dashed
  // (extrapolation), a dot at the sample, the 95 % band shaded. A point
  // without a value (null in the JSON) breaks its line and its band.
  function curvesChart(o) {
    var W = 720, H = 430, left = 70, right = 24, top = 44, bottom = 92;
    var xs = o.points.map(function (p) { return p[o.x]; });
    var maxX = Math.max.apply(null, xs), maxY = 0;
    o.series.forEach(function (s) {
      o.points.forEach(function (p) {
        [p[s.key]].concat(p[s.band] || []).forEach(function (v) { if (finite(v)) maxY = Math.max(maxY, v); });
      });
    });
    if (o.maxY) maxY = o.maxY;
    maxY = maxY > 0 ? maxY : 1;
    var yTicks = ticksUpTo(maxY), xTicks = ticksUpTo(maxX);
    maxY = Math.max(maxY, yTicks[yTicks.length - 1]);
    var x = function (v) { return left + v / maxX * (W - left - right); };
    var y = function (v) { return H - bottom - v / maxY * (H - top - bottom); };
    var out = "";
    yTicks.forEach(function (v) {
      out += line(left - 5, y(v), W - right, y(v), ' stroke="#e2e2e2"') + text(left - 8, y(v) + 4, tickText(v), ' text-anchor="end"');
    });
    xTicks.forEach(function (v) {
      out += line(x(v), H - bottom, x(v), H - bottom + 5) + text(x(v), H - bottom + 18, tickText(v), ' text-anchor="middle"');
    });
    out += line(x(o.sample), top, x(o.sample), H - bottom, ' stroke="#999" stroke-dasharray="2 3"');
    // Runs of consecutive points where fn gives a value.
    function runs(fn) {
      var all = [], cur = [];
      o.points.forEach(function (p) {
        var v = fn(p);
        if (v === null) { if (cur.length) all.push(cur); cur = []; } else cur.push([p[o.x], v]);
      });
      if (cur.length) all.push(cur);
      return all;
    }
    function pathOf(pts) { return pts.map(function (q, i) { return (i ? "L" : "M") + num(x(q[0])) + " " + num(y(Math.min(q[1], maxY))); }).join(" "); }
    o.series.forEach(function (s) {
      var band = s.band;
      runs(function (p) { var b = p[band]; return b && finite(b[0]) && finite(b[1]) ? b : null; }).forEach(function (r) {
        var upper = r.map(function (q) { return [q[0], q[1][1]]; });
        var lower = r.map(function (q) { return [q[0], q[1][0]]; }).reverse();
        out += '<path d="' + pathOf(upper) + " " + pathOf(lower).replace(/^M/, "L") + ' Z" fill="' + s.color + '" fill-opacity="0.16" stroke="none"/>';
      });
    });
    o.series.forEach(function (s) {
      var value = function (p) { return finite(p[s.key]) ? p[s.key] : null; };
      runs(function (p) { return p[o.x] <= o.sample ? value(p) : null; }).forEach(function (r) {
        out += '<path d="' + pathOf(r) + '" fill="none" stroke="' + s.color + '" stroke-width="2"/>';
      });
      runs(function (p) { return p[o.x] >= o.sample ? value(p) : null; }).forEach(function (r) {
        out += '<path d="' + pathOf(r) + '" fill="none" stroke="' + s.color + '" stroke-width="2" stroke-dasharray="6 4"/>';
      });
      var at = o.points.filter(function (p) { return p[o.x] === o.sample && value(p) !== null; })[0];
      if (at) out += '<circle cx="' + num(x(at[o.x])) + '" cy="' + num(y(at[s.key])) + '" r="4.5" fill="' + s.color + '"><title>' +
        esc(s.label + ": " + decimal(at[s.key], 2)) + "</title></circle>";
    });
    out += line(left, top, left, H - bottom) + line(left, H - bottom, W - right, H - bottom);
    out += text(left + (W - left - right) / 2, H - bottom + 36, o.xLabel, ' text-anchor="middle"');
    out += text(18, top + (H - top - bottom) / 2, o.yLabel, ' text-anchor="middle" transform="rotate(-90 18 ' + num(top + (H - top - bottom) / 2) + ')"');
    // The key: each series, then what solid, dashed, dot and band mean.
    var ky = H - 34, kx = left;
    o.series.forEach(function (s) {
      out += line(kx, ky - 4, kx + 22, ky - 4, ' stroke="' + s.color + '" stroke-width="2"') + text(kx + 28, ky, s.label);
      kx += 40 + s.label.length * 7;
    });
    ky += 20; kx = left;
    out += line(kx, ky - 4, kx + 22, ky - 4, ' stroke="#333" stroke-width="2"') + text(kx + 28, ky, "rarefação");
    out += line(kx + 110, ky - 4, kx + 132, ky - 4, ' stroke="#333" stroke-width="2" stroke-dasharray="6 4"') + text(kx + 138, ky, "extrapolação");
    out += '<circle cx="' + (kx + 250) + '" cy="' + (ky - 4) + '" r="4.5" fill="#333"/>' + text(kx + 260, ky, o.sampleLabel);
    out += '<rect x="' + (kx + 390) + '" y="' + (ky - 10) + '" width="22" height="12" fill="#333" fill-opacity="0.16"/>' + text(kx + 418, ky, "intervalo de 95 %");
    return svg(W, H, o.title, out);
  }

  var HILL = [
    { key: "q0", band: "ic_q0", color: "#2f5d34", label: "q = 0 (riqueza)" },
    { key: "q1", band: "ic_q1", color: "#c0392b", label: "q = 1 (exp. de Shannon)" },
    { key: "q2", band: "ic_q2", color: "#2c6fb0", label: "q = 2 (inverso de Simpson)" },
  ];

  // The three Hill numbers against the number of individuals.
  function hillCurves(result) {
    return curvesChart({
      title: "Números de Hill por indivíduos", points: result.curva_individuos, x: "m", sample: result.individuos,
      series: HILL, xLabel: "Número de indivíduos", yLabel: "Diversidade (espécies efetivas)", sampleLabel: "amostra (" + result.individuos + ")",
    });
  }

  // The species against the number of collections (sample-based).
  function collectionCurve(result) {
    return curvesChart({
      title: "Riqueza por coletas", points: result.curva_coletas, x: "t", sample: result.coletas,
      series: [{ key: "q0", band: "ic_q0", color: "#2f5d34", label: "espécies (q = 0)" }],
      xLabel: "Número de coletas", yLabel: "Número de espécies", sampleLabel: "amostra (" + result.coletas + ")",
    });
  }

  // The sample coverage against the number of individuals.
  function coverageCurve(result) {
    return curvesChart({
      title: "Cobertura da amostra por indivíduos", points: result.curva_individuos, x: "m", sample: result.individuos, maxY: 1,
      series: [{ key: "cobertura", band: "ic_cobertura", color: "#7a4fa0", label: "cobertura" }],
      xLabel: "Número de indivíduos", yLabel: "Cobertura", sampleLabel: "amostra (" + result.individuos + ")",
    });
  }

  // ---- Dendrogram -----------------------------------------------------------

  // The UPGMA tree of the comparison, on its side: the treatments' names at
  // the leaves, the merge heights (dissimilarities from 0 to 1) across, the
  // cophenetic correlation under it. Null when the core gave no tree.
  function dendrogram(result) {
    var d = result.dendrograma, names = result.tratamentos;
    if (!d || !d.fusoes.length) return null;
    var nodes = {};
    var keyOf = function (members) { return members.slice().sort(function (a, b) { return a - b; }).join(","); };
    names.forEach(function (_, i) { nodes[String(i + 1)] = { leaf: i + 1, height: 0 }; });
    var root = null;
    d.fusoes.forEach(function (f) {
      root = { children: [nodes[keyOf(f.grupos[0])], nodes[keyOf(f.grupos[1])]], height: f.altura };
      nodes[keyOf(f.grupos[0].concat(f.grupos[1]))] = root;
    });
    var rowH = 30, top = 48, left = 24, labelW = 180, right = 36;
    var W = 720, H = top + names.length * rowH + 78;
    var maxH = Math.max(1, d.fusoes.reduce(function (m, f) { return Math.max(m, f.altura); }, 0));
    var x = function (h) { return left + labelW + h / maxH * (W - left - labelW - right); };
    var out = "", row = 0;
    ticksUpTo(maxH).forEach(function (v) {
      out += line(x(v), top - 8, x(v), top + names.length * rowH, ' stroke="#e2e2e2"') +
        text(x(v), top + names.length * rowH + 16, tickText(v), ' text-anchor="middle"');
    });
    // Places the leaves top to bottom in the tree's order; gives each
    // node's vertical position.
    function place(node) {
      if (node.leaf) {
        node.y = top + row * rowH + rowH / 2;
        out += text(x(0) - 8, node.y + 4, "T" + node.leaf + " " + names[node.leaf - 1], ' text-anchor="end"');
        ++row;
        return node.y;
      }
      var ys = node.children.map(place);
      node.children.forEach(function (c) {
        out += line(x(c.height), c.y, x(node.height), c.y, ' stroke="#2f5d34" stroke-width="2"');
      });
      out += line(x(node.height), ys[0], x(node.height), ys[1], ' stroke="#2f5d34" stroke-width="2"');
      node.y = (ys[0] + ys[1]) / 2;
      return node.y;
    }
    place(root);
    out += line(x(0), top + names.length * rowH, W - right, top + names.length * rowH);
    var index = d.indice === "bray_curtis" ? "dissimilaridade de Bray-Curtis" : "1 - Sørensen";
    out += text(x(maxH / 2), top + names.length * rowH + 36, "Altura de fusão (" + index + ", UPGMA)", ' text-anchor="middle"');
    out += text(x(0), H - 14, "Correlação cofenética: " + (d.correlacao_cofenetica === null ? "- (não definida)" : decimal(d.correlacao_cofenetica, 4)));
    return svg(W, H, "Dendrograma dos tratamentos", out);
  }

  return { whittaker: whittaker, classBars: classBars, similarityWhiskers: similarityWhiskers,
    hillCurves: hillCurves, collectionCurve: collectionCurve, coverageCurve: coverageCurve, dendrogram: dendrogram };
})();
