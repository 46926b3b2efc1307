#include "qelhost/services/name_masks.hpp"
#include "qelhost/services/oem_letters.hpp"

#include <bitset>
#include <vector>

namespace {

// A mask read into steps; all but Star take exactly one character.
struct MaskStep {
    enum Kind { Star, Any, Set } What;
    std::bitset<256> Takes; // upper-cased bytes, for Set
};

std::vector<MaskStep> ReadMask(std::string_view Mask) {
    std::vector<MaskStep> Steps;
    for (size_t I = 0; I < Mask.size(); ++I) {
        unsigned char Char = static_cast<unsigned char>(Mask[I]);
        MaskStep Step{MaskStep::Set, {}};
        size_t Close = Char == '[' ? Mask.find(']', I + 1) : std::string_view::npos;
        if (Char == '*') {
            if (Steps.empty() || Steps.back().What != MaskStep::Star)
                Steps.push_back({MaskStep::Star, {}});
            continue;
        } else if (Char == '?') {
            Step.What = MaskStep::Any;
        } else if (Close != std::string_view::npos && Close > I + 1) {
            for (size_t J = I + 1; J < Close; ++J) {
                unsigned char From = static_cast<unsigned char>(Mask[J]), To = From;
                if (J + 2 < Close && Mask[J + 1] == '-') {
                    To = static_cast<unsigned char>(Mask[J + 2]);
                    J += 2;
                }
                for (unsigned C = From; C <= To; ++C)
                    Step.Takes.set(OemUpper(static_cast<unsigned char>(C)));
            }
            I = Close;
        } else {
            Step.Takes.set(OemUpper(Char));
        }
        Steps.push_back(Step);
    }
    return Steps;
}

bool Takes(const MaskStep& Step, char Char) {
    return Step.What == MaskStep::Any ||
           Step.Takes.test(OemUpper(static_cast<unsigned char>(Char)));
}

// Stars matched greedily, going back to the last star on a mismatch: at
// most mask length times name length steps, whatever the mask.
bool StepsMatch(const std::vector<MaskStep>& Steps, std::string_view Name) {
    size_t S = 0, N = 0;
    size_t StarStep = std::string_view::npos, StarName = 0;
    while (N < Name.size()) {
        if (S < Steps.size() && Steps[S].What == MaskStep::Star) {
            StarStep = S++;
            StarName = N;
        } else if (S < Steps.size() && Takes(Steps[S], Name[N])) {
            ++S;
            ++N;
        } else if (StarStep != std::string_view::npos) {
            S = StarStep + 1;
            N = ++StarName;
        } else {
            return false;
        }
    }
    while (S < Steps.size() && Steps[S].What == MaskStep::Star)
        ++S;
    return S == Steps.size();
}

bool EndsWith(std::string_view Text, std::string_view End) {
    return Text.size() >= End.size() && Text.substr(Text.size() - End.size()) == End;
}

std::string_view Trimmed(std::string_view Text) {
    while (!Text.empty() && (Text.front() == ' ' || Text.front() == '\t'))
        Text.remove_prefix(1);
    while (!Text.empty() && (Text.back() == ' ' || Text.back() == '\t'))
        Text.remove_suffix(1);
    return Text;
}

// Part (a name or an extension) built from the mask's part.
std::string GeneratedPart(std::string_view Mask, std::string_view Source) {
    std::string Made;
    size_t At = 0;
    for (char Char : Mask) {
        if (Char == '*') {
            if (At < Source.size())
                Made += Source.substr(At);
            At = Source.size();
        } else if (Char == '?') {
            if (At < Source.size())
                Made += Source[At];
            ++At;
        } else {
            Made += Char;
            ++At;
        }
    }
    return Made;
}

} // namespace

bool MatchesMask(std::string_view Mask, std::string_view Name) {
    if (StepsMatch(ReadMask(Mask), Name))
        return true;
    if (Name.find('.') != std::string_view::npos)
        return false;
    if (EndsWith(Mask, ".*"))
        return StepsMatch(ReadMask(Mask.substr(0, Mask.size() - 2)), Name);
    if (EndsWith(Mask, ".") && Mask.size() > 1)
        return StepsMatch(ReadMask(Mask.substr(0, Mask.size() - 1)), Name);
    return false;
}

bool MatchesMaskList(std::string_view Masks, std::string_view Name) {
    while (true) {
        Masks = Trimmed(Masks);
        std::string_view Mask = Masks;
        size_t Separator;
        if (!Masks.empty() && Masks.front() == '"') {
            size_t Quote = Masks.find('"', 1);
            Mask = Masks.substr(1, Quote == std::string_view::npos ? Quote : Quote - 1);
            Separator = Quote == std::string_view::npos ? Quote : Masks.find_first_of(",;", Quote);
        } else {
            Separator = Masks.find_first_of(",;");
            Mask = Trimmed(Masks.substr(0, Separator));
        }
        if (!Mask.empty() && MatchesMask(Mask, Name))
            return true;
        if (Separator == std::string_view::npos)
            return false;
        Masks.remove_prefix(Separator + 1);
    }
}

std::string GeneratedName(std::string_view Mask, std::string_view Name) {
    size_t MaskDot = Mask.rfind('.');
    if (MaskDot == std::string_view::npos)
        return GeneratedPart(Mask, Name);
    size_t NameDot = Name.rfind('.');
    std::string_view Base = Name.substr(0, NameDot);
    std::string_view Extension =
        NameDot == std::string_view::npos ? std::string_view() : Name.substr(NameDot + 1);
    std::string Made = GeneratedPart(Mask.substr(0, MaskDot), Base);
    std::string MadeExtension = GeneratedPart(Mask.substr(MaskDot + 1), Extension);
    if (!MadeExtension.empty())
        Made += "." + MadeExtension;
    return Made;
}

std::string_view NamePart(std::string_view Path) {
    size_t Last = Path.find_last_of("\\/:");
    return Last == std::string_view::npos ? Path : Path.substr(Last + 1);
}
