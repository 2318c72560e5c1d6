#include "host/host_session.h"

#include <cstring>
#include <fstream>

#include "interface/media_export_names.h"

namespace host {
namespace {

constexpr int maxBlockValues = 256;  // Get_yyy may write c[5] + 1 records
constexpr int replyCapacity = 4 + 2 * maxBlockValues;
constexpr const char* driverLogName = "tarvik_clk.log";
constexpr const char* mediaLogName = "quellon.log";
constexpr const char* addressTableName = "omron_clk_addr_tab";

template <class Fn>
Fn bind(const platform::SharedLibrary& library, const char* name) {
  return reinterpret_cast<Fn>(library.symbol(name));
}

// StartMedia says only that it failed; a missing table is the cause we can name for sure.
std::string startFailureCause(const std::string& folder) {
  if (!std::ifstream(folder + addressTableName).is_open()) {
    return "the media library could not start: its address table " + std::string(addressTableName) +
           " is missing beside the host program";
  }
  return "the media library could not start: it refused its address table " + std::string(addressTableName) +
         " or the link library could not open the Controller Link session";
}

}  // namespace

HostSession::~HostSession() { stop(); }

bool HostSession::start(const std::string& folder, std::string& failure) {
  const std::string driverPath = folder + platform::sharedLibraryFileName(tarvik::driverBaseName);
  if (!driver_.load(driverPath)) {
    failure = "cannot load the driver " + driverPath + " (" + driver_.error() + ").";
    return false;
  }
  open_ = bind<tarvik::OpenFn>(driver_, "Open_yyy");
  close_ = bind<tarvik::CloseFn>(driver_, "Close_yyy");
  set_ = bind<tarvik::SetFn>(driver_, "Set_yyy");
  compare_ = bind<tarvik::CompareFn>(driver_, "zCompare_yyy");
  check_ = bind<tarvik::CheckFn>(driver_, "Check_yyy");
  get_ = bind<tarvik::GetFn>(driver_, "Get_yyy");
  if (!open_ || !close_ || !set_ || !compare_ || !check_ || !get_) {
    failure = "the driver " + driverPath + " lacks one of its exports.";
    return false;
  }
  std::int32_t media = -1, qIn = 0, qOut = 0;
  char name[16] = {};
  driverOpen_ = true;
  firstPass_ = true;
  if (open_(&media, name, &qIn, &qOut, &qData_) != 0) {
    failure = "no media library (media?.dll holding the media identifier) was found beside the host program; see " +
              std::string(driverLogName) + ".";
    return false;
  }
  const std::string mediaPath = folder + "media" + std::to_string(media) + ".dll";
  if (!media_.load(mediaPath)) {
    failure = "cannot load the media library " + mediaPath + " (" + media_.error() + ").";
    return false;
  }
  const auto& names = quellon::mediaExportNames;
  openMedia_ = bind<quellon::LifecycleFn>(media_, names.openMedia);
  closeMedia_ = bind<quellon::LifecycleFn>(media_, names.closeMedia);
  startMedia_ = bind<quellon::LifecycleFn>(media_, names.startMedia);
  stopMedia_ = bind<quellon::LifecycleFn>(media_, names.stopMedia);
  readMedia_ = bind<quellon::TransferFn>(media_, names.readMedia);
  writeMedia_ = bind<quellon::TransferFn>(media_, names.writeMedia);
  if (!openMedia_ || !closeMedia_ || !startMedia_ || !stopMedia_ || !readMedia_ || !writeMedia_) {
    failure = "the media library " + mediaPath + " lacks one of its exports.";
    return false;
  }
  openMedia_(mediaId_);
  if (startMedia_(mediaId_) != 0) {
    failure = startFailureCause(folder) + "; see " + std::string(mediaLogName) + ".";
    stopMedia_(mediaId_);
    closeMedia_(mediaId_);
    return false;
  }
  mediaStarted_ = true;
  return true;
}

void HostSession::stop() {
  if (mediaStarted_) {
    stopMedia_(mediaId_);
    closeMedia_(mediaId_);
    mediaStarted_ = false;
  }
  media_.unload();
  if (driverOpen_) {
    close_();
    driverOpen_ = false;
  }
  driver_.unload();
}

bool HostSession::transfer(unsigned char* frame, int maxSend, int maxRec, std::vector<unsigned char>& reply,
                           int& countRec, std::string& why) {
  int sent = 0;
  if (writeMedia_(mediaId_, reinterpret_cast<char*>(frame), maxSend, sent) != 0) {
    why = "request not sent";
    return false;
  }
  countRec = 0;
  if (maxRec < 1 || maxRec > replyCapacity ||
      readMedia_(mediaId_, reinterpret_cast<char*>(reply.data()), maxRec, countRec) != 0) {
    why = "no reply of the expected length";
    return false;
  }
  return true;
}

void HostSession::writeTag(const Tag& tag, TagResult& result) {
  const ItemAddress ia = itemAddressOf(tag);
  ItemValue value{};
  value.V[0] = static_cast<std::uint8_t>(*tag.writeValue);
  value.V[1] = static_cast<std::uint8_t>(*tag.writeValue >> 8);
  value.F[records::valueFormFlag] = records::hexValueForm;
  value.F[records::directionFlag] = records::directionOutput;
  unsigned char frame[16] = {};
  int maxSend = 0, maxRec = 0;
  result.written = true;
  const int built = set_(&ia, &maxSend, &maxRec, &value, frame);
  firstPass_ = false;
  if (built != 0) {
    result.error = "request refused by the driver";
    return;
  }
  std::vector<unsigned char> reply(replyCapacity);
  int countRec = 0;
  if (!transfer(frame, maxSend, maxRec, reply, countRec, result.error)) return;
  if (check_(&ia, &countRec, &maxRec, reply.data()) != 0) {
    result.error = "reply too short";
    return;
  }
  int qRec = 0, typeCnv = 0;
  if (get_(&ia, &countRec, &qRec, &value, reply.data(), &typeCnv) != 0 ||
      value.F[records::statusFlag] != records::statusGood) {
    result.error = "erroneous reply";
    return;
  }
  result.ok = true;
  result.value = static_cast<float>(*tag.writeValue);
}

void HostSession::readBlock(const std::vector<Tag>& tags, const Block& block, std::vector<TagResult>& results) {
  const auto n = static_cast<std::uint8_t>(block.tags.size() - 1);
  const ItemAddress ia = itemAddressOf(tags[block.tags.front()], n);
  std::vector<ItemValue> values(maxBlockValues, ItemValue{{0, 0, 0, 0}, {0, 0, 0, 0}});
  unsigned char frame[16] = {};
  int maxSend = 0, maxRec = 0;
  auto failAll = [&](const std::string& why) {
    for (std::size_t k : block.tags) results[k].error = why;
  };
  const int built = set_(&ia, &maxSend, &maxRec, values.data(), frame);
  firstPass_ = false;
  if (built != 0) return failAll("request refused by the driver");
  std::vector<unsigned char> reply(replyCapacity);
  int countRec = 0;
  std::string why;
  if (!transfer(frame, maxSend, maxRec, reply, countRec, why)) return failAll(why);
  if (check_(&ia, &countRec, &maxRec, reply.data()) != 0) return failAll("reply too short");
  int qRec = 0, typeCnv = 0;
  if (get_(&ia, &countRec, &qRec, values.data(), reply.data(), &typeCnv) != 0) return failAll("reply not decoded");
  for (std::size_t i = 0; i < block.tags.size(); ++i) {
    TagResult& r = results[block.tags[i]];
    if (values[i].F[records::statusFlag] != records::statusGood || typeCnv == 99) {
      r.error = "erroneous reply";
      continue;
    }
    std::uint32_t bits = 0;
    for (int b = 3; b >= 0; --b) bits = (bits << 8) | values[i].V[b];
    std::memcpy(&r.value, &bits, sizeof r.value);
    r.ok = true;
  }
}

std::vector<TagResult> HostSession::cycle(const std::vector<Tag>& tags, std::vector<Block>* plan) {
  std::vector<TagResult> results(tags.size());
  for (std::size_t k = 0; k < tags.size(); ++k) {
    if (tags[k].writeValue) writeTag(tags[k], results[k]);
  }
  const JoinQuery mayJoin = [this](const ItemAddress& a, const ItemAddress& b, std::uint32_t count) {
    const unsigned int c = count;
    return compare_(&a, &b, &c) == 1;
  };
  const auto limit = static_cast<std::uint32_t>(qData_ > 0 && qData_ < maxBlockValues ? qData_ : 1);
  lastPlanFirstPass_ = firstPass_;
  const std::vector<Block> blocks = planReadBlocks(tags, mayJoin, firstPass_, limit);
  for (const Block& block : blocks) readBlock(tags, block, results);
  if (plan != nullptr) *plan = blocks;
  return results;
}

}  // namespace host
