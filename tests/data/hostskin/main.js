// The main page's script: what the host calls, the variables it reads after
// a navigation command, and testState() for the end-to-end test.
var currentMode = 0;
var autopace = "false";
var ticks = 0;
var initialCalls = 0;
var warnings = "";
var lastItemWarning = "";

function OnInitial() {
  initialCalls = initialCalls + 1;
}

function ProcessEnd() {
  ticks = ticks + 1;
  var t = document.getElementById("tickText");
  if (t) t.innerHTML = String(ticks);
}

function BeginChangeMode(mode) {
  currentMode = parseInt(mode, 10) || 0;
  var m = document.getElementById("modeText");
  if (m) m.innerHTML = String(currentMode);
}

function SetAutoPace(on) {
  autopace = on;
}

function VARNEQ_ITEM_WARNING(id, on) {
  lastItemWarning = id + ":" + on;
}

function VARNEQ_WARNING(unused, on) {
  warnings = on;
  var w = document.getElementById("warningText");
  if (w) w.innerHTML = on == "TRUE" ? "WARNING" : "no warning";
}

// A navigation command: the host forwards "HELLO" 7 8 to ZETA_PLUGIN and
// keeps the page; the mode the page shows is taken over.
function SendZetaHello() {
  window.location.href = "velmar/ZETA_PLUGIN:HELLO:7:8";
}

// Every element showing the first fan's caption, in page order.
function captions() {
  var out = [];
  document.querySelectorAll("[id]").forEach(function(e) {
    if (e.id == "FAN+ZEFAN_FAN_0+CAPTION") out.push(e.innerHTML);
  });
  return out.join("|");
}

function testState() {
  return "ticks:" + ticks + ";initial:" + initialCalls + ";mode:" + currentMode + ";warning:" + warnings +
         ";url:" + window.location.protocol + ";captions:" + captions();
}
