// Set_yyy and zCompare_yyy: one FINS memory area request per block of items,
// and whether an item may join a block.

#include "driver/area_table.h"
#include "driver/driver_state.h"
#include "driver/export_checks.h"
#include "driver/frame.h"
#include "interface/tarvik.h"
#include "log/hexdump.h"
#include "log/log_scope.h"
#include "log/log_stream.h"

namespace tarvik {
namespace {

using diag::lineEnd;

// A read request carries its item count in one byte; 128 values is the largest block the host sends.
constexpr std::uint8_t unencodableCountByte = 255;
constexpr std::uint32_t blockLimit = 128;

std::int32_t widen(std::uint8_t b) noexcept { return b; }

}  // namespace
}  // namespace tarvik

int Set_yyy(const ItemAddress* ia, int* max_send, int* max_rec, const ItemValue* p, unsigned char* frame) {
  using namespace tarvik;
  return diag::runExport(driverLog(), "Set_yyy", -1, [&](diag::Logger& log) -> int {
    setFirstPass(false);
    if (!argumentsPresent(log, ia, max_send, max_rec, p, frame)) return -1;
    const frame::Item item = frame::readItem(*ia);
    const AreaRow* row = areaOrError(log, item.areaIndex);
    if (row == nullptr) return -1;
    const auto numOfValues = static_cast<std::uint8_t>(item.countByte + 1);
    const std::uint16_t address = wordAddress(*row, item.offset);

    log.level(diag::info) << "UnitID(ia.c[0])=" << widen(item.unitId) << " debug=" << widen(item.debug) << lineEnd;
    log << "area code=" << widen(row->areaCode) << lineEnd;
    log << "offset=" << std::int32_t{address} << lineEnd;
    log << "no. of bytes=" << widen(row->bytesPerValue) << lineEnd;
    log << "num_of_values=" << widen(numOfValues) << lineEnd;

    wire::ByteWriter out(frame, frame::requestCapacity);
    const bool isWrite = p->F[records::directionFlag] == records::directionOutput;
    if (isWrite) {
      log << "p[0].V=";
      diag::hexdump(log, p->V, 4);
      log << lineEnd << "p[0].F=";
      diag::hexdump(log, p->F, 4);
      log << lineEnd;
      // A write always carries exactly one value, whatever the count byte says.
      frame::putRequestHead(out, {item.unitId, frame::areaWriteCode, row->areaCode, address, 1});
      if (p->F[records::valueFormFlag] != records::hexValueForm) {
        log.level(diag::error) << "value must be hex for output" << lineEnd;
        return -1;
      }
      frame::putWriteValue(out, row->bytesPerValue, *p);
      *max_send = row->bytesPerValue + frame::requestHeadLength;
      *max_rec = frame::replyHeaderLength;
    } else {
      if (item.countByte == unencodableCountByte) {
        // The count would travel as 0 while the reply is decoded as 256 values.
        log.level(diag::error) << "count byte 255 refused: a read request holds at most 255 values" << lineEnd;
        return -1;
      }
      frame::putRequestHead(out, {item.unitId, frame::areaReadCode, row->areaCode, address, numOfValues});
      *max_send = frame::requestHeadLength;
      *max_rec = numOfValues * row->bytesPerValue + frame::replyHeaderLength;
    }
    log.level(diag::info) << "max_send=" << std::int32_t{*max_send} << " max_rec=" << std::int32_t{*max_rec} << lineEnd;
    return 0;
  });
}

int zCompare_yyy(const ItemAddress* ia0, const ItemAddress* ia1, const unsigned int* count) {
  using namespace tarvik;
  return diag::runExport(driverLog(), "zCompare_yyy", 0, [&](diag::Logger& log) -> int {
    log.level(diag::info);
    if (!argumentsPresent(log, ia0, ia1, count)) return 0;
    const frame::Item first = frame::readItem(*ia0);
    const frame::Item next = frame::readItem(*ia1);
    const std::uint32_t held = *count;
    // The first pass is the second-pass rule applied to count + 1; sums in 32 bits, no wrap at 65536.
    const bool isFirstPass = firstPass();
    const std::uint32_t effective = isFirstPass ? held + 1u : held;
    const int result = (effective < blockLimit && std::uint32_t{first.offset} + effective == std::uint32_t{next.offset}) ? 1 : 0;
    log << (isFirstPass ? "first_pass " : "second_pass ") << "count=" << held << " ia0.i[1]=" << std::int32_t{first.offset}
        << " ia1.i[1]=" << std::int32_t{next.offset} << " debug0=" << widen(first.debug) << " debug1=" << widen(next.debug)
        << " retval=" << std::int32_t{result} << lineEnd;
    return result;
  });
}
