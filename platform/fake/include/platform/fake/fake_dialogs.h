#pragma once
// Dialogs answered from queues a test fills; an empty queue (or an empty answer) is a cancel.
#include <deque>
#include <optional>
#include <vector>

#include "platform/dialogs.h"

namespace platform::fake {

class FakeDialogs final : public Dialogs {
 public:
  std::optional<OpenFileAnswer> OpenFile(const OpenFileRequest& request) override {
    openRequests.push_back(request);
    return Next(openAnswers);
  }
  std::optional<std::u16string> BrowseFolder(const FolderRequest& request) override {
    folderRequests.push_back(request);
    return Next(folderAnswers);
  }

  std::deque<std::optional<OpenFileAnswer>> openAnswers;
  std::deque<std::optional<std::u16string>> folderAnswers;
  std::vector<OpenFileRequest> openRequests;
  std::vector<FolderRequest> folderRequests;

 private:
  template <typename T>
  static std::optional<T> Next(std::deque<std::optional<T>>& answers) {
    if (answers.empty()) return std::nullopt;
    std::optional<T> answer = std::move(answers.front());
    answers.pop_front();
    return answer;
  }
};

}  // namespace platform::fake
