#pragma once
// The exports of the media library as the host binds to them. They keep C++
// linkage: the host binds to the decorated names of functions taking the id
// slot by reference (see media_export_names.h for the names per platform).

#include "platform/export.h"

PLATFORM_EXPORT_DEF int OpenMedia(platform::MediaId& id);
PLATFORM_EXPORT_DEF int CloseMedia(platform::MediaId& id);
PLATFORM_EXPORT_DEF int StartMedia(platform::MediaId& id);
PLATFORM_EXPORT_DEF int StopMedia(platform::MediaId& id);
PLATFORM_EXPORT_DEF int ReadMedia(platform::MediaId& id, char* buffer, int length, int& count);
PLATFORM_EXPORT_DEF int WriteMedia(platform::MediaId& id, char* frame, int length, int& count);

// The marker: its exported name carries the media identifier into the file,
// where the driver's discovery finds it.
extern "C" PLATFORM_EXPORT_DEF void media_guid16428EE8_9A10_4363_82D5_153286869221();

namespace quellon {

using LifecycleFn = decltype(&OpenMedia);
using TransferFn = decltype(&ReadMedia);

// The media identifier and the media id that OpenMedia hands out (its first group).
inline constexpr const char* mediaIdentifier = "16428EE8_9A10_4363_82D5_153286869221";
inline constexpr platform::MediaId mediaId = 0x16428EE8;

}  // namespace quellon
