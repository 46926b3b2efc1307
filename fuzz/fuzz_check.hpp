// A broken expectation inside a fuzz target: the report says what was
// expected and what came instead, and libFuzzer keeps the input that caused
// it.
#pragma once

#include "host/host_interface.hpp"

#include <stdio.h>
#include <stdlib.h>
#include <string>
#include <type_traits>
#include <vector>

[[noreturn]] inline void Fail(const std::string& What, const std::string& Expected,
                              const std::string& Got) {
    fprintf(stderr, "fuzz check failed: %s\n  expected: %s\n  got:      %s\n", What.c_str(),
            Expected.c_str(), Got.c_str());
    abort();
}

inline void Check(bool Holds, const std::string& What) {
    if (!Holds)
        Fail(What, "true", "false");
}

// Values as a failure report shows them: texts quoted, with every byte that
// is not printable ASCII as \xNN, and long ones shortened in the middle.
inline std::string Shown(const std::string& Text) {
    std::string Out = "\"";
    for (size_t I = 0; I < Text.size(); ++I) {
        if (Text.size() > 120 && I == 50) {
            Out += "...(" + std::to_string(Text.size()) + " bytes)...";
            I = Text.size() - 50;
        }
        unsigned char Byte = Text[I];
        char Escape[8];
        snprintf(Escape, sizeof Escape, "\\x%02X", Byte);
        Out += Byte >= 0x20 && Byte < 0x7F && Byte != '"' && Byte != '\\' ? std::string(1, Byte)
                                                                          : Escape;
    }
    return Out + "\"";
}

template <typename Number> std::string Shown(Number Value) {
    static_assert(std::is_arithmetic_v<Number>);
    if constexpr (std::is_same_v<Number, bool>)
        return Value ? "true" : "false";
    else
        return std::to_string(Value);
}

inline std::string Shown(HANDLE Handle) {
    return Handle == INVALID_HANDLE_VALUE ? "INVALID_HANDLE_VALUE"
                                          : "handle " + std::to_string(intptr_t(Handle));
}

inline std::string Shown(const std::vector<std::string>& Texts) {
    std::string Out = std::to_string(Texts.size()) + (Texts.size() == 1 ? " text:" : " texts:");
    for (const std::string& Text : Texts)
        Out += " " + Shown(Text);
    return Out;
}

template <typename T> void CheckEqual(const T& Got, const T& Expected, const std::string& What) {
    if (!(Got == Expected))
        Fail(What, Shown(Expected), Shown(Got));
}
