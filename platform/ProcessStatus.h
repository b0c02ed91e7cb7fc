#pragma once

namespace platform {

// A memory figure of this process from /proc/self/status, in kilobytes:
// "VmRSS" (resident now) or "VmHWM" (the peak). -1 when it cannot be read.
long processStatusKilobytes(const char* field);

} // namespace platform
