#include "qelhost/counts.hpp"

CountRead ReadCount(const std::string& Text, long& Value) {
    Value = 0;
    if (Text.empty() || Text.find_first_not_of("0123456789") != std::string::npos)
        return CountRead::NotANumber;
    size_t First = Text.find_first_not_of('0');
    std::string Digits = First == std::string::npos ? "0" : Text.substr(First);
    if (Digits.size() > 9)
        return CountRead::TooLarge;
    Value = std::stol(Digits);
    return CountRead::Whole;
}

std::string CountMistake(const std::string& What, const std::string& Text) {
    long Value;
    CountRead Read = ReadCount(Text, Value);
    if (Read == CountRead::TooLarge)
        return What + " " + Text + " is past " + std::to_string(MaxCount) +
               ", the largest number qelhost takes";
    if (Read == CountRead::NotANumber || Value == 0)
        return What + " is a number from 1, not \"" + Text + "\"";
    return "";
}
