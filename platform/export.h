#pragma once
// Export markers, calling conventions and the few types whose width differs
// between the Windows target and our POSIX workshop.

#include <cstdint>

#if defined(_WIN32)
// Exported by its own name, through the attribute (driver exports).
#define PLATFORM_EXPORT_C __declspec(dllexport)
// Exported under a name or ordinal that a .def file gives (media and CLK_LIB).
#define PLATFORM_EXPORT_DEF
#define PLATFORM_CDECL __cdecl
#if defined(_WIN64)
#define CLK_CALL
#else
#define CLK_CALL __stdcall
#endif
#else
#define PLATFORM_EXPORT_C __attribute__((visibility("default")))
#define PLATFORM_EXPORT_DEF __attribute__((visibility("default")))
#define PLATFORM_CDECL
#define CLK_CALL
#endif

namespace platform {

enum class Target { posix, win32, win64 };

#if defined(_WIN64)
inline constexpr Target target = Target::win64;
#elif defined(_WIN32)
inline constexpr Target target = Target::win32;
#else
inline constexpr Target target = Target::posix;
#endif

// The media exports take the host's id slot by reference: `long&` on Windows,
// where long is 32 bits, and a 32-bit int elsewhere (long is 64 bits on Linux).
#if defined(_WIN32)
using MediaId = long;
#else
using MediaId = std::int32_t;
#endif
static_assert(sizeof(MediaId) == 4, "the media id slot is a 32-bit integer");

}  // namespace platform
