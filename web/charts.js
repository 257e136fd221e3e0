// The charts of a result, drawn as SVG text from the figures the core
// gives for it (zav_web_figures): every value, order, label, tick and the
// dendrogram's layout come from there, as on the desktop; here they are
// only placed on the page. Each chart is a whole SVG document that the page
// shows and saves as it is.
"use strict";

var ZavCharts = (function () {
  var FONT = "DejaVu Sans, Arial, sans-serif";
  // The desktop's colours, by what they mean.
  var COLOURS = { especies: "#1f5aa0", predominantes: "#e68c00", super: "#c81e1e", primeira: "#1f5aa0",
    segunda: "#c85a14", terceira: "#288c3c", cinza: "#5a5a5a" };
  var CHAR = 6.6; // the average width of a character of 12 px DejaVu Sans

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
  function tip(hover) { return hover ? "<title>" + esc(hover) + "</title>" : ""; }
  function circle(x, y, r, colour, hover) {
    return '<circle cx="' + num(x) + '" cy="' + num(y) + '" r="' + r + '" fill="' + colour + '">' + tip(hover) + "</circle>";
  }
  function polygon(points, attrs) {
    return '<polygon points="' + points.map(function (p) { return num(p[0]) + "," + num(p[1]); }).join(" ") + '"' + attrs + "/>";
  }
  function star(x, y, r, colour) {
    var points = [];
    for (var k = 0; k < 10; ++k) {
      var a = Math.PI / 2 + k * Math.PI / 5, d = k % 2 ? r * 0.45 : r;
      points.push([x + d * Math.cos(a), y - d * Math.sin(a)]);
    }
    return polygon(points, ' fill="' + colour + '" stroke="#8a5400" stroke-width="0.6"');
  }
  function triangle(x, y, r, colour) {
    return polygon([[x, y - r], [x + r * 0.87, y + r / 2], [x - r * 0.87, y + r / 2]], ' fill="' + colour + '"');
  }
  function pathOf(points) {
    return points.map(function (p, i) { return (i ? "L" : "M") + num(p[0]) + " " + num(p[1]); }).join(" ");
  }

  // Where a value of an axis falls between the pixels `from` and `to`.
  function scale(axis, from, to) {
    var log = axis.escala === "log";
    var f = function (v) { return log ? Math.log10(v) : v; };
    var low = f(axis.min), span = f(axis.max) - low;
    return function (v) { return from + (f(v) - low) / span * (to - from); };
  }

  // A series' sample in the legend or the key, centred at (x, y).
  function swatch(style, colour, x, y) {
    switch (style) {
      case "tracejada": return line(x - 11, y, x + 11, y, ' stroke="' + colour + '" stroke-width="2" stroke-dasharray="6 4"');
      case "pontos": return circle(x, y, 4.5, colour);
      case "estrelas": return star(x, y, 7, colour);
      case "quadrados": return '<rect x="' + (x - 6) + '" y="' + (y - 6) + '" width="12" height="12" fill="none" stroke="' + colour + '" stroke-width="2"/>';
      case "triangulos": return triangle(x, y, 6, colour);
      case "faixa": return '<rect x="' + (x - 11) + '" y="' + (y - 6) + '" width="22" height="12" fill="' + colour + '" fill-opacity="0.16"/>';
      case "barras": return '<rect x="' + (x - 6) + '" y="' + (y - 6) + '" width="12" height="12" fill="' + colour + '"/>';
      case "intervalos": return line(x, y - 7, x, y + 7, ' stroke="' + colour + '" stroke-width="1.5"');
      default: return line(x - 11, y, x + 11, y, ' stroke="' + colour + '" stroke-width="2"');
    }
  }

  // One figure as an SVG document: the title and its notes, the plot with
  // its axes, the series in their order, the legend under the plot and the
  // treatments' key beside it.
  // The bars of classes: a small chart. Bars over dates, and bars with a
  // treatments' key (the indicator species), are large ones.
  function isSmall(f) {
    return f.x.escala === "categorias" && f.chave.length === 0 && f.series.some(function (s) { return s.estilo === "barras"; });
  }

  function draw(f) {
    var small = isSmall(f);
    var W = small ? 360 : 720;
    var keyW = f.chave.length ? 28 + 6 * Math.max.apply(null, f.chave.map(function (l) { return l.length; })) : 0;
    var rotated = f.x.escala === "categorias" && f.x.marcas.length > 6;
    var xLabelRoom = rotated ? 12 + CHAR * Math.max.apply(null, f.x.marcas.map(function (m) { return m[1].length; })) : 20;
    // The legend in rows under the plot.
    var entries = f.series.filter(function (s) { return s.nome; }), rows = [[]], rowW = 0;
    entries.forEach(function (s) {
      var w = 40 + s.nome.length * CHAR;
      if (rowW + w > W - 40 && rows[rows.length - 1].length) { rows.push([]); rowW = 0; }
      rows[rows.length - 1].push({ series: s, x: rowW });
      rowW += w;
    });
    if (!entries.length) rows = [];
    // Room left of the plot for the longest label of the y axis.
    var yLabel = Math.max.apply(null, f.y.marcas.map(function (m) { return m[1].length; }).concat([1]));
    // Room right of the plot for a second axis's labels and title.
    var y2Label = f.y2 ? Math.max.apply(null, f.y2.marcas.map(function (m) { return m[1].length; }).concat([1])) : 0;
    var left = (small ? 34 : 40) + CHAR * yLabel, right = 16 + keyW + (f.y2 ? 30 + CHAR * y2Label : 0), top = 40 + 17 * f.notas.length;
    var plotH = small ? 190 : 300, labelsNote = f.notas_de_rotulos.length ? 16 : 0;
    var plotBottom = top + plotH, keyH = f.chave.length * 16 + 12;
    var H = Math.max(plotBottom + xLabelRoom + 24 + rows.length * 20 + labelsNote + 8, top + keyH + 8);
    var x = scale(f.x, left, W - right), y = scale(f.y, plotBottom, top);
    var yMain = y, y2 = f.y2 ? scale(f.y2, plotBottom, top) : null;
    var out = "";
    f.notas.forEach(function (note, i) { out += text(W / 2, 40 + 17 * i, note, ' text-anchor="middle" font-size="11" fill="#444"'); });
    f.y.marcas.forEach(function (m) {
      out += line(left - 4, y(m[0]), W - right, y(m[0]), ' stroke="#e2e2e2"') +
        text(left - 7, y(m[0]) + 4, m[1], ' text-anchor="end" class="marca-y"');
    });
    f.x.marcas.forEach(function (m) {
      out += line(x(m[0]), plotBottom, x(m[0]), plotBottom + 4);
      out += rotated ? text(x(m[0]) + 4, plotBottom + 8, m[1], ' text-anchor="end" class="marca-x" transform="rotate(-90 ' + num(x(m[0]) + 4) + " " + num(plotBottom + 8) + ')"')
        : text(x(m[0]), plotBottom + 17, m[1], ' text-anchor="middle" class="marca-x"');
    });
    out += line(left, top, left, plotBottom) + line(left, plotBottom, W - right, plotBottom);
    if (y2) {
      f.y2.marcas.forEach(function (m) {
        out += line(W - right, y2(m[0]), W - right + 4, y2(m[0])) + text(W - right + 7, y2(m[0]) + 4, m[1], ' class="marca-y2"');
      });
      var titleX = W - right + 16 + CHAR * y2Label;
      out += line(W - right, top, W - right, plotBottom) +
        text(titleX, top + plotH / 2, f.y2.titulo, ' text-anchor="middle" transform="rotate(90 ' + num(titleX) + " " + num(top + plotH / 2) + ')"');
    }
    out += text(left + (W - right - left) / 2, plotBottom + xLabelRoom + 16, f.x.titulo, ' text-anchor="middle"');
    var middle = top + plotH / 2;
    out += text(16, middle, f.y.titulo, ' text-anchor="middle" transform="rotate(-90 16 ' + num(middle) + ')"' + (small ? ' font-size="11"' : ""));
    var labels = [];
    f.series.forEach(function (s) {
      var colour = COLOURS[s.cor] || "#333", p = s.pontos, body = "";
      // A series of the second axis measured on it.
      var y = s.eixo === "y2" && y2 ? y2 : yMain;
      var at = function (q) { return [x(q[0]), y(q[1])]; };
      switch (s.estilo) {
        case "linha": case "tracejada":
          body = '<path d="' + pathOf(p.map(at)) + '" fill="none" stroke="' + colour + '" stroke-width="2"' + (s.estilo === "tracejada" ? ' stroke-dasharray="6 4"' : "") + "/>";
          // Each point says under the pointer what it is.
          if (s.dicas && p.length <= 100) p.forEach(function (q, i) { body += circle(x(q[0]), y(q[1]), 3, colour, s.dicas[i]); });
          break;
        case "pontos":
          p.forEach(function (q, i) { body += circle(x(q[0]), y(q[1]), 4.5, colour, s.dicas && s.dicas[i]); });
          break;
        case "estrelas":
          p.forEach(function (q, i) {
            body += star(x(q[0]), y(q[1]), 8, colour);
            if (s.rotulos && s.rotulos[i].length) labels.push({ x: x(q[0]), y: y(q[1]), runs: s.rotulos[i] });
          });
          break;
        case "quadrados":
          p.forEach(function (q) { body += '<rect x="' + num(x(q[0]) - 9) + '" y="' + num(y(q[1]) - 9) + '" width="18" height="18" fill="none" stroke="' + colour + '" stroke-width="2.5"/>'; });
          break;
        case "triangulos":
          p.forEach(function (q) { body += triangle(x(q[0]), y(q[1]), 7, colour); });
          break;
        case "faixa":
          body = '<path d="' + pathOf(p.map(function (q) { return [x(q[0]), y(q[3])]; }).concat(p.slice().reverse().map(function (q) { return [x(q[0]), y(q[2])]; }))) +
            ' Z" fill="' + colour + '" fill-opacity="0.16" stroke="none"/>';
          break;
        case "barras":
          var width = (s.largura || 0.6) * (x(1) - x(0));
          p.forEach(function (q, i) {
            body += '<rect class="barra" data-valor="' + q[1] + '" x="' + num(x(q[0]) - width / 2) + '" y="' + num(y(q[1])) + '" width="' + num(width) + '" height="' + num(y(0) - y(q[1])) +
              '" fill="' + (s.marcados && s.marcados[i] ? COLOURS.super : colour) + '">' + tip(s.rotulos && s.rotulos[i].map(function (r) { return r[0]; }).join("")) + "</rect>";
            body += text(x(q[0]), y(q[1]) - 4, String(q[1]), ' text-anchor="middle" font-size="11"');
          });
          break;
        case "intervalos":
          var cap = 0.12 * (x(1) - x(0));
          p.forEach(function (q) {
            body += line(x(q[0]), y(q[2]), x(q[0]), y(q[3]), ' stroke="' + colour + '" stroke-width="1.5"') +
              line(x(q[0]) - cap, y(q[2]), x(q[0]) + cap, y(q[2]), ' stroke="' + colour + '" stroke-width="1.5"') +
              line(x(q[0]) - cap, y(q[3]), x(q[0]) + cap, y(q[3]), ' stroke="' + colour + '" stroke-width="1.5"');
          });
          break;
        case "segmentos":
          for (var i = 0; i + 1 < p.length; i += 2) body += line(x(p[i][0]), y(p[i][1]), x(p[i + 1][0]), y(p[i + 1][1]), ' stroke="' + colour + '" stroke-width="2.5"');
          break;
      }
      out += '<g class="serie" data-estilo="' + s.estilo + '" data-pontos="' + p.length + '">' + body + "</g>";
    });
    out += speciesLabels(labels, f, { left: left, top: top, right: W - right, bottom: plotBottom, noteY: plotBottom + xLabelRoom + 32 });
    var legendY = plotBottom + xLabelRoom + 36 + labelsNote;
    rows.forEach(function (row, r) {
      var rowWidth = row.length ? row[row.length - 1].x + 40 + row[row.length - 1].series.nome.length * CHAR : 0;
      var x0 = (W - rowWidth) / 2;
      row.forEach(function (e) {
        out += swatch(e.series.estilo, COLOURS[e.series.cor] || "#333", x0 + e.x + 12, legendY + r * 20 - 4) +
          text(x0 + e.x + 28, legendY + r * 20, e.series.nome, ' font-size="11"');
      });
    });
    if (f.chave.length) {
      var kx = W - keyW + 4;
      out += '<rect x="' + num(kx) + '" y="' + top + '" width="' + num(keyW - 12) + '" height="' + keyH + '" fill="#fff" stroke="#787878"/>';
      f.chave.forEach(function (l, i) {
        out += text(kx + 8, top + 18 + i * 16, l, ' font-size="11" class="chave"' + (i === 0 ? ' font-weight="bold"' : i >= f.notas_da_chave ? ' font-style="italic"' : ""));
      });
    }
    return '<svg xmlns="http://www.w3.org/2000/svg" width="' + W + '" height="' + num(H) + '" viewBox="0 0 ' + W + " " + num(H) +
      '" font-family="' + FONT + '" font-size="12"><title>' + esc(f.titulo) + "</title>" +
      '<rect width="100%" height="100%" fill="#fff"/>' + text(W / 2, 22, f.titulo, ' text-anchor="middle" font-size="' + (small ? 13 : 15) + '" font-weight="bold"') +
      out + "</svg>";
  }

  // The labels of the stars beside them, as many as have room, the most
  // abundant first, and the figure's note on how many did.
  function speciesLabels(labels, f, plot) {
    if (!labels.length) return "";
    var markers = [];
    f.series.forEach(function (s) {
      if (s.estilo === "estrelas" || s.estilo === "quadrados") s.pontos.forEach(function (q) { markers.push(q); });
    });
    var x = scale(f.x, plot.left, plot.right), y = scale(f.y, plot.bottom, plot.top);
    var curve = (f.series.filter(function (s) { return s.estilo === "linha"; })[0] || { pontos: [] }).pontos;
    var around = { area: box(plot.left, plot.top, plot.right - plot.left, plot.bottom - plot.top),
      keep: markers.map(function (q) { return box(x(q[0]) - 9, y(q[1]) - 9, 18, 18); }),
      curve: curve.map(function (q) { return [x(q[0]), y(q[1])]; }) };
    var wanted = labels.slice(0, 80).map(function (l) {
      var shown = l.runs.map(function (r) { return r[0]; }).join("");
      return { x: l.x, y: l.y, radius: 9, runs: l.runs, w: shown.length * LABEL_CHAR, h: LABEL_HEIGHT };
    });
    var placed = mostLabels(wanted, around), out = "";
    placed.forEach(function (p, i) {
      if (p.leader) out += line(p.leader[0], p.leader[1], p.leader[2], p.leader[3], ' stroke="#777" stroke-width="0.7"');
      out += '<text x="' + num(p.x) + '" y="' + num(p.y + p.h - 3) + '" font-size="11" class="rotulo">' + wanted[i].runs.map(function (r) {
        return "<tspan" + (r[1] ? ' font-style="italic"' : "") + ">" + esc(r[0]) + "</tspan>";
      }).join("") + "</text>";
    });
    if (placed.length < labels.length)
      out += text((plot.left + plot.right) / 2, plot.noteY, f.notas_de_rotulos[placed.length], ' text-anchor="middle" font-size="11" fill="#555"');
    return out;
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

  // Every figure of a run, each with its name and its SVG; the small ones
  // (the species per class) go two abreast.
  function drawAll(figures) {
    return figures.map(function (f) {
      return { name: f.nome, svg: draw(f), small: isSmall(f) };
    });
  }

  return { draw: draw, drawAll: drawAll };
})();
