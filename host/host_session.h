#pragma once
// One host session with the driver and the media library, in the order they
// rely on: Open_yyy, load media N, OpenMedia, StartMedia; per request
// Set_yyy, WriteMedia, ReadMedia, Check_yyy, Get_yyy; at the end StopMedia,
// CloseMedia, Close_yyy and both libraries unloaded.

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "host/block_plan.h"
#include "host/items_file.h"
#include "interface/quellon.h"
#include "interface/tarvik.h"
#include "platform/platform.h"

namespace host {

struct TagResult {
  bool ok = false;
  bool written = false;
  float value = 0;
  std::string error;  // why the value is erroneous
};

class HostSession {
 public:
  HostSession() = default;
  ~HostSession();
  HostSession(const HostSession&) = delete;
  HostSession& operator=(const HostSession&) = delete;

  // Loads both libraries from folder and starts the media; on failure a
  // sentence for the user naming the cause and the log to read.
  bool start(const std::string& folder, std::string& failure);
  void stop();

  // One cycle: the writes, then the reads in blocks. results[k] belongs to tags[k].
  std::vector<TagResult> cycle(const std::vector<Tag>& tags, std::vector<Block>* plan = nullptr);

  std::int32_t qData() const noexcept { return qData_; }
  bool firstPass() const noexcept { return firstPass_; }
  // The rule the driver applied while the last cycle's reads were planned.
  bool lastPlanFirstPass() const noexcept { return lastPlanFirstPass_; }

 private:
  // Sends one request frame and receives its reply; false with the reason.
  bool transfer(unsigned char* frame, int maxSend, int maxRec, std::vector<unsigned char>& reply, int& countRec,
                std::string& why);
  void readBlock(const std::vector<Tag>& tags, const Block& block, std::vector<TagResult>& results);
  void writeTag(const Tag& tag, TagResult& result);

  platform::SharedLibrary driver_;
  platform::SharedLibrary media_;
  tarvik::OpenFn open_ = nullptr;
  tarvik::CloseFn close_ = nullptr;
  tarvik::SetFn set_ = nullptr;
  tarvik::CompareFn compare_ = nullptr;
  tarvik::CheckFn check_ = nullptr;
  tarvik::GetFn get_ = nullptr;
  quellon::LifecycleFn openMedia_ = nullptr, closeMedia_ = nullptr, startMedia_ = nullptr, stopMedia_ = nullptr;
  quellon::TransferFn readMedia_ = nullptr, writeMedia_ = nullptr;
  platform::MediaId mediaId_ = 0;
  std::int32_t qData_ = 0;
  bool firstPass_ = true;  // the driver's rule until our first Set_yyy
  bool lastPlanFirstPass_ = true;
  bool mediaStarted_ = false;
  bool driverOpen_ = false;
};

}  // namespace host
