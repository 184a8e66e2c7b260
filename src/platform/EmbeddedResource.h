#pragma once

#include <cstddef>

// One file of the resources folder compiled into the program.
struct EmbeddedResource {
    const char* name;
    const unsigned char* data;
    std::size_t size;
};

// The table of built-in resources, ended by an entry with a null name.
const EmbeddedResource* KestrelEmbeddedResources();
