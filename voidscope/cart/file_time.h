// The one platform call of the analysis: a file's last-write time.
#pragma once

#include <cstdint>
#include <string>

// True and the time when the platform can report it; the value is only
// ever compared for equality.
bool QueryNESFileTime(const std::string& name, std::uint64_t& time);
