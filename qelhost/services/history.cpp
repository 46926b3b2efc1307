#include "qelhost/services/history.hpp"

#include <algorithm>
#include <map>

namespace {

std::map<std::string, std::vector<std::string>> Histories;

} // namespace

const std::vector<std::string>& History(const std::string& Name) {
    return Histories[Name];
}

void AddToHistory(const std::string& Name, const std::string& Text) {
    std::vector<std::string>& Entries = Histories[Name];
    Entries.erase(std::remove(Entries.begin(), Entries.end(), Text), Entries.end());
    Entries.insert(Entries.begin(), Text);
}
