// The fan view's script: refresh count and status for the end-to-end test.
var refreshes = 0;
var initials = 0;
var statuses = {};

function OnInitial() {
  initials = initials + 1;
}

function ProcessEnd() {
  refreshes = refreshes + 1;
}

function FAN_STATUSINFO(id, status) {
  statuses[id] = status;
  var e = document.getElementById(id);
  if (e) e.title = status;
}

function FAN_AVAILABILITY(id, text) {
  var e = document.getElementById(id);
  if (e) e.style.color = text == "4" ? "#ff6060" : "";
}

function testState() {
  var on = 0;
  for (var k in statuses) if (statuses[k] == "Enable") on = on + 1;
  return "refreshes:" + refreshes + ";initial:" + initials + ";enabled:" + on;
}
