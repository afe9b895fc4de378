#pragma once
// The command line and the console, as UTF-8 on every system. On Windows the
// arguments come from the wide command line and console output goes through
// the wide console API, so French text shows right whatever the code page.

#include <string>
#include <vector>

std::vector<std::string> commandLineArguments(int argc, char** argv);
void printOut(const std::string& utf8);
void printError(const std::string& utf8);
// The folder of the running executable (empty when unknown).
std::string executableFolder();
