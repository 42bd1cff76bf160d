#include "shell/HelpTopics.h"

namespace ovx {

namespace {

constexpr THelpTopic kTopics[] = {
#define OVX_HELP_ROW(name, number, page) {number, page},
    OVX_HELP_TOPICS(OVX_HELP_ROW)
#undef OVX_HELP_ROW
};

}  // namespace

std::span<const THelpTopic> HelpTopics() { return kTopics; }

const char* HelpPage(int context) {
  for (const THelpTopic& topic : kTopics)
    if (topic.context == context) return topic.page;
  return kTopics[0].page;
}

THelpRequest ResolveHelp(const std::string& programFolder, int context,
                         const std::function<bool(const std::string&)>& exists) {
  const std::string helpFile = programFolder + "OVX.HLP";
  if (exists(helpFile)) return {THelpRequest::hkHelpFile, helpFile, context};
  const std::string page = programFolder + "help\\" + HelpPage(context);
  return {exists(page) ? THelpRequest::hkManualPage : THelpRequest::hkMissing, page, context};
}

std::string HelpMissingText(const std::string& path) { return path + " が見付かりません."; }

}  // namespace ovx
