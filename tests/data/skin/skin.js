// The end-to-end test skin's script: what the host calls, and what the test
// reads back.
var skinScriptLoaded = "yes";
var playCount = 0;
var initialReport = "";

function OnInitial() {
  var logo = document.getElementById("logo");
  initialReport = logo ? "logo@" + logo.offsetLeft + "," + logo.offsetTop : "missing";
}

function PressPlay() {
  playCount = playCount + 1;
}

function ElementBox(id) {
  var e = document.getElementById(id);
  if (!e) return "missing";
  var r = e.getBoundingClientRect();
  return r.left + "," + r.top + "," + r.width + "," + r.height;
}

function ScriptCount() {
  return document.getElementsByTagName("script").length;
}
