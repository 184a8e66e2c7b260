#pragma once

// Documents with drawings measure text when they load, and drawing needs fonts:
// both need a GUI application, which runs on the offscreen platform when there
// is no display. Safe to call more than once.
void EnsureGuiApplication();
