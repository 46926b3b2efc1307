#include "qelhost/services/windows_paths.hpp"
#include "qelhost/platform.hpp"

std::string PathHere(const std::string& Given) {
    HostPath Found = HostPathFor(Given);
    return Found.Error != 0 ? "" : Found.Path;
}

std::string ShownPath(const std::string& Here) {
    std::string Shown = WindowsPathFor(Here);
    return Shown.empty() ? Here : Shown;
}

std::string JoinedPath(const std::string& Here, const std::string& Name) {
    return Here.empty() || Here.back() == '/' ? Here + Name : Here + "/" + Name;
}
