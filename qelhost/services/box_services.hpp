// The Menu and InputBox services, for the startup record.
#pragma once

#include "host/native_interface.hpp"

extern const FARAPIMENU ServeMenu;
extern const FARAPIINPUTBOX ServeInputBox;
