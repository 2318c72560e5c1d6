#pragma once
// How clkhost shows a cycle's values: a table, or one JSON object per value.
// An erroneous value is shown as an error, never as a number.

#include <cstdio>
#include <string>
#include <vector>

#include "host/block_plan.h"
#include "host/host_session.h"
#include "host/items_file.h"

namespace host {

std::string formatTable(const std::vector<Tag>& tags, const std::vector<TagResult>& results);
std::string formatJson(const std::vector<Tag>& tags, const std::vector<TagResult>& results, const std::string& time);
std::string formatPlan(const std::vector<Tag>& tags, const std::vector<Block>& plan, bool firstPass);
std::string jsonString(const std::string& text);
std::string utcTimeText();

}  // namespace host
