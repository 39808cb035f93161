// The hardware monitor view's script: switches between the readings and the
// chart, colours each item from the availability the host reports, and
// redraws the curves after each refresh from the bound, hidden
// HISTORY+<pin>+SAMPLES. The chart's boxes and scales are those of
// monitor.xsl, which draws the first curves when the view is composed.
var refreshes = 0;
var live = true;
var page = "readings";

var SLOTS = 60;
var TOP = 16;
var BOTTOM = 66;
// kind -> the plot's horizontal extent
var BOXES = {
  temperature: { left: 32, right: 180 },
  fan: { left: 226, right: 370 }
};
// The availability codes of the monitor's document.
var CELL_CLASS = { "4": "cell warn", "2": "cell off" };

function byId(id) {
  return document.getElementById(id);
}

// "TEMPERATURE+CPUTIN+DISPLAY" -> ["TEMPERATURE", "CPUTIN", "DISPLAY"]
function PartsOf(id) {
  var parts = id.split("+");
  return parts.length == 3 ? parts : ["", "", ""];
}

// ---- called by the host

function OnInitial() {
  var readings = byId("tabReadings");
  var chart = byId("tabChart");
  if (readings) readings.onclick = ShowReadings;
  if (chart) chart.onclick = ShowChart;
  ShowPage();
  ShowLive();
  ShowNotes();
}

function ProcessEnd() {
  refreshes = refreshes + 1;
  DrawChart();
  ShowNotes();
}

function TEMPERATURE_AVAILABILITY(id, availability) { MarkItem(id, availability); }
function FANSPEED_AVAILABILITY(id, availability) { MarkItem(id, availability); }
function VOLTAGE_AVAILABILITY(id, availability) { MarkItem(id, availability); }

// The host calls once per bound element of the item; every call says the
// same of the item's cell.
function MarkItem(id, availability) {
  var parts = PartsOf(id);
  var cell = byId("cell_" + parts[0] + "_" + parts[1]);
  if (cell) cell.className = CELL_CLASS[availability] || "cell";
}

// ---- the header's keys

// CALL of the timer keys; the host starts or stops the timer from their IDs.
function OnLive() {
  live = true;
  ShowLive();
}

function OnPause() {
  live = false;
  ShowLive();
}

function ShowReadings() {
  page = "readings";
  ShowPage();
}

function ShowChart() {
  page = "chart";
  ShowPage();
}

function ShowPage() {
  var readings = byId("readings");
  var chart = byId("chartPage");
  if (readings) readings.style.display = page == "readings" ? "flex" : "none";
  if (chart) chart.style.display = page == "chart" ? "block" : "none";
  var tabReadings = byId("tabReadings");
  var tabChart = byId("tabChart");
  if (tabReadings) tabReadings.className = page == "readings" ? "tab on" : "tab";
  if (tabChart) tabChart.className = page == "chart" ? "tab on" : "tab";
}

function ShowLive() {
  var text = byId("liveText");
  if (!text) return;
  text.innerHTML = live ? "LIVE" : "PAUSED";
  text.className = live ? "" : "paused";
}

// Why an item is unavailable (or how long to a power-off) as its cell's tip.
function ShowNotes() {
  var notes = document.querySelectorAll("[id$='+NOTE']");
  for (var i = 0; i < notes.length; i++) {
    var parts = PartsOf(notes[i].id);
    var cell = byId("cell_" + parts[0] + "_" + parts[1]);
    if (cell) cell.title = notes[i].textContent;
  }
}

// ---- the chart, by the rules of monitor.xsl

function Words(text) {
  var trimmed = text.replace(/\s+/g, " ").trim();
  return trimmed == "" ? [] : trimmed.split(" ");
}

// A word that is a number, as XPath's number() reads it; NaN for "-".
function Reading(word) {
  return /^-?(\d+\.?\d*|\.\d+)$/.test(word) ? parseFloat(word) : NaN;
}

function Extent(lists) {
  var lo = NaN, hi = NaN;
  for (var s = 0; s < lists.length; s++)
    for (var i = 0; i < lists[s].length; i++) {
      var v = Reading(lists[s][i]);
      if (isNaN(v)) continue;
      if (isNaN(lo) || v < lo) lo = v;
      if (isNaN(hi) || v > hi) hi = v;
    }
  return { lo: lo, hi: hi };
}

function Scale(kind, extent) {
  if (kind == "fan") {
    var top = isNaN(extent.hi) || extent.hi * 1.1 <= 1000 ? 1000 : Math.ceil(extent.hi * 1.1 / 1000) * 1000;
    return { lo: 0, hi: top };
  }
  if (isNaN(extent.lo)) return { lo: 20, hi: 60 };
  var lo = Math.floor((extent.lo - 2) / 10) * 10;
  var hi = Math.ceil((extent.hi + 2) / 10) * 10;
  return { lo: lo, hi: hi - lo < 20 ? lo + 20 : hi };
}

function CurvePath(words, box, scale) {
  var path = "";
  var pen = "M";
  var n = words.length;
  for (var i = 0; i < n; i++) {
    var v = Reading(words[i]);
    var drawn = !isNaN(v) && n - 1 - i < SLOTS;
    if (drawn) {
      var x = box.right - (n - 1 - i) * (box.right - box.left) / (SLOTS - 1);
      var y = BOTTOM - (v - scale.lo) * (BOTTOM - TOP) / (scale.hi - scale.lo);
      path += pen + Math.round(x * 10) / 10 + " " + Math.round(y * 10) / 10 + " ";
    }
    pen = drawn ? "L" : "M";
  }
  return path;
}

function CelsiusLabel(celsius) {
  var unit = byId("MONITOR+VARNEQ+UNIT");
  return unit && unit.textContent == "F" ? String(Math.round(celsius * 9 / 5 + 32)) : String(celsius);
}

function DrawChart() {
  for (var kind in BOXES) {
    var curves = document.querySelectorAll("path.curve." + kind);
    var lists = [];
    for (var i = 0; i < curves.length; i++) {
      var samples = byId("HISTORY+" + curves[i].id.substring("curve_".length) + "+SAMPLES");
      lists.push(samples ? Words(samples.textContent) : []);
    }
    var scale = Scale(kind, Extent(lists));
    for (var c = 0; c < curves.length; c++) curves[c].setAttribute("d", CurvePath(lists[c], BOXES[kind], scale));
    var hi = byId(kind + "_hi");
    var lo = byId(kind + "_lo");
    if (hi) hi.textContent = kind == "fan" ? String(scale.hi) : CelsiusLabel(scale.hi);
    if (lo) lo.textContent = kind == "fan" ? String(scale.lo) : CelsiusLabel(scale.lo);
  }
}

function Count(selector) {
  return document.querySelectorAll(selector).length;
}

// Points drawn over all curves: a freshly composed view already has them.
function ChartPoints() {
  var total = 0;
  var curves = document.querySelectorAll("path.curve");
  for (var i = 0; i < curves.length; i++) total += (curves[i].getAttribute("d") || "").split(/[ML]/).length - 1;
  return total;
}

// A one-line summary of the view's state, read by the host's diagnostic dump.
function testState() {
  return "refreshes:" + refreshes + ";live:" + live + ";page:" + page + ";items:" + Count(".cell") +
         ";warn:" + Count(".cell.warn") + ";unavailable:" + Count(".cell.off") + ";points:" + ChartPoints();
}
