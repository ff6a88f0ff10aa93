// Resource identifiers shared by the resource script and the code.
#pragma once

#define IDI_VIDUZIRIVO 1
