#include "instancemutex.h"

struct InstanceMutex::Handles
{};

InstanceMutex::InstanceMutex() = default;

InstanceMutex::~InstanceMutex() = default;
