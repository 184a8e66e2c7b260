#pragma once

#include <string>

// Message identifiers by registration name: the same name always gives the
// same identifier within the process, different names different ones, all in
// the range the platform keeps for registered messages (0xC000 to 0xFFFF).
int RegisterWindowMessage(const std::string& name);
