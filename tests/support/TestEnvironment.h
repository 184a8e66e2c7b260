#pragma once

// Gives the test program a home of its own (HOME and the XDG folders in a fresh
// temporary folder, removed when the program ends), so that what a developer
// has stored (connection settings, the language, recent files) cannot change a
// test's outcome. The first thing every test main does.
void IsolateTestEnvironment();
