// Check_yyy and Get_yyy: is the reply long enough, and what does it say.

#include <algorithm>

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
using diag::setBase;

std::int32_t widen(std::uint8_t b) noexcept { return b; }

void markErroneous(ItemValue* p, std::size_t n) noexcept {
  for (std::size_t k = 0; k < n; ++k) p[k].F[records::statusFlag] = records::statusErroneous;
}

// The bytes of [from, from + count) that arrived, for a log dump.
void dumpArrived(diag::Logger& log, const unsigned char* rbuf, std::size_t received, std::size_t from, std::size_t count) {
  if (received <= from) return;
  diag::hexdump(log, rbuf + from, static_cast<std::uint32_t>(std::min(count, received - from)));
}

}  // namespace
}  // namespace tarvik

int Check_yyy(const ItemAddress* ia, const int* count_rec, const int* max_rec, const unsigned char* rbuf) {
  using namespace tarvik;
  return diag::runExport(driverLog(), "Check_yyy", -1, [&](diag::Logger& log) -> int {
    log.level(diag::info);
    if (!argumentsPresent(log, ia, count_rec, max_rec, rbuf)) return -1;
    const std::int32_t received = *count_rec;
    const std::int32_t expected = *max_rec;
    log << "ia.c[0]=" << widen(ia->c[records::unitIdByte]) << " count_rec=" << received << " max_rec=" << expected
        << lineEnd;
    // A negative count means nothing arrived, whatever max_rec says.
    if (received >= 0 && (received >= expected || received == frame::replyHeaderLength)) return 0;
    log.level(diag::error) << "received " << received << " of " << expected << " expected" << lineEnd;
    log << "rbuf: ";
    diag::hexdump(log, rbuf, static_cast<std::uint32_t>(frame::receivedLength(received)));
    log << lineEnd;
    return -1;
  });
}

int Get_yyy(const ItemAddress* ia, const int* count_rec, int* q_rec, ItemValue* p, const unsigned char* rbuf,
            int* type_cnv) {
  using namespace tarvik;
  return diag::runExport(driverLog(), "Get_yyy", -1, [&](diag::Logger& log) -> int {
    if (!argumentsPresent(log, ia, count_rec, q_rec, p, rbuf, type_cnv)) return -1;
    const frame::Item item = frame::readItem(*ia);
    const AreaRow* row = areaOrError(log, item.areaIndex);
    if (row == nullptr) return -1;
    const std::size_t n = std::size_t{item.countByte} + 1;
    const std::size_t received = frame::receivedLength(*count_rec);
    *q_rec = static_cast<int>(n);
    *type_cnv = 0;
    p[0].F[records::valueFormFlag] = 0;
    p[0].F[records::statusFlag] = records::statusGood;

    log.level(diag::info) << "q_rec=" << static_cast<std::int32_t>(n) << " type_cnv=" << std::int32_t{*type_cnv}
                          << " no_of_bytes=" << widen(row->bytesPerValue) << lineEnd;
    log << "rbuf: ";
    diag::hexdump(log, rbuf, static_cast<std::uint32_t>(received));
    log << lineEnd;

    wire::ByteReader reply(rbuf, received);
    std::span<const std::uint8_t> header;
    const bool hasHeader = frame::getReplyHeader(reply, header);

    if (p[0].F[records::directionFlag] == records::directionOutput) {
      if (hasHeader && frame::isGoodReply(header, frame::areaWriteCode)) {
        log << "channel written ok" << lineEnd;
      } else {
        p[0].F[records::statusFlag] = records::statusErroneous;
        log.level(diag::error) << "erroneous response=";
        dumpArrived(log, rbuf, received, 0, 4);
        log << lineEnd;
      }
      return 0;
    }

    if (!hasHeader || !frame::isGoodReply(header, frame::areaReadCode)) {
      markErroneous(p, n);
      *type_cnv = 99;
      log.level(diag::error) << "erroneous response code=";
      dumpArrived(log, rbuf, received, 2, 2);
      log << lineEnd;
      return 0;
    }
    if (row->bytesPerValue != 1 && row->bytesPerValue != 2) {
      log.level(diag::error) << "no. of bytes > 2" << lineEnd;
      return -1;
    }
    std::span<const std::uint8_t> data;
    if (!reply.getBytes(n * row->bytesPerValue, data)) {
      // A good end code without the data: nothing may be decoded from stale buffer bytes.
      markErroneous(p, n);
      *type_cnv = 99;
      log.level(diag::error) << "reply too short: received " << static_cast<std::int32_t>(received) << " of "
                             << static_cast<std::int32_t>(4 + n * row->bytesPerValue) << " bytes" << lineEnd;
      return 0;
    }
    const bool traceValues = row->bytesPerValue == 2 && log.gateOpen();
    for (std::size_t i = 0; i < n; ++i) {
      const std::uint16_t value = frame::valueAt(data, row->bytesPerValue, i);
      frame::storeReadValue(p[i], value);
      if (traceValues) {
        log << setBase(16) << "hibyte=" << std::int32_t{data[2 * i]} << " lobyte=" << std::int32_t{data[2 * i + 1]}
            << lineEnd;
        log << "p[" << static_cast<std::int32_t>(i) << "]=" << std::int32_t{value} << setBase(10) << lineEnd;
      }
    }
    return 0;
  });
}
