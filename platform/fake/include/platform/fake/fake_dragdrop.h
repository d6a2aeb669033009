#pragma once
// Drags that record their block and target; the drop source's answer comes from the fake windows, so
// a drop happens only when the cursor lies strictly inside the target.
#include <cstdint>
#include <deque>
#include <memory>
#include <vector>

#include "platform/dragdrop.h"

namespace platform::fake {

struct FakeDragRun {
  WindowHandle target = nullptr;
  std::uint32_t answer = 0;  // the drop source's answer
  std::uint32_t effect = 0;
};

class FakeDragDrop final : public DragDrop {
 public:
  explicit FakeDragDrop(Windows& windows) : windows_(windows) {}

  std::unique_ptr<PreparedDrag> Prepare(std::size_t bytes,
                                        const std::function<void(std::span<std::uint8_t>)>& fill) override {
    if (failPrepare) return nullptr;
    std::vector<std::uint8_t> block(bytes, 0);
    fill(block);
    blocks.push_back(std::move(block));
    return std::make_unique<Prepared>(*this);
  }

  bool failPrepare = false;
  // Effects the target chooses, one per drop; when empty, copy (1).
  std::deque<std::uint32_t> effects;
  std::vector<std::vector<std::uint8_t>> blocks;  // every block prepared
  std::vector<FakeDragRun> runs;
  int liveDrags = 0;

 private:
  class Prepared final : public PreparedDrag {
   public:
    explicit Prepared(FakeDragDrop& owner) : owner_(owner) { ++owner_.liveDrags; }
    ~Prepared() override { --owner_.liveDrags; }
    std::uint32_t Drag(WindowHandle target) override {
      FakeDragRun run{target, ContinueDragAnswer(owner_.windows_, target), 0};
      if (run.answer == kDragDropDrop) {
        run.effect = 1;
        if (!owner_.effects.empty()) {
          run.effect = owner_.effects.front();
          owner_.effects.pop_front();
        }
      }
      owner_.runs.push_back(run);
      return run.effect;
    }

   private:
    FakeDragDrop& owner_;
  };

  Windows& windows_;
};

}  // namespace platform::fake
