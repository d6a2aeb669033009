#pragma once
// Records every drop and answers with a set result.
#include <vector>

#include "platform/dragdrop.h"

namespace platform::fake {

class FakeDragDrop final : public DragDrop {
 public:
  DropResult DropFiles(const std::vector<std::u16string>& files) override {
    drops.push_back(files);
    return result;
  }

  DropResult result = DropResult::Dropped;
  std::vector<std::vector<std::u16string>> drops;
};

}  // namespace platform::fake
