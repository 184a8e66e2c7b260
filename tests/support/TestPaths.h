#pragma once

#include <string>

// Where the tests find the checkout's files and the built programs. The paths
// live in one generated source of their own, so that the other test sources do
// not name this checkout's folders and a fresh clone compiles them from cache.
namespace testpaths {

std::string SourceDir();                       // the top of the checkout
std::string ExamplePlant();                    // examples/PLANT.vxp
std::string Fixture(const std::string& name);  // tests/fixtures/NAME
std::string Resources();                       // resources/
std::string ProgramDir();  // the folder of the windowed program, with what it reads beside itself
std::string Simulator();   // the varex-sim program

}  // namespace testpaths
