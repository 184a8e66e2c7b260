// Compiled only to build a precompiled header that other targets reuse.
