// The style sheet and the script of the summary page. The script draws the
// maps from the run lengths the page carries, reads out the byte under the
// mouse as the window does, and sorts the tables; it fetches nothing.
#include "summary_page.h"

const char* const PageStyle = R"CSS(body { font: 13px Tahoma, "Liberation Sans", "DejaVu Sans", sans-serif; color: #000; background: #fff; margin: 10px; }
h1 { font-size: 13px; font-weight: normal; margin: 0 0 8px; white-space: pre-wrap; }
#controls { margin: 0 0 6px; }
#controls label { margin-right: 8px; }
#legend { min-height: 0; margin: 0 0 4px; }
#legend span { display: inline-block; margin: 0 14px 2px 0; }
#legend i { display: inline-block; width: 9px; height: 9px; border: 1px solid #000; margin-right: 4px; vertical-align: -1px; }
#maps { display: flex; flex-wrap: wrap; align-items: flex-start; gap: 18px 8px; margin: 0 0 16px; }
#maps figure { margin: 0; }
#maps figcaption { height: 20px; line-height: 15px; }
#maps canvas { display: block; border: 1px solid #000; image-rendering: pixelated; image-rendering: crisp-edges; cursor: crosshair; }
#readout { position: fixed; z-index: 2; white-space: pre; pointer-events: none; background: #ffffe1; border: 1px solid #767676; padding: 2px 4px; font: inherit; }
table { border-collapse: collapse; margin: 12px 0 6px; }
caption { text-align: left; font-weight: bold; padding: 0 0 4px; }
th, td { border: 1px solid #bbb; padding: 2px 8px; text-align: right; white-space: nowrap; }
th:first-child, td:first-child { text-align: left; }
#segments td:nth-child(2), #segments td:nth-child(3), #segments td:nth-child(4) { text-align: left; }
th { background: #eee; cursor: pointer; user-select: none; }
th[aria-sort="ascending"]::after { content: " \25B2"; }
th[aria-sort="descending"]::after { content: " \25BC"; }
tr.below td, p.below { color: #b00000; font-weight: bold; }
ul { margin: 4px 0; padding-left: 20px; }
)CSS";

const char* const PageScript = R"JS((function () {
  'use strict';
  var data = window.VOIDSCOPE_DATA;
  function rgb(text) {
    return [parseInt(text.substr(1, 2), 16), parseInt(text.substr(3, 2), 16), parseInt(text.substr(5, 2), 16)];
  }
  // The window's colours, as the page was written with them.
  var COLOURS = { gained: [255, 0, 255], lost: [0, 0, 255] };
  Object.keys(data.colours).forEach(function (key) { COLOURS[key] = rgb(data.colours[key]); });
  var zoom = 1;
  var views = { segments: false, play: false, changes: false };
  var cache = [];

  function hex(v, digits) {
    var s = v.toString(16).toUpperCase();
    while (s.length < digits) s = '0' + s;
    return s;
  }
  // "U1a4F6k": a state letter, then the run's length in base 36.
  function expand(text, size) {
    var out = new Uint8Array(size), o = 0, re = /([A-Z])([0-9a-z]+)/g, m;
    while ((m = re.exec(text)) !== null) {
      var n = parseInt(m[2], 36);
      out.fill(m[1].charCodeAt(0), o, Math.min(size, o + n));
      o += n;
    }
    return out;
  }
  function bankData(b) {
    if (cache[b]) return cache[b];
    var bank = data.banks[b], c = { states: expand(bank.states, bank.size) };
    if (bank.changes !== undefined) c.changes = expand(bank.changes, bank.size);
    if (bank.reach !== undefined) c.reach = expand(bank.reach, bank.size);
    if (bank.parts !== undefined) {
      c.segment = new Int32Array(bank.size).fill(-1);
      bank.parts.forEach(function (p) { c.segment.fill(p[2], p[0], Math.min(bank.size, p[0] + p[1])); });
    }
    cache[b] = c;
    return c;
  }
  // The used bytes' values, decoded when first asked for.
  function value(b, o) {
    var c = bankData(b);
    if (!c.values) {
      var raw = atob(data.banks[b].values), v = new Uint8Array(raw.length);
      for (var i = 0; i < raw.length; i++) v[i] = raw.charCodeAt(i);
      c.values = v;
      c.usedBefore = new Uint32Array(data.banks[b].size + 1);
      for (var k = 0; k < data.banks[b].size; k++) c.usedBefore[k + 1] = c.usedBefore[k] + (c.states[k] === 85 ? 1 : 0);
    }
    return c.values[c.usedBefore[o]];
  }
  var legendColours = (data.legend || []).map(function (item) { return rgb(item[1]); });

  function colour(c, o) {
    var s = c.states[o];
    var col = s === 85 ? COLOURS.U : s === 70 ? COLOURS.F : COLOURS.M;
    if (s === 85) {
      if (views.segments && c.segment && c.segment[o] >= 0) col = legendColours[c.segment[o]];
      if (views.play && c.reach) {
        var f = c.reach[o] - 65;
        if (!(f & 1)) col = COLOURS.never;
        else if (!(views.segments && c.segment)) col = f & 2 ? COLOURS.code : COLOURS.data;
      }
    }
    // What changed in strong colours, the rest faded behind it.
    if (views.changes && c.changes) {
      var ch = c.changes[o];
      if (ch === 85) return COLOURS.gained;
      if (ch !== 83) return COLOURS.lost;
      return [col[0] + ((255 - col[0]) * 3 >> 2), col[1] + ((255 - col[1]) * 3 >> 2), col[2] + ((255 - col[2]) * 3 >> 2)];
    }
    return col;
  }
  // The plain maps straight from the runs, a run at a time: what a large
  // image's page draws when it opens.
  function packed(col) { return (0xFF000000 | (col[2] << 16) | (col[1] << 8) | col[0]) >>> 0; }
  var PLAIN = { U: packed(COLOURS.U), F: packed(COLOURS.F), M: packed(COLOURS.M) };
  function drawPlain(canvas, bank) {
    var ctx = canvas.getContext('2d'), picture = ctx.createImageData(canvas.width, canvas.height);
    var px = new Uint32Array(picture.data.buffer), o = 0, re = /([A-Z])([0-9a-z]+)/g, m;
    while ((m = re.exec(bank.states)) !== null) {
      var n = parseInt(m[2], 36);
      px.fill(PLAIN[m[1]], o, Math.min(px.length, o + n));
      o += n;
    }
    ctx.putImageData(picture, 0, 0);
  }
  function draw(canvas) {
    var b = +canvas.getAttribute('data-bank');
    var littleEndian = new Uint8Array(new Uint32Array([1]).buffer)[0] === 1;
    if (!views.segments && !views.play && !views.changes && littleEndian) return drawPlain(canvas, data.banks[b]);
    var c = bankData(b);
    var ctx = canvas.getContext('2d'), picture = ctx.createImageData(canvas.width, canvas.height);
    var px = picture.data, n = Math.min(c.states.length, canvas.width * canvas.height);
    for (var o = 0; o < n; o++) {
      var col = colour(c, o);
      px[4 * o] = col[0]; px[4 * o + 1] = col[1]; px[4 * o + 2] = col[2]; px[4 * o + 3] = 255;
    }
    ctx.putImageData(picture, 0, 0);
  }
  var canvases = Array.prototype.slice.call(document.querySelectorAll('#maps canvas'));
  function drawAll() { canvases.forEach(draw); }
  function setZoom(z) {
    zoom = z;
    canvases.forEach(function (canvas) {
      canvas.style.width = canvas.width * z + 'px';
      canvas.style.height = canvas.height * z + 'px';
    });
  }
  function swatch(col, text) {
    return '<span><i style="background: rgb(' + col.join(',') + ')"></i>' + text + '</span>';
  }
  function escapeText(t) {
    return t.replace(/&/g, '&amp;').replace(/</g, '&lt;').replace(/>/g, '&gt;');
  }
  function legend() {
    var parts = [];
    if (views.segments) (data.legend || []).forEach(function (item, k) { parts.push(swatch(legendColours[k], escapeText(item[0]))); });
    if (views.play) {
      if (views.segments && data.legend) parts.push(swatch(COLOURS.never, 'never reached by the play logs'));
      else parts.push(swatch(COLOURS.code, 'code, drawn'), swatch(COLOURS.data, 'data, read'), swatch(COLOURS.never, 'never reached'));
    }
    if (views.changes) parts.push(swatch(COLOURS.gained, 'used now, not before'), swatch(COLOURS.lost, 'free or missing now, not before'));
    document.getElementById('legend').innerHTML = parts.join('');
  }

  // What the window's readout says of a byte.
  function atOrBefore(list, v) {
    var lo = 0, hi = list.length - 1, found = -1;
    while (lo <= hi) {
      var mid = (lo + hi) >> 1;
      if (list[mid][0] <= v) { found = mid; lo = mid + 1; } else hi = mid - 1;
    }
    return found;
  }
  function originText(fileOffset) {
    var origin = data.origin, r = atOrBefore(origin.ranges, fileOffset);
    if (r < 0 || fileOffset >= origin.ranges[r][1] || origin.ranges[r].length > 3) return 'In no segment';
    var range = origin.ranges[r];
    var text = 'Segment ' + range[2] + ', offset $' + hex(fileOffset - range[0], 4);
    var l = atOrBefore(origin.labels, fileOffset);
    if (l >= 0 && origin.labels[l][0] >= range[0]) {
      var d = fileOffset - origin.labels[l][0];
      text += '\nLabel ' + origin.labels[l][1] + (d ? '+' + d : '');
    }
    var s = atOrBefore(origin.sources, fileOffset);
    if (s >= 0 && origin.sources[s][1] !== null) text += '\nSource ' + origin.sources[s][1];
    return text;
  }
  function byteText(b, o) {
    var bank = data.banks[b], c = bankData(b), s = c.states[o];
    var text = bank.label + '\nOffset $' + hex(o, 4) + ' (file $' + hex(bank.offset + o, 6) + ')\n';
    if (s === 77) {
      text += 'Missing: the file ends before this byte';
    } else if (s === 85) {
      text += 'Value $' + hex(value(b, o), 2) + ', used';
    } else {
      var first = o, end = o;
      while (first > 0 && c.states[first - 1] === 70) first--;
      while (end < bank.size && c.states[end] === 70) end++;
      var freeValue = bank.kind === 'PRG' ? data.emptyByte : 0;
      text += 'Value $' + hex(freeValue, 2) + ', free\nFree run $' + hex(first, 4) + '-$' + hex(end - 1, 4) +
              ', ' + (end - first) + (end - first === 1 ? ' byte' : ' bytes');
    }
    if (data.origin) text += '\n' + originText(bank.offset + o);
    if (data.reachWords) text += '\n' + data.reachWords[bank.kind][c.reach[o] - 65];
    return text;
  }
  var readout = document.getElementById('readout');
  function hover(event) {
    var canvas = event.target, b = +canvas.getAttribute('data-bank');
    // From the cells' corner, inside the frame, at the zoom shown.
    var rect = canvas.getBoundingClientRect();
    var x = Math.floor((event.clientX - rect.left - canvas.clientLeft) / zoom);
    var y = Math.floor((event.clientY - rect.top - canvas.clientTop) / zoom);
    if (x < 0 || y < 0 || x >= canvas.width || y >= canvas.height) { readout.hidden = true; return; }
    readout.textContent = byteText(b, y * canvas.width + x);
    readout.hidden = false;
    var left = event.clientX + 16, top = event.clientY + 16;
    if (left + readout.offsetWidth > window.innerWidth) left = Math.max(0, event.clientX - 8 - readout.offsetWidth);
    if (top + readout.offsetHeight > window.innerHeight) top = Math.max(0, event.clientY - 8 - readout.offsetHeight);
    readout.style.left = left + 'px';
    readout.style.top = top + 'px';
  }
  canvases.forEach(function (canvas) {
    canvas.addEventListener('mousemove', hover);
    canvas.addEventListener('mouseleave', function () { readout.hidden = true; });
  });

  // Sorting: a click on a heading sorts by its column, a second the other way.
  function sortBy(th) {
    var table = th.closest('table'), body = table.tBodies[0], column = th.cellIndex;
    var ascending = th.getAttribute('aria-sort') !== 'ascending';
    Array.prototype.forEach.call(table.tHead.rows[0].cells, function (h) { h.removeAttribute('aria-sort'); });
    th.setAttribute('aria-sort', ascending ? 'ascending' : 'descending');
    var rows = Array.prototype.slice.call(body.rows);
    rows.sort(function (a, b) {
      var x = a.cells[column], y = b.cells[column], d;
      if (x.hasAttribute('data-sort') && y.hasAttribute('data-sort')) d = +x.getAttribute('data-sort') - +y.getAttribute('data-sort');
      else d = x.textContent.localeCompare(y.textContent);
      return ascending ? d : -d;
    });
    rows.forEach(function (row) { body.appendChild(row); });
  }
  Array.prototype.forEach.call(document.querySelectorAll('table.sortable thead th'), function (th) {
    th.tabIndex = 0;
    th.addEventListener('click', function () { sortBy(th); });
    th.addEventListener('keydown', function (e) { if (e.key === 'Enter' || e.key === ' ') { e.preventDefault(); sortBy(th); } });
  });

  Array.prototype.forEach.call(document.querySelectorAll('input[name="zoom"]'), function (input) {
    input.addEventListener('change', function () { setZoom(+input.value); });
  });
  ['segments', 'play', 'changes'].forEach(function (view) {
    var box = document.getElementById('view-' + view);
    if (!box) return;
    box.checked = false;
    box.addEventListener('change', function () { views[view] = box.checked; legend(); drawAll(); });
  });
  setZoom(1);
  // The first maps at once, the rest a batch at a time, so that a large
  // image shows its first banks without waiting for its last.
  var next = 0;
  (function drawSome() {
    for (var end = Math.min(canvases.length, next + 24); next < end; next++) draw(canvases[next]);
    if (next < canvases.length) setTimeout(drawSome, 0);
    else document.body.setAttribute('data-drawn', 'true');
  })();
})();
)JS";
