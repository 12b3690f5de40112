#include "behavior.h"

std::string cBehavior::GetName() const { return "Base Behavior"; }
