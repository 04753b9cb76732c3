// Everything of the object runtime in one include.
#pragma once

#include "platform/com/bstr.h"
#include "platform/com/comptr.h"
#include "platform/com/dispatch.h"
#include "platform/com/guid.h"
#include "platform/com/hresult.h"
#include "platform/com/interfaces.h"
#include "platform/com/runtime.h"
#include "platform/com/string_resources.h"
#include "platform/com/types.h"
#include "platform/com/variant.h"
