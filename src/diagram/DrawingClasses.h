#pragma once

#include <vector>

struct CRuntimeClass;

// The classes of everything a loop drawing stores. Programs that open documents
// call this once so that every class is linked in and known by name to the
// archive, whichever classes their own code happens to use.
std::vector<const CRuntimeClass*> RegisterDrawingClasses();
