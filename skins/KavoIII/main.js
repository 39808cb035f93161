// KavoIII's page script: the functions the host calls, the variables it
// reads after a navigation command ("currentMode", "autopace"), and the
// handlers of the mode and automatic-mode keys.
var currentMode = 0;
var autopace = "false";
var hardwareWarning = false;
var refreshes = 0;

var MODE_NAMES = ["Default", "Turbo", "Normal", "Quiet", "User 1", "User 2", "User 3"];
// Left edges of the mode keys in KavoIII.xml, for the mark under the mode
// the host reports (the page cannot check a key itself).
var MODE_KEY_LEFT = [12, 66, 120, 174, 228, 282, 336];
var FAN_TILES = 4;
var EMPTY = "\u2014";

function byId(id) {
  return document.getElementById(id);
}

// ---- called by the host

function OnInitial() {
  ShowMode();
  ShowAutoPace();
  ShowFans();
  ShowReadings();
}

function BeginChangeMode(mode) {
  var n = parseInt(mode, 10);
  if (n >= 0 && n < MODE_NAMES.length) currentMode = n;
  ShowMode();
}

function SetAutoPace(on) {
  autopace = on == "true" ? "true" : "false";
  ShowAutoPace();
}

function ProcessEnd() {
  refreshes = refreshes + 1;
  ShowFans();
  ShowReadings();
}

// An item of a hardware-monitor document is flagged: paint its value red
// and mark the place it sits in.
function VARNEQ_ITEM_WARNING(id, flagged) {
  var e = byId(id);
  if (!e) return;
  var on = flagged == "TRUE";
  e.classList.toggle("alarm", on);
  var place = e.closest(".reading");
  if (place) place.classList.toggle("alarmed", on);
}

function VARNEQ_WARNING(unused, active) {
  hardwareWarning = active == "TRUE";
  var badge = byId("warnBadge");
  if (badge) badge.style.display = hardwareWarning ? "block" : "none";
}

// ---- the keys (CALL of the JSBUTTONs)

function ModeDefault() { RequestMode(0); }
function ModeTurbo() { RequestMode(1); }
function ModeNormal() { RequestMode(2); }
function ModeQuiet() { RequestMode(3); }
function ModeUser1() { RequestMode(4); }
function ModeUser2() { RequestMode(5); }
function ModeUser3() { RequestMode(6); }

// A mode chosen by hand ends automatic selection, which would otherwise
// override the choice at its next step.
function RequestMode(n) {
  currentMode = n;
  autopace = "false";
  ShowMode();
  ShowAutoPace();
  SendCommand("VARNOCCTRL_PLUGIN", "CHANGE_MODE", n, 0);
}

// The host starts or stops the automatic-mode plug-in itself after every
// navigation command, from "autopace"; the command names no plug-in.
function ToggleAutoPace() {
  autopace = autopace == "true" ? "false" : "true";
  ShowAutoPace();
  SendCommand("VELMAR_PAGE", "AUTOPACE", autopace == "true" ? 1 : 0, 0);
}

// A navigation command: the host takes the last address segment,
// identifier:command:value1:value2, hands it to the plug-in and keeps the
// page. The relative "velmar/" keeps the identifier out of the URL scheme.
function SendCommand(identifier, command, value1, value2) {
  window.location.href = "velmar/" + [identifier, command, value1, value2].join(":");
}

// ---- drawing

function ShowMode() {
  var name = byId("modeName");
  if (name) name.innerHTML = MODE_NAMES[currentMode];
  var mark = byId("modeMark");
  if (mark) {
    mark.style.left = MODE_KEY_LEFT[currentMode] + "px";
    mark.style.display = "block";
  }
}

function ShowAutoPace() {
  var on = autopace == "true";
  var led = byId("autoLed");
  if (led) led.classList.toggle("on", on);
  var text = byId("autoText");
  if (text) text.innerHTML = on ? "on" : "off";
}

// The host writes caption and duty ("45%"); the bar follows the duty, and a
// tile no fan was written into stays faded.
function ShowFans() {
  for (var n = 0; n < FAN_TILES; n++) {
    var item = "FAN+ZEFAN_FAN_" + n + "+";
    var caption = byId(item + "CAPTION");
    var duty = byId(item + "PWM_DUTYCYCLE");
    var tile = byId("tile_" + n);
    var bar = byId("bar_" + n);
    if (!caption || !duty || !tile || !bar) continue;
    var used = caption.textContent != EMPTY && caption.textContent != "";
    tile.classList.toggle("idle", !used);
    var percent = parseInt(duty.textContent, 10);
    if (isNaN(percent)) percent = 0;
    bar.style.width = Math.round(Math.max(0, Math.min(100, percent)) * 0.72) + "px";
  }
}

// The monitor's readings (temperatures in the title, fan speeds in the
// strip): a place whose value the host never wrote stays hidden, so a board
// without that pin, or a host without the monitor, shows no empty label.
function ShowReadings() {
  var places = document.querySelectorAll(".reading");
  for (var i = 0; i < places.length; i++) {
    var value = places[i].querySelector(".value");
    places[i].classList.toggle("unused", !value || value.innerHTML == "");
  }
  var hint = byId("speedHint");
  if (hint) hint.style.display = document.querySelector(".speed:not(.unused)") ? "none" : "block";
}

function BoundAlarms() {
  return document.querySelectorAll("[id*='+'].alarm").length;
}

function ShownReadings() {
  return document.querySelectorAll(".reading:not(.unused)").length;
}

// A one-line summary of the page's state, read by the host's diagnostic dump.
function testState() {
  var cpu = byId("TEMPERATURE+CPUTIN+DISPLAY");
  return "mode:" + currentMode + ";autopace:" + autopace + ";warning:" + hardwareWarning + ";refreshes:" + refreshes +
         ";alarms:" + BoundAlarms() + ";readings:" + ShownReadings() + ";cpu:" + (cpu ? cpu.textContent : "");
}
