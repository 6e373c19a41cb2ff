#pragma once

#include "platform/Controls.h"
#include "platform/Forms.h"
