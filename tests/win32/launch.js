// A script client of the plug-in, as a host macro would be: creates the class
// by its ProgID and calls launchFenlet, once with text and once with numbers.
var plugin = new ActiveXObject("Ravelin.FenletLaunchInterface");
plugin.launchFenlet("3", "<PLANTSERVERNAME>P1</PLANTSERVERNAME>");
plugin.launchFenlet(0, "<TARNTAG>PT-101</TARNTAG><PLANTSERVERNAME>P2</PLANTSERVERNAME>");
plugin.launchFenlet("7", "<PLANTSERVERNAME>P3</PLANTSERVERNAME>");
WScript.Echo("launched");
