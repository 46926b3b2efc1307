#include "qelhost/services/standard_text.hpp"

#include <algorithm>

namespace {

bool IsBlank(char Char) {
    return Char == ' ' || Char == '\t' || Char == '\r' || Char == '\n';
}

bool IsSlash(char Char) {
    return Char == '\\' || Char == '/';
}

// The length of the root at Path's start: "C:\" (or "C:"), "\\server\share\",
// or 0.
size_t RootLength(std::string_view Path) {
    if (Path.size() >= 2 && Path[1] == ':')
        return Path.size() >= 3 && IsSlash(Path[2]) ? 3 : 2;
    if (Path.size() >= 2 && IsSlash(Path[0]) && IsSlash(Path[1])) {
        size_t Server = Path.find_first_of("\\/", 2);
        if (Server == std::string_view::npos)
            return Path.size();
        size_t Share = Path.find_first_of("\\/", Server + 1);
        return Share == std::string_view::npos ? Path.size() : Share + 1;
    }
    return 0;
}

} // namespace

std::string WithoutLeadingBlanks(std::string_view Text) {
    size_t Start = 0;
    while (Start < Text.size() && IsBlank(Text[Start]))
        ++Start;
    return std::string(Text.substr(Start));
}

std::string WithoutTrailingBlanks(std::string_view Text) {
    size_t End = Text.size();
    while (End > 0 && IsBlank(Text[End - 1]))
        --End;
    return std::string(Text.substr(0, End));
}

std::string TruncatedText(std::string_view Text, int MaxLength) {
    size_t Max = static_cast<size_t>(std::max(MaxLength, 0));
    if (Text.size() <= Max)
        return std::string(Text);
    if (Max <= 3)
        return std::string(Max, '.');
    return "..." + std::string(Text.substr(Text.size() - (Max - 3)));
}

std::string TruncatedPath(std::string_view Path, int MaxLength) {
    size_t Max = static_cast<size_t>(std::max(MaxLength, 0));
    size_t Root = RootLength(Path);
    if (Path.size() <= Max || Root == 0 || Max < Root + 4)
        return TruncatedText(Path, MaxLength);
    return std::string(Path.substr(0, Root)) + "..." +
           std::string(Path.substr(Path.size() - (Max - Root - 3)));
}

std::string QuotedIfSpaced(std::string_view Text) {
    std::string Result(Text);
    if (Text.find(' ') == std::string_view::npos)
        return Result;
    if (Result.front() != '"')
        Result.insert(0, 1, '"');
    if (Result.size() < 2 || Result.back() != '"')
        Result += '"';
    return Result;
}

std::string WithoutQuotes(std::string_view Text) {
    std::string Result(Text);
    Result.erase(std::remove(Result.begin(), Result.end(), '"'), Result.end());
    return Result;
}

std::string WithEndSlash(std::string_view Path) {
    std::string Result(Path);
    if (!Result.empty() && IsSlash(Result.back()))
        return Result;
    auto Slashes = std::count(Result.begin(), Result.end(), '/');
    auto Backslashes = std::count(Result.begin(), Result.end(), '\\');
    return Result + (Slashes > Backslashes ? '/' : '\\');
}

size_t NameOffset(std::string_view Path) {
    size_t Last = Path.find_last_of("\\/:");
    return Last == std::string_view::npos ? 0 : Last + 1;
}

std::string PathRoot(std::string_view Path, std::string_view CurrentRoot) {
    size_t Root = RootLength(Path);
    if (Root == 0)
        return std::string(CurrentRoot);
    std::string Result(Path.substr(0, Root));
    std::replace(Result.begin(), Result.end(), '/', '\\');
    return WithEndSlash(Result);
}

int64_t LeadingNumber(std::string_view Text) {
    size_t I = 0;
    while (I < Text.size() && IsBlank(Text[I]))
        ++I;
    bool Negative = I < Text.size() && Text[I] == '-';
    if (I < Text.size() && (Text[I] == '-' || Text[I] == '+'))
        ++I;
    uint64_t Value = 0;
    for (; I < Text.size() && Text[I] >= '0' && Text[I] <= '9'; ++I)
        Value = Value * 10 + static_cast<uint64_t>(Text[I] - '0');
    return static_cast<int64_t>(Negative ? 0 - Value : Value);
}

std::string NumberText(int64_t Value, int Radix, bool SixtyFourBits) {
    if (Radix < 2 || Radix > 36)
        return "";
    bool Negative = Radix == 10 && Value < 0;
    uint64_t Magnitude = Negative        ? 0 - static_cast<uint64_t>(Value)
                         : SixtyFourBits ? static_cast<uint64_t>(Value)
                                         : static_cast<uint32_t>(Value);
    std::string Digits;
    do {
        Digits += "0123456789abcdefghijklmnopqrstuvwxyz"[Magnitude % Radix];
        Magnitude /= Radix;
    } while (Magnitude != 0);
    if (Negative)
        Digits += '-';
    return std::string(Digits.rbegin(), Digits.rend());
}
