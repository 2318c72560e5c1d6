#pragma once
// The exports of the driver library as the host binds to them: C names,
// undecorated, cdecl, results 0 success and -1 failure (zCompare_yyy: 1 or 0).

#include <cstdint>

#include "interface/host_records.h"
#include "platform/export.h"

extern "C" {

PLATFORM_EXPORT_C int PLATFORM_CDECL Open_yyy(std::int32_t* media, char* name, std::int32_t* q_in,
                                              std::int32_t* q_out, std::int32_t* q_data);
PLATFORM_EXPORT_C int PLATFORM_CDECL Close_yyy();
PLATFORM_EXPORT_C int PLATFORM_CDECL Set_yyy(const ItemAddress* ia, int* max_send, int* max_rec,
                                             const ItemValue* p, unsigned char* frame);
PLATFORM_EXPORT_C int PLATFORM_CDECL zCompare_yyy(const ItemAddress* ia0, const ItemAddress* ia1,
                                                  const unsigned int* count);
PLATFORM_EXPORT_C int PLATFORM_CDECL Check_yyy(const ItemAddress* ia, const int* count_rec, const int* max_rec,
                                               const unsigned char* rbuf);
PLATFORM_EXPORT_C int PLATFORM_CDECL Get_yyy(const ItemAddress* ia, const int* count_rec, int* q_rec,
                                             ItemValue* p, const unsigned char* rbuf, int* type_cnv);

}  // extern "C"

namespace tarvik {

// Function types for a host that binds by name.
using OpenFn = decltype(&Open_yyy);
using CloseFn = decltype(&Close_yyy);
using SetFn = decltype(&Set_yyy);
using CompareFn = decltype(&zCompare_yyy);
using CheckFn = decltype(&Check_yyy);
using GetFn = decltype(&Get_yyy);

inline constexpr const char* driverBaseName = "tarvik";

}  // namespace tarvik
