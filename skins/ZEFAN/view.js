// The fan view's script: after each refresh the host has rewritten the
// bound cells; this redraws the bars from the duty texts and the state
// marks from "STATUSINFO", and shows whether the view refreshes.
var refreshes = 0;
var live = true;
var enabledFans = {};
var BAR_WIDTH = 90;

function byId(id) {
  return document.getElementById(id);
}

// "FAN+ZEFAN_FAN_0+STATUSINFO" -> "ZEFAN_FAN_0"
function ItemOf(id) {
  var parts = id.split("+");
  return parts.length == 3 ? parts[1] : "";
}

function OnInitial() {
  UpdateBars();
  ShowLive();
}

function ProcessEnd() {
  refreshes = refreshes + 1;
  UpdateBars();
}

function FAN_STATUSINFO(id, status) {
  var item = ItemOf(id);
  var on = status == "Enable";
  enabledFans[item] = on;
  var mark = byId("mark_" + item);
  if (mark) {
    mark.className = on ? "mark on" : "mark off";
    mark.innerHTML = on ? "AUTO" : "OFF";
  }
  if (mark && mark.parentNode) mark.parentNode.classList.toggle("off", !on);
}

// The fan plug-in reports no availability; a document that does gets its
// flagged values painted red.
function FAN_AVAILABILITY(id, availability) {
  var e = byId(id);
  if (e) e.classList.toggle("alarm", availability == "4");
}

// CALL of the timer keys; the host starts or stops the timer from their IDs.
function OnLive() {
  live = true;
  ShowLive();
}

function OnPause() {
  live = false;
  ShowLive();
}

function UpdateBars() {
  var cells = document.querySelectorAll("[id$='+PWM_DUTYCYCLE']");
  for (var i = 0; i < cells.length; i++) {
    var bar = byId("bar_" + ItemOf(cells[i].id));
    if (!bar) continue;
    var percent = parseInt(cells[i].textContent, 10);
    if (isNaN(percent)) percent = 0;
    bar.style.width = Math.round(Math.max(0, Math.min(100, percent)) * BAR_WIDTH / 100) + "px";
  }
}

function ShowLive() {
  var text = byId("liveText");
  if (!text) return;
  text.innerHTML = live ? "LIVE" : "PAUSED";
  text.className = live ? "" : "paused";
}

// A one-line summary of the view's state, read by the host's diagnostic dump.
function testState() {
  var on = 0;
  for (var k in enabledFans) if (enabledFans[k]) on = on + 1;
  return "refreshes:" + refreshes + ";live:" + live + ";enabled:" + on;
}
