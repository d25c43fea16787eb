// Resource numbers shared by the resource script (see CMakeLists.txt) and
// the code.
#pragma once

#define WindowIconId 1
