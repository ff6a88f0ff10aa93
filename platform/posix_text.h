// Text between the program (UTF-8) and the C library and the terminal (the locale's encoding).
#pragma once

#include <string>

// The C library's description of an error, in the locale's language, as UTF-8.
std::string DescribeError(int error);
// Writes one line to standard error in the locale's encoding, characters it lacks as close as it has them.
void WriteToTerminal(const std::string& lineUtf8);
