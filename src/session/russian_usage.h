#pragma once
// The options' messages are velmar-cli's, in English; the window tells the same in Russian, with
// the keys named as a project writes them (without the dashes).

#include <string>

// The Russian of a message about the options or the settings; a message it does not know is
// given back as it is.
std::string RussianUsageText(const std::string& text);

// Why a file could not be read or written, in Russian, from its errno value.
std::string FileErrorInRussian(int error);
