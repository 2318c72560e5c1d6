#pragma once
// The exported names of the media library, as a host binds to them, per platform.

#include "platform/export.h"

namespace quellon {

struct MediaExportNames {
  const char* openMedia;
  const char* closeMedia;
  const char* startMedia;
  const char* stopMedia;
  const char* readMedia;
  const char* writeMedia;
};

// g++/clang decoration of int f(int&) and int f(int&, char*, int, int&).
inline constexpr MediaExportNames posixMediaExportNames{
    "_Z9OpenMediaRi", "_Z10CloseMediaRi", "_Z10StartMediaRi",
    "_Z9StopMediaRi", "_Z9ReadMediaRiPciS_", "_Z10WriteMediaRiPciS_"};

// The usual Windows C++ compiler's decoration of int f(long&) and its siblings.
inline constexpr MediaExportNames win32MediaExportNames{
    "?OpenMedia@@YAHAAJ@Z", "?CloseMedia@@YAHAAJ@Z", "?StartMedia@@YAHAAJ@Z",
    "?StopMedia@@YAHAAJ@Z", "?ReadMedia@@YAHAAJPADHAAH@Z", "?WriteMedia@@YAHAAJPADHAAH@Z"};

inline constexpr MediaExportNames win64MediaExportNames{
    "?OpenMedia@@YAHAEAJ@Z", "?CloseMedia@@YAHAEAJ@Z", "?StartMedia@@YAHAEAJ@Z",
    "?StopMedia@@YAHAEAJ@Z", "?ReadMedia@@YAHAEAJPEADHAEAH@Z", "?WriteMedia@@YAHAEAJPEADHAEAH@Z"};

inline constexpr const MediaExportNames& mediaExportNames =
    platform::target == platform::Target::win64   ? win64MediaExportNames
    : platform::target == platform::Target::win32 ? win32MediaExportNames
                                                  : posixMediaExportNames;

inline constexpr const char* mediaMarkerName = "media_guid16428EE8_9A10_4363_82D5_153286869221";

}  // namespace quellon
