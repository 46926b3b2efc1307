// The host's history lists, which dialog fields with DIF_HISTORY keep.
#pragma once

#include <string>
#include <vector>

// The list called Name (UTF-8 texts), latest entry first, each text once.
const std::vector<std::string>& History(const std::string& Name);

// Puts Text first in the list called Name.
void AddToHistory(const std::string& Name, const std::string& Text);
